#include "analyzer/screens/editfilterform.h"
#include "analyzer/screens/gridmodel.h"
#include "analyzer/screens/reportpage.h"
#include "analyzer/screens/selectfieldsform.h"
#include "analyzer/screens/viewlogform.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>

using namespace pellard;
using test::Click;
using test::Find;
using test::TextOf;

namespace {

const char* kFile =
    "  Date,  Gross,Fee,Net,Status,  \r\n"
    "2001/01/30,10.00,-0.50,9.50,Completed,x\r\n"
    "2001/02/01,20.00,-1.00,19.00,Pending,x\r\n"
    "2001/03/02,5.00,,5.00,completed,x\r\n";

class ViewLog : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramDateFormat(DateOrder::YearMonthDay);
        Open(kFile);
    }
    void Open(const std::string& csv) {
        folder.Write("log.csv", csv);
        form = std::make_unique<TViewLogForm>();
        ASSERT_EQ(form->LoadFile(folder.QPath() + "log.csv"), TViewLogForm::LoadResult::Loaded);
    }
    QAbstractItemModel& Model(const char* name) { return *Find<QTableView>(*form, name).model(); }
    QString Header(const char* name, int col) {
        return Model(name).headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    QString Cell(const char* name, int col, int row) {  // row 1 = first data row
        QAbstractItemModel& m = Model(name);
        return m.data(m.index(row - 1, col)).toString();
    }
    QStringList ListItems(const char* name) {
        QStringList out;
        auto& list = Find<QListWidget>(*form, name);
        for (int i = 0; i < list.count(); ++i) out << list.item(i)->text();
        return out;
    }
    void SetFilter(int row, const QString& field, const QString& type, const QString& value) {
        ui.ExpectMenu(field);
        form->FilterGridMouseDown(0, row, {});
        if (!type.isEmpty()) {
            ui.ExpectMenu(type);
            form->FilterGridMouseDown(1, row, {});
        }
        ui.ExpectModal("TEditFilterForm", [value](QDialog& d) {
            test::SetText(d, "FilterValue", value);
            Click(d, "OKValueBtn");
            return QDialog::Rejected;
        });
        form->FilterGridMouseDown(2, row, {});
    }

    test::ScriptedPlatform ui;
    test::TempFolder folder;
    std::unique_ptr<TViewLogForm> form;
};

}  // namespace

TEST_F(ViewLog, OpensOnReportWithNamesAsLoadedInListsAndTrimmedElsewhere) {
    EXPECT_EQ(Find<QTabWidget>(*form, "ViewBook").currentIndex(), TViewLogForm::ReportPage);
    EXPECT_EQ(ListItems("SelectDisplayFields"),
              QStringList({"  Date", "  Gross", "Fee", "Net", "Status", "  "}));
    auto& sort = Find<QComboBox>(*form, "SortBox");
    EXPECT_EQ(sort.itemText(0), "None");
    EXPECT_EQ(sort.itemText(2), "  Gross");
    EXPECT_EQ(Header("LogGrid", 1), "Gross");
    EXPECT_EQ(Header("LogGrid", 5), " ");
    QStringList menu;
    for (const auto& e : form->FieldMenuEntries()) menu << QString::fromStdString(e.caption);
    EXPECT_EQ(menu, QStringList({"Remove Filter", "Date", "Gross", "Fee", "Net", "Status"}));
    EXPECT_EQ(TextOf(*form, "Total"), "3 of 3");
    EXPECT_EQ(TextOf(*form, "UseDateField"), "Date");
    EXPECT_EQ(form->StatGrid().CellText(0, 1), "Gross");
    EXPECT_EQ(form->StatGrid().CellText(1, 1), "35.00");
    EXPECT_EQ(form->StatGrid().CellText(0, 3), "Net");
    EXPECT_EQ(form->StatGrid().RowCount(), 4);
}

TEST_F(ViewLog, FieldChoicesShowAtTheNextRefresh) {
    auto& list = Find<QListWidget>(*form, "SelectDisplayFields");
    list.item(2)->setSelected(true);
    form->MoveUpBtnClick();
    EXPECT_EQ(ListItems("SelectDisplayFields")[1], "Fee");
    EXPECT_EQ(Header("LogGrid", 1), "Gross");  // not yet
    Click(*form, "RefreshDisplayBtn");
    EXPECT_EQ(Header("LogGrid", 1), "Fee");
    EXPECT_EQ(Cell("LogGrid", 1, 2), "-1.00");

    for (int i = 0; i < list.count(); ++i) list.item(i)->setCheckState(Qt::Unchecked);
    Find<QTabWidget>(*form, "ViewBook").setCurrentIndex(TViewLogForm::ViewPage);
    EXPECT_EQ(Model("LogGrid").rowCount(), 3);
    EXPECT_EQ(Cell("LogGrid", 0, 1), "");
    EXPECT_EQ(TextOf(*form, "UseDateField"), "");
}

TEST_F(ViewLog, HeaderOnlyFileReadsZeroOfZero) {
    Open("Date,Gross\r\n");
    EXPECT_EQ(TextOf(*form, "Total"), "0 of 0");
    EXPECT_EQ(TextOf(*form, "ReportTotal"), "0 of 0");
    EXPECT_EQ(form->StatGrid().CellText(1, 1), "");
}

TEST_F(ViewLog, SortBoxSortsTheView) {
    auto& sort = Find<QComboBox>(*form, "SortBox");
    sort.setCurrentIndex(3);  // Fee: -0.50, -1.00, empty
    form->SortBoxChange();
    EXPECT_EQ(Cell("LogGrid", 2, 1), "-1.00");
    EXPECT_EQ(form->View().RowTag(1), 2);
    EXPECT_EQ(form->View().RowTag(2), 1);
    EXPECT_EQ(form->View().RowTag(3), 3);  // the empty text after the numbers
    sort.setCurrentIndex(0);
    form->SortBoxChange();
    EXPECT_EQ(form->View().RowTag(1), 2);  // "None" keeps the order
    Click(*form, "RefreshDisplayBtn");
    EXPECT_EQ(form->View().RowTag(1), 1);
}

TEST_F(ViewLog, FiltersApplyAtRefreshAndFeedTheStatistics) {
    SetFilter(1, "Status", "", "Completed");
    form->AddFilterBtnClick();
    SetFilter(2, "Status", "", "completed");
    EXPECT_EQ(form->Filters().Table().CellText(2, 2), "completed");
    EXPECT_EQ(TextOf(*form, "Total"), "3 of 3");  // no refresh yet
    Find<QTabWidget>(*form, "ViewBook").setCurrentIndex(TViewLogForm::SummaryPage);
    EXPECT_EQ(TextOf(*form, "Total"), "2 of 3");
    EXPECT_EQ(TextOf(*form, "ReportTotal"), "2 of 3");
    EXPECT_EQ(form->StatGrid().CellText(1, 1), "15.00");

    form->AddFilterBtnClick();
    SetFilter(3, "Date", "Does Not Include", "2001/01/30");
    Click(*form, "RefreshDisplayBtn");
    EXPECT_EQ(TextOf(*form, "Total"), "1 of 3");

    Click(*form, "ClearFiltersBtn");
    EXPECT_EQ(form->Filters().RowCount(), 2);
    EXPECT_EQ(TextOf(*form, "Total"), "3 of 3");
}

TEST_F(ViewLog, EditFilterDialogValuesRangesAndCancel) {
    SetFilter(1, "Gross", "", "10.00");
    form->AddFilterBtnClick();
    ui.ExpectMenu("Status");
    form->FilterGridMouseDown(0, 2, {});
    // The value list: the field's distinct values, case ignored.
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        auto& values = Find<QComboBox>(d, "FilterValue");
        EXPECT_EQ(values.count(), 2);
        EXPECT_EQ(values.itemText(0), "Completed");
        test::SetText(d, "FromValue", "a");
        Click(d, "OKRangeBtn");
        return QDialog::Rejected;
    });
    form->FilterGridMouseDown(2, 2, {});
    EXPECT_EQ(form->Filters().Table().CellText(2, 2), "> a");
    // Cancel leaves the cell, also after the other row was edited.
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        EXPECT_EQ(TextOf(d, "FilterValue"), "10.00");
        test::SetText(d, "FilterValue", "99");
        Click(d, "CancelBtn");
        return QDialog::Rejected;
    });
    form->FilterGridMouseDown(2, 1, {});
    EXPECT_EQ(form->Filters().Table().CellText(2, 1), "10.00");
    // A range comes back into the range boxes.
    form->AddFilterBtnClick();
    ui.ExpectMenu("Net");
    form->FilterGridMouseDown(0, 3, {});
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        test::SetText(d, "FromValue", "5");
        test::SetText(d, "ToValue", "10");
        Click(d, "OKRangeBtn");
        return QDialog::Rejected;
    });
    form->FilterGridMouseDown(2, 3, {});
    EXPECT_EQ(form->Filters().Table().CellText(2, 3), "5 to 10");
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        EXPECT_EQ(TextOf(d, "FromValue"), "5");
        EXPECT_EQ(TextOf(d, "ToValue"), "10");
        EXPECT_EQ(TextOf(d, "FilterValue"), "");
        Click(d, "CancelBtn");
        return QDialog::Rejected;
    });
    form->FilterGridMouseDown(2, 3, {});
    // Clicking the value of a row without a field does nothing.
    form->AddFilterBtnClick();
    form->FilterGridMouseDown(2, 4, {});
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, DateModeTakesDatesFromTheCalendar) {
    ui.ExpectMenu("Date");
    form->FilterGridMouseDown(0, 1, {});
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        auto& dialog = static_cast<TEditFilterForm&>(d);
        auto& from = Find<QLineEdit>(d, "FromValue");
        EXPECT_TRUE(from.isReadOnly());
        EXPECT_TRUE(Find<QLineEdit>(d, "ToValue").isReadOnly());
        dialog.EditClick(&from, {});
        dialog.EditClick(&Find<QLineEdit>(d, "ToValue"), {});
        Click(d, "OKRangeBtn");
        return QDialog::Rejected;
    });
    ui.ExpectDate(QDate(2001, 1, 30));
    ui.ExpectDate(QDate(2001, 2, 1));
    form->FilterGridMouseDown(2, 1, {});
    EXPECT_EQ(form->Filters().Table().CellText(2, 1), "2001/01/30 to 2001/02/01");
    Click(*form, "RefreshDisplayBtn");
    EXPECT_EQ(TextOf(*form, "Total"), "2 of 3");
}

TEST_F(ViewLog, RemoveFilterOnTheOnlyRowEmptiesIt) {
    SetFilter(1, "Gross", "Does Not Include", "10.00");
    ui.ExpectMenu("Remove Filter");
    form->FilterGridMouseDown(0, 1, {});
    EXPECT_EQ(form->Filters().RowCount(), 2);
    EXPECT_EQ(form->Filters().Table().CellText(0, 1), "");
    EXPECT_EQ(form->Filters().Table().CellText(1, 1), "");
    EXPECT_EQ(form->Filters().Field(1), -1);
    // The header row takes no clicks.
    form->FilterGridMouseDown(0, 0, {});
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, ManyDistinctValuesGiveAnEmptyList) {
    std::string csv = "Id,Name\r\n";
    for (int i = 0; i < 300; ++i) csv += std::to_string(i) + ",n\r\n";
    Open(csv);
    ui.ExpectMenu("Id");
    form->FilterGridMouseDown(0, 1, {});
    ui.ExpectModal("TEditFilterForm", [](QDialog& d) {
        EXPECT_EQ(Find<QComboBox>(d, "FilterValue").count(), 0);
        return QDialog::Rejected;
    });
    form->FilterGridMouseDown(2, 1, {});
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, FilterFilesSaveAndLoadByName) {
    SetFilter(1, "Status", "", "Completed");
    ui.ExpectSaveFile(folder.QPath() + "mine.fil");
    ui.ExpectInformation("Filter file saved.");
    Click(*form, "SaveFiltersBtn");
    EXPECT_EQ(folder.Read("mine.fil"),
              "3,2\r\ncw 0,64\r\ncw 1,64\r\ncw 2,64\r\n0,0,Filter\r\n1,0,Type\r\n2,0,Value\r\n"
              "0,1,Status\r\n2,1,Completed\r\n");

    // Another file without that field: the condition is kept but ignored.
    Open("Date,State\r\n2001/01/01,x\r\n");
    ui.ExpectOpenFile(folder.QPath() + "mine.fil");
    Click(*form, "LoadFiltersBtn");
    EXPECT_EQ(form->Filters().Table().CellText(0, 1), "Status");
    EXPECT_EQ(form->Filters().Field(1), -1);
    EXPECT_EQ(TextOf(*form, "Total"), "1 of 1");

    ui.ExpectOpenFile(folder.QPath() + "missing.fil");
    ui.ExpectError(test::Containing("Cannot open file"));
    Click(*form, "LoadFiltersBtn");
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, SelectFieldsOkAppliesCancelKeeps) {
    const auto before = form->ReportFields();
    ui.ExpectModal("TSelectFieldsForm", [](QDialog& d) {
        auto& list = Find<QListWidget>(d, "SelectFields");
        list.item(3)->setSelected(true);  // Net
        Click(d, "RMoveUpBtn");
        list.item(0)->setCheckState(Qt::Checked);
        Click(d, "CancelBtn");
        return QDialog::Rejected;
    });
    Click(*form, "SelectFieldsBtn");
    EXPECT_EQ(form->ReportFields(), before);

    ui.ExpectModal("TSelectFieldsForm", [](QDialog& d) {
        auto& list = Find<QListWidget>(d, "SelectFields");
        list.item(3)->setSelected(true);
        Click(d, "RMoveUpBtn");
        list.item(1)->setCheckState(Qt::Unchecked);  // Gross
        Click(d, "OKValueBtn");
        return QDialog::Rejected;
    });
    Click(*form, "SelectFieldsBtn");
    EXPECT_EQ(form->StatGrid().RowCount(), 3);
    EXPECT_EQ(form->StatGrid().CellText(0, 1), "Net");
    EXPECT_EQ(form->StatGrid().CellText(0, 2), "Fee");
    EXPECT_EQ(form->StatGrid().CellText(3, 2), "0.00");  // the empty fee counts as 0

    test::SetChecked(*form, "AbsoluteValueStat", true);
    Click(*form, "AbsoluteValueStat");
    Click(*form, "AbsoluteValueStat");
    EXPECT_EQ(form->StatGrid().CellText(1, 2), "1.50");
}

TEST_F(ViewLog, ColoursAndBanding) {
    ui.ExpectColor(Qt::red);
    form->ColorClick(&Find<ColorBox>(*form, "PrimaryColor"));
    ui.ExpectColor(Qt::blue);
    form->ColorClick(&Find<ColorBox>(*form, "AlternateColor"));
    ui.ExpectColorCancel();
    form->ColorClick(&Find<ColorBox>(*form, "HeaderColor"));
    EXPECT_EQ(form->LogGridCellColor(0, 1), QColor(Qt::red));  // by column
    EXPECT_EQ(form->LogGridCellColor(1, 1), QColor(Qt::blue));
    test::SetChecked(*form, "ColRows", true);
    EXPECT_EQ(form->LogGridCellColor(1, 2), QColor(Qt::red));  // by row
    EXPECT_EQ(form->LogGridCellColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(Model("LogGrid")
                  .data(Model("LogGrid").index(0, 0), Qt::BackgroundRole)
                  .value<QBrush>()
                  .color(),
              QColor(Qt::blue));

    ui.ExpectColor(Qt::green);
    form->ColorClick(&Find<ColorBox>(*form, "ReportHeaderColor"));
    EXPECT_EQ(form->StatGridCellColor(0, 2), QColor(Qt::green));
    EXPECT_EQ(form->StatGridCellColor(3, 0), QColor(Qt::green));
}

TEST(ViewLogLoad, UnreadableFileLeavesTheWindowEmptyAndCancelStops) {
    test::ScriptedPlatform ui;
    test::TempFolder folder;
    TViewLogForm form;
    ui.ExpectError(test::Containing("Cannot open file"));
    EXPECT_EQ(form.LoadFile(folder.QPath() + "none.csv"), TViewLogForm::LoadResult::Failed);
    EXPECT_EQ(Find<QListWidget>(form, "SelectDisplayFields").count(), 0);

    folder.Write("a.csv", "A\r\n1\r\n");
    ui.CancelProgressAfter(0);
    EXPECT_EQ(form.LoadFile(folder.QPath() + "a.csv"), TViewLogForm::LoadResult::Cancelled);
    ASSERT_EQ(ui.Log(test::Dlg::Progress).size(), 2u);
    EXPECT_EQ(ui.Log(test::Dlg::Progress)[1].answer, "cancelled at 0");
}

TEST_F(ViewLog, ReportPageWorksOnTheWindowsViewAndFieldSet) {
    auto& book = Find<QTabWidget>(*form, "ViewBook");
    book.setCurrentIndex(TViewLogForm::ViewPage);
    book.setCurrentIndex(TViewLogForm::ReportPage);
    auto& reports = Find<QComboBox>(*form, "SelectReport");
    EXPECT_EQ(reports.itemText(3), "Monthly Summary");
    EXPECT_EQ(reports.itemText(7), "Gross Summary");
    reports.setCurrentIndex(3);
    form->Report().GenerateReportBtnClick();
    const auto& table = form->Report().ReportTable();
    ASSERT_EQ(table.RowCount(), 4);  // 2001/01 to 2001/03
    EXPECT_EQ(table.CellText(0, 0), "Month");
    EXPECT_EQ(table.CellText(2, 0), "Total Gross");
    EXPECT_EQ(table.CellText(2, 1), "10.00");
    EXPECT_EQ(TextOf(*form, "RTotal"), "3 of 3");
}

TEST_F(ViewLog, ReportCountsShowRightAfterOpening) {
    EXPECT_EQ(TextOf(*form, "RTotal"), "3 of 3");
    // The list is there without any page change or activation.
    EXPECT_EQ(Find<QComboBox>(*form, "SelectReport").itemText(7), "Gross Summary");
}

TEST_F(ViewLog, ReportChoiceAndCustomReportSurviveActivationAndDialogs) {
    auto& reports = Find<QComboBox>(*form, "SelectReport");
    const int custom = reports.findText("Custom Report");
    ui.ExpectModal("TCustomReportForm", [](QDialog& d) {
        Find<QComboBox>(d, "ReportField").setCurrentText("Status");
        Find<QPlainTextEdit>(d, "FieldValues").setPlainText("comp");
        Click(d, "OKValueBtn");
        return QDialog::Accepted;
    });
    reports.setCurrentIndex(custom);
    form->Report().SelectReportChange();
    ASSERT_EQ(form->Report().CustomReport().fieldName, "Status");
    // A window manager activates the window whenever a dialog closes or the
    // user comes back from another program.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(form.get(), &activate);
    Find<QTabWidget>(*form, "ViewBook").setCurrentIndex(TViewLogForm::FilterPage);
    Find<QTabWidget>(*form, "ViewBook").setCurrentIndex(TViewLogForm::ReportPage);
    EXPECT_EQ(reports.currentText(), "Custom Report");
    form->Report().GenerateReportBtnClick();
    EXPECT_EQ(form->Report().ReportTable().CellText(0, 1), "comp");
    EXPECT_EQ(form->Report().ReportTable().CellText(1, 1), "2");
    // A change of the view's columns is a new list.
    auto& list = Find<QListWidget>(*form, "SelectDisplayFields");
    list.item(4)->setCheckState(Qt::Unchecked);
    Click(*form, "RefreshDisplayBtn");
    EXPECT_EQ(reports.findText("Status Summary"), -1);
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, DownloadsShowTheirTextsDatesAndWhatDidNotRead) {
    // LF line ends, a byte-order mark, UTF-8, day-first dates, amounts with
    // thousands groups and values that are not numbers or dates.
    Open(
        "\xEF\xBB\xBF"
        "Date,Name,Gross,Net\n"
        "13/01/2024,Jos\xC3\xA9,\"1,058.09\",5\n"
        "14/01/2024,Ann,USD 3,6\n"
        "soon,Bo,2,x7\n"
        "14/01/2024,Cy,,8\n");
    EXPECT_EQ(Header("LogGrid", 0), "Date");
    EXPECT_EQ(Cell("LogGrid", 1, 1), QString::fromUtf8("Jos\xC3\xA9"));
    EXPECT_EQ(TextOf(*form, "DateFormatBox"), "dd/mm/yyyy");
    EXPECT_EQ(form->StatGrid().CellText(1, 1), "1060.09");
    auto& bar = Find<QFrame>(*form, "UnreadBar");
    EXPECT_FALSE(bar.isHidden());
    EXPECT_EQ(TextOf(*form, "UnreadText"),
              "Gross: 1 value does not read as a number (first: \"USD 3\", row 2)\n"
              "Net: 1 value does not read as a number (first: \"x7\", row 3)\n"
              "Date: 1 value does not read as a date (first: \"soon\", row 3)");
    Click(*form, "CloseUnreadBtn");
    EXPECT_TRUE(bar.isHidden());

    auto& reports = Find<QComboBox>(*form, "SelectReport");
    reports.setCurrentIndex(reports.findText("Daily Summary"));
    form->Report().GenerateReportBtnClick();
    EXPECT_EQ(form->Report().ReportTable().CellText(0, 1), "13/01/2024");
    EXPECT_EQ(form->Report().ReportTable().CellText(1, 2), "2");
    // The user may read the dates another way.
    auto& format = Find<QComboBox>(*form, "DateFormatBox");
    format.setCurrentIndex(format.findText("mm/dd/yyyy"));
    emit format.activated(format.currentIndex());
    form->Report().GenerateReportBtnClick();
    EXPECT_EQ(ui.Messages().size(), 0);
    EXPECT_EQ(form->Report().ReportTable().RowCount(), 2);  // only today: nothing reads
    EXPECT_TRUE(ui.Finish());
}

TEST_F(ViewLog, CleanFileShowsNoBar) {
    EXPECT_TRUE(Find<QFrame>(*form, "UnreadBar").isHidden());
    EXPECT_TRUE(TextOf(*form, "FilterHint").contains("10 to 20"));
    EXPECT_EQ(TextOf(*form, "DateFormatBox"), "yyyy/mm/dd");
}

TEST(GridColours, MarkedCellsKeepTheirTextReadable) {
    auto contrast = [](const QColor& a, const QColor& b) {
        auto lum = [](const QColor& c) {
            auto ch = [](double x) {
                x /= 255;
                return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * ch(c.red()) + 0.7152 * ch(c.green()) + 0.0722 * ch(c.blue());
        };
        const double x = lum(a) + 0.05, y = lum(b) + 0.05;
        return std::max(x, y) / std::min(x, y);
    };
    for (const QColor& bg : {TReportPage::kHighColor, TReportPage::kLowColor, QColor(Qt::white),
                             QColor(Qt::black), QColor(0, 0, 128), QColor(200, 200, 200)})
        EXPECT_GE(contrast(GridModel::TextColorOn(bg), bg), 4.5) << bg.name().toStdString();
}
