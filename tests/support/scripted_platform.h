#pragma once
// The headless platform every screen test runs on. Everything here lives in
// namespace `test`.
//
// A ScriptedPlatform installs itself as ui::platform() when constructed and
// puts the previous platform back when destroyed. It creates the (offscreen)
// QApplication if there is none yet. Dialogs are answered from a queue of
// expectations, strictly in order; everything shown is recorded.
//
//   test::ScriptedPlatform ui;
//   ui.ExpectConfirmation("Delete this item?", MsgAnswer::Yes);
//   ui.ExpectModal("TEditItemForm", [](QDialog& d) {
//       test::SetText(d, "NameEdit", "Hat");
//       test::Click(d, "OKBtn");        // its accept() decides the result
//       return QDialog::Rejected;       // used only if nothing called done()
//   });
//   ui.ExpectError(test::Containing("not found"));   // shown by the sub-screen
//   form.DeleteBtnClick();
//   EXPECT_EQ(ui.Messages(), QStringList({"Delete this item?", "Item not found"}));
//
// A dialog the script did not expect next (another kind, another text, or
// nothing left) fails the running test with what appeared and what the script
// wanted, and is answered safely: Cancel, No, -1, Rejected. Expectations left
// unused fail the test at Finish() or destruction.
//
// A modal sub-screen is shown (so its show and activation handlers run), the
// callback works on it, and it is hidden again. Dialogs that the callback
// opens through the platform take the expectations queued after the modal.
//
// Print jobs are drawn into PDF files (a folder of the test's choosing, or a
// temporary one that lives as long as the platform). Shell calls, progress
// and per-user settings need no script: they are recorded or kept in memory.
#include "testutil.h"
#include "ui/platform.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace test {

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

// The test program's QApplication, created offscreen on first use and kept
// for the whole run. For tests that need widgets but no platform.
QApplication& App();

// What a recorded or expected interaction is.
enum class Dlg {
    Message,
    Input,
    OpenFile,
    SaveFile,
    Date,
    Menu,
    Font,
    Color,
    Modal,
    PrintDialog,
    PrinterSetup,
    PrintJob,
    OpenUrl,
    StartProgram,
    Progress,
    Find,
};
const char* DlgName(Dlg d);
inline void PrintTo(Dlg d, std::ostream* os) { *os << DlgName(d); }

// How an expectation checks a text: exactly (the default when built from a
// string), by a part of it, or not at all.
class Match {
public:
    Match() = default;  // anything
    Match(const QString& exact) : text_(exact), mode_(Mode::Exact) {}
    Match(const char* exact) : Match(QString::fromUtf8(exact)) {}
    static Match Part(const QString& part) {
        Match m(part);
        m.mode_ = Mode::Part;
        return m;
    }
    bool operator()(const QString& s) const;
    QString Describe() const;  // for failure messages
    bool IsAny() const { return mode_ == Mode::Any; }

private:
    enum class Mode { Any, Exact, Part };
    QString text_;
    Mode mode_ = Mode::Any;
};
inline Match Containing(const QString& part) { return Match::Part(part); }
inline Match Any() { return Match(); }

// One thing that appeared. Which fields are used depends on the kind.
struct Shown {
    Dlg kind = Dlg::Message;
    // Message text, input prompt, file dialog title, modal class name, URL,
    // program, print job name, progress label.
    QString text;
    QString caption;    // input caption; file dialog filter
    QString value;      // input prefilled value; proposed file name; initial date (ISO)
    QStringList items;  // menu entries ("(disabled) " before disabled ones); program arguments
    QString dir;        // program working folder; file dialog folder
    QString file;       // print job: the PDF written
    MsgKind msgKind = MsgKind::Information;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;  // the button Enter presses
    qint64 total = 0;                         // progress: total steps
    QString answer;                           // what the script answered, in words
    bool expected = true;                     // false when it did not match the script
};
QString Describe(const Shown& s);

class ScriptedPlatform : public ui::Platform {
public:
    // `printFolder`: where print jobs go; empty = a temporary folder.
    explicit ScriptedPlatform(const QString& printFolder = {});
    ~ScriptedPlatform() override;
    ScriptedPlatform(const ScriptedPlatform&) = delete;
    ScriptedPlatform& operator=(const ScriptedPlatform&) = delete;

    // ---- the script, answered in order ----
    // Any kind of message box. The answer must be one of the box's buttons.
    void ExpectMessage(Match text = {}, MsgAnswer answer = MsgAnswer::Ok);
    void ExpectError(Match text = {}, MsgAnswer answer = MsgAnswer::Ok);
    void ExpectInformation(Match text = {}, MsgAnswer answer = MsgAnswer::Ok);
    void ExpectConfirmation(Match text, MsgAnswer answer);
    // A Yes/No question about destroying something, whose default button
    // must be "No".
    void ExpectDestructive(Match text, MsgAnswer answer);

    // An input box; the prompt (and the caption) are checked.
    void ExpectInput(Match prompt, const QString& answer, Match caption = {});
    void ExpectInputCancel(Match prompt = {}, Match caption = {});

    // File dialogs. A saved name without an extension gets the dialog's
    // default extension, as the real dialog does.
    void ExpectOpenFile(const QString& path, Match title = {});
    void ExpectOpenFileCancel(Match title = {});
    void ExpectSaveFile(const QString& path, Match title = {});
    void ExpectSaveFileCancel(Match title = {});

    void ExpectDate(const QDate& date);
    void ExpectDateCancel();

    // Pop-up menu: chooses the entry with this text, or this index.
    void ExpectMenu(const QString& entry);
    void ExpectMenu(int index);
    void ExpectMenuNone();

    void ExpectFont(const QFont& font);
    void ExpectFontCancel();
    void ExpectColor(const QColor& color);
    void ExpectColorCancel();

    // A modal sub-screen of this class (its metaObject()->className()). The
    // result is the code passed to done()/accept()/reject() while the
    // callback ran, else the callback's return.
    using ModalFn = std::function<int(QDialog&)>;
    void ExpectModal(const QString& className, ModalFn callback);
    void ExpectModal(const QString& className, int result = QDialog::Rejected);

    // Print and printer-setup dialogs. The callback may change the printer
    // as the user would and returns whether the dialog was accepted.
    using PrinterFn = std::function<bool(QPrinter&)>;
    void ExpectPrintDialog(bool accept = true);
    void ExpectPrinterSetup(bool accept = true);
    template <class F>
    requires std::is_invocable_r_v<bool, F, QPrinter&>
    void ExpectPrintDialog(F callback) {
        ExpectPrinterDialog(Dlg::PrintDialog, std::move(callback));
    }
    template <class F>
    requires std::is_invocable_r_v<bool, F, QPrinter&>
    void ExpectPrinterSetup(F callback) {
        ExpectPrinterDialog(Dlg::PrinterSetup, std::move(callback));
    }

    // The find dialog needs no script: it is recorded when shown (its text
    // and options in the log) and stays open until the search closes it or
    // the test does. FindNext presses "Find Next" with these settings and
    // returns whether the dialog is still open afterwards.
    bool FindOpen() const { return findOpen_; }
    const ui::FindOptions& FindInitial() const { return findInitial_; }
    bool FindNext(const ui::FindOptions& options);
    void CloseFind();

    // Print jobs from now on fail with this system message (an empty one
    // lets them print again). Failed jobs are logged, with no file.
    void FailPrintJobs(const QString& message) { printFailure_ = message; }
    // Shell "open" from now on finds nothing to open with (no browser).
    void FailShellOpen(bool fail = true) { shellFails_ = fail; }

    // The next progress started reports Cancel after `steps` calls of Step.
    void CancelProgressAfter(int steps);

    // Checks that every expectation was used; reports those left over and
    // drops them. Returns true when none were left.
    bool Finish();
    std::size_t Pending() const { return script_.size(); }

    // ---- what appeared ----
    const std::vector<Shown>& Log() const { return log_; }
    std::vector<Shown> Log(Dlg kind) const;
    void ClearLog() { log_.clear(); }
    QStringList Messages() const;      // message texts
    QStringList Modals() const;        // class names of sub-screens shown
    QStringList Urls() const;          // OpenUrl addresses
    QStringList PrintedFiles() const;  // PDFs of print jobs, in order
    QString PrintFolder() const { return printFolder_; }

    // The per-user settings store, in memory: "key/section/name" -> value.
    std::map<QString, QVariant>& UserSettings() { return settings_; }

    // ---- ui::Platform ----
    MsgAnswer ShowMessage(MsgKind kind, const QString& text, MsgButtons buttons,
                          MsgAnswer defaultAnswer = MsgAnswer::Yes) override;
    QString AskText(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> OpenFileName(const ui::FileDialogSpec& spec) override;
    std::optional<QString> SaveFileName(const ui::FileDialogSpec& spec) override;
    std::optional<QDate> PickDate(const QPoint& globalPos, const QDate& initial) override;
    int PopupMenu(const QPoint& globalPos, const std::vector<ui::MenuEntry>& entries) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    void ShowFind(const ui::FindOptions& initial,
                  std::function<bool(const ui::FindOptions&)> onFind,
                  std::function<void()> onClose) override;
    int ShowModal(QDialog& dialog) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PrinterSetup(QPrinter& printer) override;
    bool RunPrintJob(QPrinter& printer, const QString& jobName,
                     const std::function<void(QPagedPaintDevice&)>& paint,
                     QString* error = nullptr) override;
    bool OpenUrl(const QString& url) override;
    bool StartProgram(const QString& program, const QStringList& args,
                      const QString& workingDir) override;
    QVariant ReadUserSetting(const QString& key, const QString& section, const QString& name,
                             const QVariant& fallback) override;
    void WriteUserSetting(const QString& key, const QString& section, const QString& name,
                          const QVariant& value) override;
    std::unique_ptr<ui::Progress> StartProgress(const QString& label, qint64 total) override;

private:
    struct Expectation {
        Dlg kind = Dlg::Message;
        Match text;
        Match caption;
        std::optional<MsgKind> msgKind;
        std::optional<MsgAnswer> defaultAnswer;
        bool cancel = false;
        MsgAnswer msgAnswer = MsgAnswer::Ok;
        QString answerText;  // input text, file path, menu entry text
        int index = -1;      // menu index; modal result
        QDate date;
        QFont font;
        QColor color;
        ModalFn modal;
        PrinterFn printer;
        QString Describe() const;
    };

    Expectation& Add(Dlg kind) {
        script_.emplace_back().kind = kind;
        return script_.back();
    }
    // A dialog that answers a value or nothing (Cancel).
    template <class T, class Get>
    std::optional<T> Answer(Shown shown, Get get);
    void ExpectPrinterDialog(Dlg kind, PrinterFn callback);
    // Records `shown` and takes the next expectation if it fits; otherwise
    // fails the test and returns nothing. `at` receives the log index.
    std::optional<Expectation> Take(Shown shown, std::size_t& at);
    std::size_t Record(Shown shown);
    bool Printer(Dlg kind, QPrinter& printer);

    ui::Platform* previous_ = nullptr;
    std::deque<Expectation> script_;
    std::vector<Shown> log_;
    std::map<QString, QVariant> settings_;
    std::unique_ptr<QTemporaryDir> tempPrintDir_;
    QString printFolder_;
    int printCount_ = 0;
    int cancelProgressAfter_ = -1;
    QString printFailure_;
    bool shellFails_ = false;
    bool findOpen_ = false;
    ui::FindOptions findInitial_;
    std::function<bool(const ui::FindOptions&)> onFind_;
    std::function<void()> onFindClose_;
};

}  // namespace test
