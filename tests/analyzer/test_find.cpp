#include "analyzer/find.h"
#include "analyzer/screens/finditem.h"
#include "analyzer/screens/viewlogform.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "ui/qtplatform.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

#include <QTableView>

#include <gtest/gtest.h>

#include <vector>

using namespace pellard;

namespace {

FindOptions Opt(std::string text, bool down = true, bool whole = false, bool matchCase = false) {
    return FindOptions{std::move(text), down, whole, matchCase};
}

TEST(FindMatch, CaseAndWholeWord) {
    struct Case {
        const char* cell;
        FindOptions o;
        bool match;
    } cases[] = {
        {"VISA Debit", Opt("visa"), true},
        {"VISA Debit", Opt("visa", true, false, true), false},
        {"VISA Debit", Opt("VISA", true, false, true), true},
        {"VISA Debit", Opt("visa", true, true), false},
        {"Visa", Opt("visa", true, true), true},
        {"Visa", Opt("visa", true, true, true), false},
        {"Visa ", Opt("visa", true, true), false},
        {"", Opt("visa"), false},
        {"Mastercard", Opt("CARD"), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CellMatches(c.cell, c.o), c.match) << c.cell << " / " << c.o.text;
}

// A 3-column, 3-row view; "a" in some cells.
struct Grid {
    std::vector<std::vector<std::string>> rows = {
        {"a1", "x", "a2"},
        {"x", "x", "x"},
        {"a3", "a4", "x"},
    };
    std::string_view operator()(int c, int r) const { return rows[r - 1][c]; }
};

TEST(ViewSearch, WalksRowsWithoutWrapping) {
    Grid g;
    ViewSearch s;
    EXPECT_EQ(s.Start(0, 1), std::nullopt);
    std::vector<CellPos> found;
    while (auto m = s.Next(Opt("A"), 3, 3, g)) found.push_back(*m);
    EXPECT_EQ(found, (std::vector<CellPos>{{0, 1}, {2, 1}, {0, 3}, {1, 3}}));
    EXPECT_FALSE(s.Found());
    // No wrap-around: the next request fails again.
    EXPECT_EQ(s.Next(Opt("a"), 3, 3, g), std::nullopt);
}

TEST(ViewSearch, AfterTheLastColumnGoesOnInColumnZeroOfTheNextRow) {
    Grid g;
    g.rows[1][0] = "a5";
    ViewSearch s;
    s.Start(2, 1);
    EXPECT_EQ(s.Next(Opt("a"), 3, 3, g), (CellPos{2, 1}));
    EXPECT_TRUE(s.Found());
    EXPECT_EQ(s.Position(), (CellPos{3, 1}));
    EXPECT_EQ(s.Next(Opt("a"), 3, 3, g), (CellPos{0, 2}));
}

TEST(ViewSearch, UpwardsAndTurningBack) {
    Grid g;
    ViewSearch s;
    s.Start(1, 3);
    EXPECT_EQ(s.Next(Opt("a", false), 3, 3, g), (CellPos{1, 3}));
    EXPECT_EQ(s.Next(Opt("a", false), 3, 3, g), (CellPos{0, 3}));
    // Position now before column 0: the previous row's last column.
    EXPECT_EQ(s.Next(Opt("a", false), 3, 3, g), (CellPos{2, 1}));
    // Turning down again from just left of that match finds it again.
    EXPECT_EQ(s.Next(Opt("a", true), 3, 3, g), (CellPos{2, 1}));
    EXPECT_EQ(s.Next(Opt("a", true), 3, 3, g), (CellPos{0, 3}));
}

TEST(ViewSearch, NoCurrentRowStartsAtRowOneAndEmptyViewFindsNothing) {
    Grid g;
    ViewSearch s;
    EXPECT_EQ(s.Start(-1, 0), 1);
    EXPECT_EQ(s.Next(Opt("a1", true, true), 3, 3, g), (CellPos{0, 1}));
    s.Start(0, 0);
    EXPECT_EQ(s.Next(Opt("a"), 3, 0, g), std::nullopt);
}

// ---- the dialog over an analysis window ----

class FindInView : public ::testing::Test {
protected:
    void Load(const std::string& csv) {
        pellard::LogTable t;
        t.LoadBytes(csv);
        form = std::make_unique<TViewLogForm>();
        form->LoadTable(std::move(t));
        form->LoadLogGrid();
        grid = &test::Find<QTableView>(*form, "LogGrid");
        finder = new ViewFinder(grid, form->View(), form.get());
    }
    std::pair<int, int> Current() const {
        QModelIndex i = grid->currentIndex();
        return {i.column(), i.row() + 1};
    }
    static ui::FindOptions Q(const QString& text, bool whole = false, bool down = true) {
        ui::FindOptions o;
        o.text = text;
        o.wholeWord = whole;
        o.down = down;
        return o;
    }

    test::ScriptedPlatform ui;
    std::unique_ptr<TViewLogForm> form;
    QTableView* grid = nullptr;
    ViewFinder* finder = nullptr;
};

TEST_F(FindInView, FindsCellsAndEndsWithNotFound) {
    Load("Name,Payment\r\nAnn,VISA Debit\r\nBob,Cash\r\nCy,visa\r\n");
    finder->FindItemShow();
    ASSERT_TRUE(ui.FindOpen());
    EXPECT_EQ(Current(), std::make_pair(0, 1));  // no current cell: row 1

    EXPECT_TRUE(ui.FindNext(Q("visa")));
    EXPECT_EQ(Current(), std::make_pair(1, 1));
    EXPECT_TRUE(ui.FindNext(Q("visa")));
    EXPECT_EQ(Current(), std::make_pair(1, 3));
    ui.ExpectInformation("visa not found.");
    EXPECT_FALSE(ui.FindNext(Q("visa")));
    EXPECT_FALSE(finder->Search().Found());

    // Shown again from the first row, whole word finds only the exact cell.
    grid->setCurrentIndex(grid->model()->index(0, 0));
    finder->FindItemShow();
    EXPECT_EQ(ui.FindInitial().text, "visa");
    EXPECT_TRUE(ui.FindNext(Q("VISA", true)));
    EXPECT_EQ(Current(), std::make_pair(1, 3));
    ui.CloseFind();
    EXPECT_FALSE(finder->Search().Found());
}

TEST_F(FindInView, EmptyViewReportsNotFound) {
    Load("Name,Payment\r\n");
    finder->FindItemShow();
    ui.ExpectInformation("visa not found.");
    EXPECT_FALSE(ui.FindNext(Q("visa")));
    EXPECT_FALSE(ui.FindOpen());
}

// The real dialog: its settings reach the search, and a search that is done
// closes it.
TEST(QtFindDialog, FindNextPassesSettingsAndClosesWhenDone) {
    test::App();
    ui::QtPlatform qt(QString::fromStdString(test::TempFolder().File("user.conf")));
    std::vector<ui::FindOptions> asked;
    int closed = 0;
    ui::FindOptions initial;
    initial.text = "visa";
    qt.ShowFind(
        initial,
        [&](const ui::FindOptions& o) {
            asked.push_back(o);
            return asked.size() < 2;
        },
        [&] { ++closed; });
    QDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "FindDialog" && w->isVisible()) dialog = qobject_cast<QDialog*>(w);
    ASSERT_TRUE(dialog);
    QPointer<QDialog> guard(dialog);
    test::SetChecked(*dialog, "WholeWord", true);
    test::SetChecked(*dialog, "Up", true);
    test::Click(*dialog, "FindNext");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "visa");
    EXPECT_TRUE(asked[0].wholeWord);
    EXPECT_FALSE(asked[0].matchCase);
    EXPECT_FALSE(asked[0].down);
    EXPECT_TRUE(dialog->isVisible());
    test::Click(*dialog, "FindNext");
    EXPECT_EQ(closed, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(guard);
}

}  // namespace
