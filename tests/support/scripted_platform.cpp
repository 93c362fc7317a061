#include "scripted_platform.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>

namespace test {

QApplication& App() {
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (QCoreApplication::instance()) {
        std::fputs("test::App(): a QCoreApplication exists, widgets need a QApplication\n", stderr);
        std::abort();
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen plugin's complaints about window features it lacks say
    // nothing about the code under test; everything else still shows.
    static QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& msg) {
            if (msg.startsWith("This plugin does not support") ||
                msg.startsWith("QStandardPaths: XDG_RUNTIME_DIR"))
                return;
            if (previous) previous(type, context, msg);
        });
    static int argc = 1;
    static char name[] = "brenvik-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: widgets of a failed test may outlive everything else,
    // and tearing Qt down during static destruction only invites crashes.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

const char* DlgName(Dlg d) {
    switch (d) {
    case Dlg::Message:
        return "message box";
    case Dlg::Input:
        return "input box";
    case Dlg::OpenFile:
        return "open-file dialog";
    case Dlg::SaveFile:
        return "save-file dialog";
    case Dlg::Date:
        return "date picker";
    case Dlg::Menu:
        return "pop-up menu";
    case Dlg::Font:
        return "font dialog";
    case Dlg::Color:
        return "colour dialog";
    case Dlg::Modal:
        return "modal sub-screen";
    case Dlg::PrintDialog:
        return "print dialog";
    case Dlg::PrinterSetup:
        return "printer-setup dialog";
    case Dlg::PrintJob:
        return "print job";
    case Dlg::OpenUrl:
        return "shell open";
    case Dlg::StartProgram:
        return "program start";
    case Dlg::Progress:
        return "progress";
    case Dlg::Find:
        return "find dialog";
    }
    return "?";
}

namespace {

const char* KindName(MsgKind k) {
    switch (k) {
    case MsgKind::Error:
        return "error";
    case MsgKind::Information:
        return "information";
    case MsgKind::Confirmation:
        return "confirmation";
    }
    return "?";
}

const char* AnswerName(MsgAnswer a) {
    switch (a) {
    case MsgAnswer::Ok:
        return "OK";
    case MsgAnswer::Yes:
        return "Yes";
    case MsgAnswer::No:
        return "No";
    }
    return "?";
}

QString Quote(const QString& s) { return '"' + s + '"'; }

std::string Utf8(const QString& s) { return s.toStdString(); }

QString WithoutAccelerator(QString s) {
    s.replace(QRegularExpression("&(?!&)"), QString());
    return s.replace("&&", "&");
}

}  // namespace

bool Match::operator()(const QString& s) const {
    switch (mode_) {
    case Mode::Any:
        return true;
    case Mode::Exact:
        return s == text_;
    case Mode::Part:
        return s.contains(text_);
    }
    return false;
}

QString Match::Describe() const {
    switch (mode_) {
    case Mode::Any:
        return "any text";
    case Mode::Exact:
        return Quote(text_);
    case Mode::Part:
        return "text containing " + Quote(text_);
    }
    return {};
}

QString Describe(const Shown& s) {
    QString d = DlgName(s.kind);
    switch (s.kind) {
    case Dlg::Message:
        d += QString(" (%1, %2) ")
                 .arg(KindName(s.msgKind), s.buttons == MsgButtons::Ok ? QString("OK")
                                           : s.defaultAnswer == MsgAnswer::No
                                               ? QString("Yes/No, default No")
                                               : QString("Yes/No")) +
             Quote(s.text);
        break;
    case Dlg::Input:
        d += " captioned " + Quote(s.caption) + " prompting " + Quote(s.text) + " with value " +
             Quote(s.value);
        break;
    case Dlg::OpenFile:
    case Dlg::SaveFile:
        d += " titled " + Quote(s.text) + " filter " + Quote(s.caption);
        if (!s.value.isEmpty()) d += " proposing " + Quote(s.value);
        break;
    case Dlg::Date:
        d += " starting at " + s.value;
        break;
    case Dlg::Menu:
        d += " [" + s.items.join(" | ") + "]";
        break;
    case Dlg::Font:
    case Dlg::Color:
        d += " starting at " + s.value;
        break;
    case Dlg::Modal:
        d += " " + s.text;
        break;
    case Dlg::PrintDialog:
    case Dlg::PrinterSetup:
        break;
    case Dlg::PrintJob:
        d += " " + Quote(s.text) + " -> " + s.file;
        break;
    case Dlg::OpenUrl:
        d += " " + Quote(s.text);
        break;
    case Dlg::StartProgram:
        d += " " + Quote(s.text) + " [" + s.items.join(' ') + "] in " + Quote(s.dir);
        break;
    case Dlg::Progress:
        d += " " + Quote(s.text) + " of " + QString::number(s.total);
        break;
    case Dlg::Find:
        d += " for " + Quote(s.text) + " [" + s.items.join(", ") + "]";
        break;
    }
    return d;
}

QString ScriptedPlatform::Expectation::Describe() const {
    QString d = DlgName(kind);
    switch (kind) {
    case Dlg::Message:
        if (msgKind) d += QString(" (%1)").arg(KindName(*msgKind));
        if (defaultAnswer) d += QString(" (default %1)").arg(AnswerName(*defaultAnswer));
        d += " with " + text.Describe() + ", answering " + AnswerName(msgAnswer);
        break;
    case Dlg::Input:
        d += " prompting " + text.Describe();
        if (!caption.IsAny()) d += " captioned " + caption.Describe();
        d += cancel ? ", cancelled" : ", answering " + Quote(answerText);
        break;
    case Dlg::OpenFile:
    case Dlg::SaveFile:
        if (!text.IsAny()) d += " titled " + text.Describe();
        d += cancel ? ", cancelled" : ", answering " + Quote(answerText);
        break;
    case Dlg::Date:
        d += cancel ? ", cancelled" : ", answering " + date.toString(Qt::ISODate);
        break;
    case Dlg::Menu:
        if (cancel) d += ", choosing nothing";
        else if (index >= 0) d += ", choosing entry " + QString::number(index);
        else d += ", choosing " + Quote(answerText);
        break;
    case Dlg::Font:
        d += cancel ? ", cancelled" : ", answering " + font.toString();
        break;
    case Dlg::Color:
        d += cancel ? ", cancelled" : ", answering " + color.name();
        break;
    case Dlg::Modal:
        d += " " + text.Describe();
        break;
    case Dlg::PrintDialog:
    case Dlg::PrinterSetup:
        if (!printer) d += cancel ? ", cancelled" : ", accepted";
        break;
    default:
        break;
    }
    return d;
}

ScriptedPlatform::ScriptedPlatform(const QString& printFolder) {
    App();
    if (printFolder.isEmpty()) {
        tempPrintDir_ = std::make_unique<QTemporaryDir>();
        printFolder_ = tempPrintDir_->path();
    } else {
        printFolder_ = printFolder;
        QDir().mkpath(printFolder_);
    }
    previous_ = ui::InstalledPlatform();
    ui::SetPlatform(this);
}

ScriptedPlatform::~ScriptedPlatform() {
    Finish();
    ui::SetPlatform(previous_);
}

// ---- script ----

void ScriptedPlatform::ExpectMessage(Match text, MsgAnswer answer) {
    auto& e = Add(Dlg::Message);
    e.text = std::move(text);
    e.msgAnswer = answer;
}

void ScriptedPlatform::ExpectError(Match text, MsgAnswer answer) {
    ExpectMessage(std::move(text), answer);
    script_.back().msgKind = MsgKind::Error;
}

void ScriptedPlatform::ExpectInformation(Match text, MsgAnswer answer) {
    ExpectMessage(std::move(text), answer);
    script_.back().msgKind = MsgKind::Information;
}

void ScriptedPlatform::ExpectConfirmation(Match text, MsgAnswer answer) {
    ExpectMessage(std::move(text), answer);
    script_.back().msgKind = MsgKind::Confirmation;
}

void ScriptedPlatform::ExpectDestructive(Match text, MsgAnswer answer) {
    ExpectConfirmation(std::move(text), answer);
    script_.back().defaultAnswer = MsgAnswer::No;
}

void ScriptedPlatform::ExpectInput(Match prompt, const QString& answer, Match caption) {
    auto& e = Add(Dlg::Input);
    e.text = std::move(prompt);
    e.caption = std::move(caption);
    e.answerText = answer;
}

void ScriptedPlatform::ExpectInputCancel(Match prompt, Match caption) {
    ExpectInput(std::move(prompt), {}, std::move(caption));
    script_.back().cancel = true;
}

void ScriptedPlatform::ExpectOpenFile(const QString& path, Match title) {
    auto& e = Add(Dlg::OpenFile);
    e.text = std::move(title);
    e.answerText = path;
}

void ScriptedPlatform::ExpectOpenFileCancel(Match title) {
    Add(Dlg::OpenFile).text = std::move(title);
    script_.back().cancel = true;
}

void ScriptedPlatform::ExpectSaveFile(const QString& path, Match title) {
    ExpectOpenFile(path, std::move(title));
    script_.back().kind = Dlg::SaveFile;
}

void ScriptedPlatform::ExpectSaveFileCancel(Match title) {
    ExpectOpenFileCancel(std::move(title));
    script_.back().kind = Dlg::SaveFile;
}

void ScriptedPlatform::ExpectDate(const QDate& date) { Add(Dlg::Date).date = date; }
void ScriptedPlatform::ExpectDateCancel() { Add(Dlg::Date).cancel = true; }
void ScriptedPlatform::ExpectMenu(const QString& entry) { Add(Dlg::Menu).answerText = entry; }
void ScriptedPlatform::ExpectMenu(int index) { Add(Dlg::Menu).index = index; }
void ScriptedPlatform::ExpectMenuNone() { Add(Dlg::Menu).cancel = true; }
void ScriptedPlatform::ExpectFont(const QFont& font) { Add(Dlg::Font).font = font; }
void ScriptedPlatform::ExpectFontCancel() { Add(Dlg::Font).cancel = true; }
void ScriptedPlatform::ExpectColor(const QColor& color) { Add(Dlg::Color).color = color; }
void ScriptedPlatform::ExpectColorCancel() { Add(Dlg::Color).cancel = true; }

void ScriptedPlatform::ExpectModal(const QString& className, ModalFn callback) {
    auto& e = Add(Dlg::Modal);
    e.text = Match(className);
    e.modal = std::move(callback);
    e.index = QDialog::Rejected;
}

void ScriptedPlatform::ExpectModal(const QString& className, int result) {
    ExpectModal(className, ModalFn{});
    script_.back().index = result;
}

void ScriptedPlatform::ExpectPrintDialog(bool accept) { Add(Dlg::PrintDialog).cancel = !accept; }
void ScriptedPlatform::ExpectPrinterSetup(bool accept) { Add(Dlg::PrinterSetup).cancel = !accept; }

void ScriptedPlatform::ExpectPrinterDialog(Dlg kind, PrinterFn callback) {
    Add(kind).printer = std::move(callback);
}

void ScriptedPlatform::CancelProgressAfter(int steps) { cancelProgressAfter_ = steps; }

bool ScriptedPlatform::Finish() {
    if (script_.empty()) return true;
    QString left;
    for (const auto& e : script_) left += "\n  " + e.Describe();
    ADD_FAILURE() << script_.size() << " scripted interaction(s) never came:" << Utf8(left);
    script_.clear();
    return false;
}

// ---- records ----

std::vector<Shown> ScriptedPlatform::Log(Dlg kind) const {
    std::vector<Shown> out;
    for (const auto& s : log_)
        if (s.kind == kind) out.push_back(s);
    return out;
}

QStringList ScriptedPlatform::Messages() const {
    QStringList out;
    for (const auto& s : log_)
        if (s.kind == Dlg::Message) out << s.text;
    return out;
}

QStringList ScriptedPlatform::Modals() const {
    QStringList out;
    for (const auto& s : log_)
        if (s.kind == Dlg::Modal) out << s.text;
    return out;
}

QStringList ScriptedPlatform::Urls() const {
    QStringList out;
    for (const auto& s : log_)
        if (s.kind == Dlg::OpenUrl) out << s.text;
    return out;
}

QStringList ScriptedPlatform::PrintedFiles() const {
    QStringList out;
    for (const auto& s : log_)
        if (s.kind == Dlg::PrintJob && !s.file.isEmpty()) out << s.file;
    return out;
}

std::size_t ScriptedPlatform::Record(Shown shown) {
    log_.push_back(std::move(shown));
    return log_.size() - 1;
}

std::optional<ScriptedPlatform::Expectation> ScriptedPlatform::Take(Shown shown, std::size_t& at) {
    at = Record(std::move(shown));
    const Shown& s = log_[at];
    auto fail = [&](const QString& next) {
        log_[at].expected = false;
        ADD_FAILURE() << "Unexpected " << Utf8(Describe(s))
                      << "\n  the script expected next: " << Utf8(next);
        return std::nullopt;
    };
    if (script_.empty()) return fail("nothing more");
    Expectation e = script_.front();
    if (e.kind != s.kind) return fail(e.Describe());  // stays queued for what comes next
    script_.pop_front();
    bool fits = e.text(s.text) && e.caption(s.caption) && (!e.msgKind || *e.msgKind == s.msgKind) &&
                (!e.defaultAnswer || *e.defaultAnswer == s.defaultAnswer);
    if (!fits) return fail(e.Describe());
    return e;
}

// ---- ui::Platform ----

MsgAnswer ScriptedPlatform::ShowMessage(MsgKind kind, const QString& text, MsgButtons buttons,
                                        MsgAnswer defaultAnswer) {
    Shown s;
    s.kind = Dlg::Message;
    s.msgKind = kind;
    s.text = text;
    s.buttons = buttons;
    s.defaultAnswer = buttons == MsgButtons::Ok ? MsgAnswer::Ok : defaultAnswer;
    std::size_t at = 0;
    auto e = Take(std::move(s), at);
    const MsgAnswer safe = buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Ok;
    MsgAnswer answer = safe;
    if (e) {
        answer = e->msgAnswer;
        bool offered =
            buttons == MsgButtons::Ok ? answer == MsgAnswer::Ok : answer != MsgAnswer::Ok;
        if (!offered) {
            log_[at].expected = false;
            ADD_FAILURE() << "The script answers " << AnswerName(answer) << " to "
                          << Utf8(Describe(log_[at])) << ", which has no such button";
            answer = safe;
        }
    }
    log_[at].answer = AnswerName(answer);
    return answer;
}

QString ScriptedPlatform::AskText(const QString& caption, const QString& prompt,
                                  const QString& value) {
    Shown s;
    s.kind = Dlg::Input;
    s.caption = caption;
    s.text = prompt;
    s.value = value;
    std::size_t at = 0;
    auto e = Take(std::move(s), at);
    QString answer = (e && !e->cancel) ? e->answerText : value;
    log_[at].answer = (e && !e->cancel) ? Quote(answer) : QString("Cancel");
    return answer;
}

namespace {
QString Say(const QString& s) { return s; }
QString Say(const QDate& d) { return d.toString(Qt::ISODate); }
QString Say(const QFont& f) { return f.toString(); }
QString Say(const QColor& c) { return c.name(); }

test::Shown FileShown(Dlg kind, const ui::FileDialogSpec& spec) {
    test::Shown s;
    s.kind = kind;
    s.text = spec.title;
    s.caption = spec.filter;
    s.value = spec.fileName;
    s.dir = spec.directory;
    return s;
}
}  // namespace

template <class T, class Get>
std::optional<T> ScriptedPlatform::Answer(Shown shown, Get get) {
    std::size_t at = 0;
    auto e = Take(std::move(shown), at);
    if (!e || e->cancel) {
        log_[at].answer = "Cancel";
        return std::nullopt;
    }
    T value = get(*e);
    log_[at].answer = Say(value);
    return value;
}

std::optional<QString> ScriptedPlatform::OpenFileName(const ui::FileDialogSpec& spec) {
    return Answer<QString>(FileShown(Dlg::OpenFile, spec),
                           [](const Expectation& e) { return e.answerText; });
}

std::optional<QString> ScriptedPlatform::SaveFileName(const ui::FileDialogSpec& spec) {
    return Answer<QString>(FileShown(Dlg::SaveFile, spec), [&spec](const Expectation& e) {
        QString path = e.answerText;
        QString ext = spec.defaultExt;
        if (ext.startsWith('.')) ext.remove(0, 1);
        if (!ext.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += '.' + ext;
        return path;
    });
}

std::optional<QDate> ScriptedPlatform::PickDate(const QPoint&, const QDate& initial) {
    Shown s;
    s.kind = Dlg::Date;
    s.value = Say(initial);
    return Answer<QDate>(std::move(s), [](const Expectation& e) { return e.date; });
}

int ScriptedPlatform::PopupMenu(const QPoint&, const std::vector<ui::MenuEntry>& entries) {
    Shown s;
    s.kind = Dlg::Menu;
    for (const auto& m : entries) s.items << (m.enabled ? m.text : "(disabled) " + m.text);
    std::size_t at = 0;
    auto e = Take(std::move(s), at);
    int chosen = -1;
    if (e && !e->cancel) {
        chosen = e->index;
        if (chosen < 0) {
            for (std::size_t i = 0; i < entries.size() && chosen < 0; ++i)
                if (WithoutAccelerator(entries[i].text) == WithoutAccelerator(e->answerText))
                    chosen = int(i);
        }
        bool usable =
            chosen >= 0 && std::size_t(chosen) < entries.size() && entries[chosen].enabled;
        if (!usable) {
            log_[at].expected = false;
            ADD_FAILURE() << "The script chooses what " << Utf8(Describe(log_[at]))
                          << " does not offer: " << Utf8(e->Describe());
            chosen = -1;
        }
    }
    log_[at].answer = chosen < 0 ? QString("nothing") : QString::number(chosen);
    return chosen;
}

std::optional<QFont> ScriptedPlatform::ChooseFont(const QFont& initial) {
    Shown s;
    s.kind = Dlg::Font;
    s.value = Say(initial);
    return Answer<QFont>(std::move(s), [](const Expectation& e) { return e.font; });
}

std::optional<QColor> ScriptedPlatform::ChooseColor(const QColor& initial) {
    Shown s;
    s.kind = Dlg::Color;
    s.value = Say(initial);
    return Answer<QColor>(std::move(s), [](const Expectation& e) { return e.color; });
}

int ScriptedPlatform::ShowModal(QDialog& dialog) {
    Shown s;
    s.kind = Dlg::Modal;
    // Screens are expected by their class name without the namespace.
    s.text = QString::fromLatin1(dialog.metaObject()->className()).section("::", -1);
    std::size_t at = 0;
    auto e = Take(std::move(s), at);
    if (!e) {
        log_[at].answer = "Rejected";
        return QDialog::Rejected;
    }

    // The dialog is really shown, so that its show and activation handlers
    // run as they would in the program.
    QPointer<QDialog> guard(&dialog);
    std::optional<int> done;
    auto conn = QObject::connect(&dialog, &QDialog::finished, [&done](int r) { done = r; });
    struct Cleanup {
        QPointer<QDialog>& d;
        QMetaObject::Connection& c;
        ~Cleanup() {
            QObject::disconnect(c);
            if (d && d->isVisible()) d->hide();
            QCoreApplication::processEvents();
        }
    } cleanup{guard, conn};

    dialog.show();
    dialog.activateWindow();
    QCoreApplication::processEvents();

    int result = e->index;
    if (e->modal && guard) result = e->modal(dialog);
    if (done) result = *done;
    else if (guard) dialog.setResult(result);  // as if the screen had closed itself so
    log_[at].answer = QString::number(result);
    return result;
}

namespace {
QStringList FindFlags(const ui::FindOptions& o) {
    QStringList flags{o.down ? "down" : "up"};
    if (o.wholeWord) flags << "whole word";
    if (o.matchCase) flags << "match case";
    return flags;
}
}  // namespace

void ScriptedPlatform::ShowFind(const ui::FindOptions& initial,
                                std::function<bool(const ui::FindOptions&)> onFind,
                                std::function<void()> onClose) {
    if (findOpen_) CloseFind();  // showing it again replaces it, as the real one does
    Shown s;
    s.kind = Dlg::Find;
    s.text = initial.text;
    s.items = FindFlags(initial);
    s.answer = "shown";
    Record(std::move(s));
    findOpen_ = true;
    findInitial_ = initial;
    onFind_ = std::move(onFind);
    onFindClose_ = std::move(onClose);
}

bool ScriptedPlatform::FindNext(const ui::FindOptions& options) {
    if (!findOpen_) {
        ADD_FAILURE() << "FindNext for " << Utf8(Quote(options.text))
                      << " with no find dialog open";
        return false;
    }
    if (onFind_ && !onFind_(options)) CloseFind();
    return findOpen_;
}

void ScriptedPlatform::CloseFind() {
    if (!findOpen_) return;
    findOpen_ = false;
    auto onClose = std::move(onFindClose_);
    onFind_ = nullptr;
    onFindClose_ = nullptr;
    if (onClose) onClose();
}

bool ScriptedPlatform::Printer(Dlg kind, QPrinter& printer) {
    Shown s;
    s.kind = kind;
    std::size_t at = 0;
    auto e = Take(std::move(s), at);
    bool ok = false;
    if (e) ok = e->printer ? e->printer(printer) : !e->cancel;
    log_[at].answer = ok ? "accepted" : "cancelled";
    return ok;
}

bool ScriptedPlatform::PrintDialog(QPrinter& printer) { return Printer(Dlg::PrintDialog, printer); }

bool ScriptedPlatform::PrinterSetup(QPrinter& printer) {
    return Printer(Dlg::PrinterSetup, printer);
}

bool ScriptedPlatform::RunPrintJob(QPrinter& printer, const QString& jobName,
                                   const std::function<void(QPagedPaintDevice&)>& paint,
                                   QString* error) {
    if (!printFailure_.isEmpty()) {
        Shown s;
        s.kind = Dlg::PrintJob;
        s.text = jobName;
        s.answer = "failed: " + printFailure_;
        Record(std::move(s));
        if (error) *error = printFailure_;
        return false;
    }
    ++printCount_;
    QString stem = jobName;
    stem.replace(QRegularExpression("[^A-Za-z0-9._-]+"), "_");
    if (stem.isEmpty()) stem = "job";
    const QString path =
        QDir(printFolder_)
            .filePath(QString("%1-%2.pdf").arg(printCount_, 3, 10, QChar('0')).arg(stem));

    const QPageLayout layout = printer.pageLayout();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageLayout(layout);
    printer.setDocName(jobName);

    Shown s;
    s.kind = Dlg::PrintJob;
    s.text = jobName;
    s.file = path;
    s.value = QString::number(printer.copyCount());
    Record(std::move(s));
    paint(printer);
    return true;
}

bool ScriptedPlatform::OpenUrl(const QString& url) {
    Shown s;
    s.kind = Dlg::OpenUrl;
    s.text = url;
    s.answer = shellFails_ ? "nothing to open it with" : "opened";
    Record(std::move(s));
    return !shellFails_;
}

bool ScriptedPlatform::StartProgram(const QString& program, const QStringList& args,
                                    const QString& workingDir) {
    Shown s;
    s.kind = Dlg::StartProgram;
    s.text = program;
    s.items = args;
    s.dir = workingDir;
    Record(std::move(s));
    return true;
}

QVariant ScriptedPlatform::ReadUserSetting(const QString& key, const QString& section,
                                           const QString& name, const QVariant& fallback) {
    auto it = settings_.find(key + '/' + section + '/' + name);
    return it == settings_.end() ? fallback : it->second;
}

void ScriptedPlatform::WriteUserSetting(const QString& key, const QString& section,
                                        const QString& name, const QVariant& value) {
    settings_[key + '/' + section + '/' + name] = value;
}

namespace {

class ScriptedProgress : public ui::Progress {
public:
    ScriptedProgress(std::vector<Shown>& log, std::size_t at, int cancelAfter)
        : log_(log), at_(at), left_(cancelAfter) {}
    bool Step(qint64 done) override {
        if (cancelled_) return false;
        if (left_ >= 0 && left_-- == 0) {
            cancelled_ = true;
            if (at_ < log_.size() && log_[at_].kind == Dlg::Progress)
                log_[at_].answer = "cancelled at " + QString::number(done);
            return false;
        }
        return true;
    }

private:
    std::vector<Shown>& log_;
    std::size_t at_;
    int left_;
    bool cancelled_ = false;
};

}  // namespace

std::unique_ptr<ui::Progress> ScriptedPlatform::StartProgress(const QString& label, qint64 total) {
    Shown s;
    s.kind = Dlg::Progress;
    s.text = label;
    s.total = total;
    s.answer = "ran";
    std::size_t at = Record(std::move(s));
    int after = cancelProgressAfter_;
    cancelProgressAfter_ = -1;
    return std::make_unique<ScriptedProgress>(log_, at, after);
}

}  // namespace test
