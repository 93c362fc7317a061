// The real Qt platform, driven through its dialogs on the offscreen desktop.
#include "support/scripted_platform.h"
#include "support/testutil.h"
#include "ui/qtplatform.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QThread>
#include <QTimer>
#include <QUrl>

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

namespace {

// Runs `act` on the popup or modal dialog once it is up. A dialog that the
// action leaves open is closed after a while, so that a fault cannot hang
// the test.
void WhenShown(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, tries] {
        QWidget* w = QApplication::activePopupWidget();
        if (!w) w = QApplication::activeModalWidget();
        if (!w && ++*tries < 500) return;
        timer->stop();
        timer->deleteLater();
        if (!w) {
            ADD_FAILURE() << "no dialog appeared";
            return;
        }
        act(*w);
        QTimer::singleShot(3000, w, [w] {
            if (w->isVisible()) {
                ADD_FAILURE() << w->metaObject()->className() << " was left open";
                w->close();
            }
        });
    });
    timer->start(10);
}

void Key(QWidget& w, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &press);
}

class QtPlatformTest : public ::testing::Test {
protected:
    QtPlatformTest() { test::App(); }
    test::TempFolder folder;
    ui::QtPlatform platform{folder.QPath() + "user.conf"};
};

TEST_F(QtPlatformTest, MessageBoxes) {
    WhenShown([](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        EXPECT_EQ(box.icon(), QMessageBox::Question);
        EXPECT_EQ(box.text(), "Purge these invoices?");
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Yes));
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(
        platform.ShowMessage(MsgKind::Confirmation, "Purge these invoices?", MsgButtons::YesNo),
        MsgAnswer::No);

    WhenShown([](QWidget& w) { Key(w, Qt::Key_Escape); });
    EXPECT_EQ(platform.ShowMessage(MsgKind::Confirmation, "Sure?", MsgButtons::YesNo),
              MsgAnswer::No);
    WhenShown([](QWidget& w) { Key(w, Qt::Key_Return); });
    EXPECT_EQ(platform.ShowMessage(MsgKind::Confirmation, "Sure?", MsgButtons::YesNo),
              MsgAnswer::Yes);

    WhenShown([](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        EXPECT_EQ(box.icon(), QMessageBox::Critical);
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        EXPECT_EQ(box.buttons().size(), 1);
        box.button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(platform.ShowMessage(MsgKind::Error, "<b>Cannot</b> write", MsgButtons::Ok),
              MsgAnswer::Ok);
}

TEST_F(QtPlatformTest, InputBoxCancelKeepsTheValue) {
    WhenShown([](QWidget& w) {
        auto& d = dynamic_cast<QInputDialog&>(w);
        EXPECT_EQ(d.windowTitle(), "Quantity");
        EXPECT_EQ(d.labelText(), "How many?");
        EXPECT_EQ(d.textValue(), "1");
        d.setTextValue("12");
        d.accept();
    });
    EXPECT_EQ(platform.AskText("Quantity", "How many?", "1"), "12");
    WhenShown([](QWidget& w) {
        dynamic_cast<QInputDialog&>(w).setTextValue("99");
        dynamic_cast<QInputDialog&>(w).reject();
    });
    EXPECT_EQ(platform.AskText("Quantity", "How many?", "1"), "1");
}

TEST_F(QtPlatformTest, SaveDialogAddsTheDefaultExtension) {
    WhenShown([this](QWidget& w) {
        auto& d = dynamic_cast<QFileDialog&>(w);
        EXPECT_EQ(d.windowTitle(), "Export");
        EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(folder.QPath()).canonicalPath());
        auto* name = d.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "Items.csv");
        name->setText("report");
        static_cast<QDialog&>(d).accept();
    });
    auto chosen = platform.SaveFileName({.title = "Export",
                                         .filter = "CSV files (*.csv)",
                                         .defaultExt = "csv",
                                         .directory = folder.QPath(),
                                         .fileName = "Items.csv"});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).fileName(), "report.csv");

    WhenShown([](QWidget& w) { dynamic_cast<QFileDialog&>(w).reject(); });
    EXPECT_EQ(platform.OpenFileName({.title = "Import", .directory = folder.QPath()}),
              std::nullopt);
}

TEST_F(QtPlatformTest, DatePickerIsAPopupAtThePlace) {
    WhenShown([](QWidget& w) {
        EXPECT_TRUE(w.windowFlags() & Qt::Popup);
        EXPECT_EQ(w.pos(), QPoint(40, 50));
        auto* calendar = w.findChild<QCalendarWidget*>();
        ASSERT_NE(calendar, nullptr);
        EXPECT_EQ(calendar->selectedDate(), QDate(2023, 12, 31));
        calendar->setSelectedDate(QDate(2024, 1, 15));
        emit calendar->clicked(QDate(2024, 1, 15));
    });
    EXPECT_EQ(platform.PickDate(QPoint(40, 50), QDate(2023, 12, 31)), QDate(2024, 1, 15));

    WhenShown([](QWidget& w) { Key(w, Qt::Key_Escape); });
    EXPECT_EQ(platform.PickDate(QPoint(40, 50), QDate(2023, 12, 31)), std::nullopt);
}

TEST_F(QtPlatformTest, PopupMenuSkipsDisabledEntries) {
    WhenShown([](QWidget& w) {
        auto& menu = dynamic_cast<QMenu&>(w);
        ASSERT_EQ(menu.actions().size(), 4);
        EXPECT_FALSE(menu.actions()[0]->isEnabled());
        EXPECT_TRUE(menu.actions()[1]->isSeparator());
        Key(menu, Qt::Key_Down);  // the first entry that can be chosen
        Key(menu, Qt::Key_Return);
    });
    EXPECT_EQ(platform.PopupMenu(QPoint(10, 10), {{"Cut", false}, {"-"}, {"Paste"}, {"Delete"}}),
              2);
    WhenShown([](QWidget& w) { Key(w, Qt::Key_Escape); });
    EXPECT_EQ(platform.PopupMenu(QPoint(10, 10), {{"Paste"}}), -1);
}

TEST_F(QtPlatformTest, ShowModalReturnsTheDialogResult) {
    QDialog dialog;
    WhenShown([](QWidget& w) { dynamic_cast<QDialog&>(w).done(4); });
    EXPECT_EQ(platform.ShowModal(dialog), 4);
}

TEST_F(QtPlatformTest, UserSettingsPersist) {
    EXPECT_EQ(platform.ReadUserSetting("Varnholt", "Mail", "Port", 25), QVariant(25));
    platform.WriteUserSetting("Varnholt", "Mail", "Port", 2525);
    platform.WriteUserSetting("Varnholt", "Mail", "Sender", "shop@example.com");
    ui::QtPlatform later(folder.QPath() + "user.conf");
    EXPECT_EQ(later.ReadUserSetting("Varnholt", "Mail", "Port", 25).toInt(), 2525);
    EXPECT_EQ(later.ReadUserSetting("Varnholt", "Mail", "Sender", {}).toString(),
              "shop@example.com");
    EXPECT_EQ(later.ReadUserSetting("Varnholt", "Other", "Port", 7).toInt(), 7);
    QSettings raw(folder.QPath() + "user.conf", QSettings::IniFormat);
    EXPECT_EQ(raw.value("Varnholt/Mail/Port").toInt(), 2525);
}

TEST_F(QtPlatformTest, ProgressReportsCancel) {
    auto progress = platform.StartProgress("Saving", 10'000'000'000LL);
    EXPECT_TRUE(progress->Step(1));
    EXPECT_TRUE(progress->Step(5'000'000'000LL));
    QProgressDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QProgressDialog*>(w)) dialog = d;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->labelText(), "Saving");
    EXPECT_NEAR(double(dialog->value()) / dialog->maximum(), 0.5, 0.01);
    dialog->cancel();
    EXPECT_FALSE(progress->Step(5'000'000'001LL));
    EXPECT_FALSE(progress->Step(5'000'000'002LL));
}

TEST_F(QtPlatformTest, PrintJobPaintsOnThePrinter) {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = folder.QPath() + "out.pdf";
    printer.setOutputFileName(pdf);
    EXPECT_TRUE(platform.RunPrintJob(printer, "Labels", [](QPagedPaintDevice& device) {
        QPainter painter(&device);
        painter.drawText(QPointF(50, 50), "Label one");
    }));
    EXPECT_EQ(printer.docName(), "Labels");
    EXPECT_TRUE(test::PdfText(pdf).contains("Label one"));
}

// A question before destroying something has "No" as its default button,
// so a stray Enter keeps the data; its text and buttons are the usual ones.
TEST_F(QtPlatformTest, DestructiveQuestionsDefaultToNo) {
    WhenShown([](QWidget& w) {
        auto& box = dynamic_cast<QMessageBox&>(w);
        EXPECT_EQ(box.text(), "Delete this item?");
        EXPECT_EQ(box.buttons().size(), 2);
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::No));
        Key(w, Qt::Key_Return);
    });
    EXPECT_FALSE(platform.ConfirmDestructive("Delete this item?"));
    WhenShown([](QWidget& w) { dynamic_cast<QMessageBox&>(w).button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(platform.ConfirmDestructive("Delete this item?"));
}

// A print job that cannot reach its printer or file says so and why,
// instead of printing nowhere.
TEST_F(QtPlatformTest, FailedPrintJobsReportWhy) {
    bool painted = false;
    const auto paint = [&painted](QPagedPaintDevice& device) {
        painted = true;
        QPainter painter(&device);
        painter.drawText(QPointF(50, 50), "Invoice");
    };
    QPrinter toFile;
    toFile.setOutputFormat(QPrinter::PdfFormat);
    toFile.setOutputFileName(folder.QPath() + "no-such-folder/out.pdf");
    QString why;
    EXPECT_FALSE(platform.RunPrintJob(toFile, "Invoice", paint, &why));
    EXPECT_TRUE(why.contains("no-such-folder/out.pdf")) << why.toStdString();

    QPrinter gone;
    gone.setPrinterName("No Such Printer 7");
    why.clear();
    painted = false;
    EXPECT_FALSE(platform.RunPrintJob(gone, "Invoice", paint, &why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(painted);
}

// The input box is as wide as its title, prompt and value need.
TEST_F(QtPlatformTest, InputBoxFitsItsTexts) {
    const QString caption = "Please enter the name of the second tax of this store";
    WhenShown([&](QWidget& w) {
        auto& d = dynamic_cast<QInputDialog&>(w);
        EXPECT_GE(d.width(), d.fontMetrics().horizontalAdvance(caption));
        d.reject();
    });
    platform.AskText(caption, "Tax:", "");
}

// Shell "open" reports failure when nothing on the desktop can show the
// address, although the desktop's opener itself starts.
TEST_F(QtPlatformTest, OpenUrlFailsWithoutABrowser) {
    const QString bin = folder.QPath() + "bin";
    QDir().mkpath(bin);
    auto script = [&](const QString& name, const QByteArray& body) {
        QFile f(bin + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body + "\n");
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    };
    script("xdg-open", "exit 3");
    const QByteArray path = qgetenv("PATH"), browser = qgetenv("BROWSER");
    qputenv("PATH", bin.toLocal8Bit());
    qunsetenv("BROWSER");
    struct Restore {
        QByteArray path, browser;
        ~Restore() {
            qputenv("PATH", path);
            if (!browser.isEmpty()) qputenv("BROWSER", browser);
        }
    } restore{path, browser};

    const struct {
        const char* handler;  // what the desktop names for the address
        bool opens;
    } cases[] = {{"", false}, {"firefox.desktop", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handler);
        script("xdg-mime", QByteArray("echo ") + c.handler);
        EXPECT_EQ(platform.OpenUrl("https://example.com/"), c.opens);
        const QString page = folder.QPath() + "help.html";
        folder.Write("help.html", "<html></html>");
        EXPECT_EQ(platform.OpenUrl(QUrl::fromLocalFile(page).toString()), c.opens);
    }
}

TEST_F(QtPlatformTest, StartProgramRunsDetachedInTheFolder) {
    ASSERT_TRUE(platform.StartProgram("/bin/sh", {"-c", "pwd > where.txt"}, folder.QPath()));
    for (int i = 0; i < 500 && !folder.Exists("where.txt"); ++i) QThread::msleep(10);
    QThread::msleep(50);
    const std::string where = folder.Read("where.txt");
    EXPECT_EQ(QDir(QString::fromStdString(where).trimmed()).canonicalPath(),
              QDir(folder.QPath()).canonicalPath());
    EXPECT_FALSE(platform.StartProgram(folder.QPath() + "no-such-program", {}, folder.QPath()));
}

}  // namespace
