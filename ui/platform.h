#pragma once
// The one door through which every screen of both programs talks to the user
// and the desktop: message and input boxes, file dialogs, the date picker,
// pop-up menus, font and colour dialogs, modal sub-screens, printing, the
// shell and the per-user settings store. The Qt implementation shows real
// dialogs; tests install a scripted one that answers from a queue.
#include "store/core/prompter.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QPrinter;
class QPagedPaintDevice;

namespace ui {

using brenvik::MsgAnswer;
using brenvik::MsgButtons;
using brenvik::MsgKind;

struct MenuEntry {
    QString text;
    bool enabled = true;
};

struct FileDialogSpec {
    QString title;
    QString filter;      // Qt filter text, e.g. "CSV files (*.csv);;All files (*)"
    QString defaultExt;  // added when the user types a name without extension
    QString directory;
    QString fileName;  // proposed name
    // A save dialog asks before replacing a file unless the caller asks
    // its own question.
    bool confirmOverwrite = true;
};

// The find dialog's settings: search text, whole word, match case, direction.
struct FindOptions {
    QString text;
    bool down = true;
    bool wholeWord = false;
    bool matchCase = false;
};

// A running long task; Step returns false once the user has cancelled.
class Progress {
public:
    virtual ~Progress() = default;
    virtual bool Step(qint64 done) = 0;
};

class Platform : public brenvik::Prompter {
public:
    // Prompter, on the store's bytes: converted and passed on to the Qt forms.
    MsgAnswer Message(MsgKind kind, const std::string& text, MsgButtons buttons) final;
    std::string InputBox(const std::string& caption, const std::string& prompt,
                         const std::string& value) final;

    // `defaultAnswer` is the button Enter presses in a Yes/No box.
    virtual MsgAnswer ShowMessage(MsgKind kind, const QString& text, MsgButtons buttons,
                                  MsgAnswer defaultAnswer = MsgAnswer::Yes) = 0;
    // A Yes/No question before destroying something (deleting, discarding,
    // purging, overwriting): "No" is the default, so a stray Enter keeps
    // what is there. Returns true only for "Yes".
    bool ConfirmDestructive(const QString& text);
    // Cancel returns `value` unchanged.
    virtual QString AskText(const QString& caption, const QString& prompt,
                            const QString& value) = 0;

    virtual std::optional<QString> OpenFileName(const FileDialogSpec& spec) = 0;
    virtual std::optional<QString> SaveFileName(const FileDialogSpec& spec) = 0;

    // Calendar picker shown with its top-left corner at `globalPos`.
    virtual std::optional<QDate> PickDate(const QPoint& globalPos, const QDate& initial) = 0;
    // Pop-up menu at `globalPos`; returns the chosen entry's index, or -1.
    virtual int PopupMenu(const QPoint& globalPos, const std::vector<MenuEntry>& entries) = 0;

    virtual std::optional<QFont> ChooseFont(const QFont& initial) = 0;
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;

    // The find dialog, shown without blocking. Every "Find Next" calls
    // `onFind`; the dialog closes when it returns false, and `onClose` runs
    // whenever it closes (also by Cancel). Showing it again replaces it.
    virtual void ShowFind(const FindOptions& initial,
                          std::function<bool(const FindOptions&)> onFind,
                          std::function<void()> onClose) = 0;

    // Shows a sub-screen modally and returns its result code
    // (QDialog::Accepted, QDialog::Rejected, or what it passed to done()).
    virtual int ShowModal(QDialog& dialog) = 0;

    // The print dialog and the printer-setup dialog on `printer`;
    // false when the user cancels.
    virtual bool PrintDialog(QPrinter& printer) = 0;
    virtual bool PrinterSetup(QPrinter& printer) = 0;
    // A print job: `paint` draws every page on the device. The real platform
    // prints on `printer`; the scripted one prints into a PDF file.
    // On failure it returns false and, when `error` is given, puts there
    // what went wrong in the system's words.
    virtual bool RunPrintJob(QPrinter& printer, const QString& jobName,
                             const std::function<void(QPagedPaintDevice&)>& paint,
                             QString* error = nullptr) = 0;

    // Shell "open" of a web address or file URL, and starting a program
    // without waiting. Both return false when nothing could be started
    // (no browser or viewer installed, no such program).
    virtual bool OpenUrl(const QString& url) = 0;
    virtual bool StartProgram(const QString& program, const QStringList& args,
                              const QString& workingDir) = 0;

    // The per-user settings store: key (e.g. "Varnholt"), section, value name.
    virtual QVariant ReadUserSetting(const QString& key, const QString& section,
                                     const QString& name, const QVariant& fallback) = 0;
    virtual void WriteUserSetting(const QString& key, const QString& section, const QString& name,
                                  const QVariant& value) = 0;

    // Progress of long work (loading, saving, reports), with Cancel.
    virtual std::unique_ptr<Progress> StartProgress(const QString& label, qint64 total) = 0;
};

// The platform in use. Programs install the Qt platform at start;
// tests install a scripted one.
Platform& platform();
void SetPlatform(Platform* p);
// The installed platform, or nullptr when none is (platform() would abort).
Platform* InstalledPlatform();

// Shows an error raised by a handler as the program's general error display.
void ShowError(const std::exception& e);

// Runs a handler body; any exception it raises is shown by ShowError.
template <class F>
void Guarded(F&& body) {
    try {
        body();
    } catch (const std::exception& e) {
        ShowError(e);
    }
}

}  // namespace ui
