#include "ui/qtplatform.h"

#include "ui/widgets.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace ui {

QWidget* DialogParent() {
    if (QWidget* w = QApplication::activeModalWidget()) return w;
    return QApplication::activeWindow();
}

QtPlatform::QtPlatform(QString settingsFile) : settingsFile_(std::move(settingsFile)) {}

QtPlatform::~QtPlatform() = default;

MsgAnswer QtPlatform::ShowMessage(MsgKind kind, const QString& text, MsgButtons buttons,
                                  MsgAnswer defaultAnswer) {
    QMessageBox box(DialogParent());
    switch (kind) {
    case MsgKind::Error:
        box.setIcon(QMessageBox::Critical);
        box.setWindowTitle(QObject::tr("Error"));
        break;
    case MsgKind::Information:
        box.setIcon(QMessageBox::Information);
        box.setWindowTitle(QObject::tr("Information"));
        break;
    case MsgKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        box.setWindowTitle(QObject::tr("Confirm"));
        break;
    }
    // Store texts are never markup, whatever they contain.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (buttons == MsgButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(defaultAnswer == MsgAnswer::No ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.exec();
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MsgAnswer::Yes : MsgAnswer::No;
}

int InputBoxWidth(const QWidget& box, const QString& caption, const QString& prompt,
                  const QString& value) {
    // The title bar also holds the window's buttons: about four lines' height.
    const QFontMetrics fm = box.fontMetrics();
    const int title = fm.horizontalAdvance(caption) + 4 * fm.height();
    return std::max({TextWidth(&box, prompt), TextWidth(&box, value), title, 200});
}

QString QtPlatform::AskText(const QString& caption, const QString& prompt, const QString& value) {
    QInputDialog dialog(DialogParent());
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(value);
    for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
    // The dialog's layout sets its size from its parts, so the prompt
    // carries the width.
    const int width = InputBoxWidth(dialog, caption, prompt, value);
    for (QLabel* label : dialog.findChildren<QLabel*>()) label->setMinimumWidth(width);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : value;
}

std::optional<QString> QtPlatform::FileName(const FileDialogSpec& spec, bool save) {
    QFileDialog dialog(DialogParent(), spec.title, spec.directory, spec.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString ext = spec.defaultExt;
    if (ext.startsWith('.')) ext.remove(0, 1);
    dialog.setDefaultSuffix(ext);
    if (save && !spec.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!spec.fileName.isEmpty()) dialog.selectFile(spec.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first();
}

std::optional<QString> QtPlatform::OpenFileName(const FileDialogSpec& spec) {
    return FileName(spec, false);
}

std::optional<QString> QtPlatform::SaveFileName(const FileDialogSpec& spec) {
    return FileName(spec, true);
}

std::optional<QDate> QtPlatform::PickDate(const QPoint& globalPos, const QDate& initial) {
    // A small borderless calendar at the given place; a click or Enter picks,
    // Escape or a click elsewhere leaves.
    QDialog popup(DialogParent(), Qt::Popup | Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(&popup);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* calendar = new QCalendarWidget(&popup);
    calendar->setObjectName("Calendar");
    calendar->setGridVisible(true);
    calendar->setSelectedDate(initial.isValid() ? initial : QDate::currentDate());
    layout->addWidget(calendar);
    QObject::connect(calendar, &QCalendarWidget::clicked, &popup, &QDialog::accept);
    QObject::connect(calendar, &QCalendarWidget::activated, &popup, &QDialog::accept);
    popup.adjustSize();

    QRect area(globalPos, popup.size());
    if (QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect avail = screen->availableGeometry();
        if (area.right() > avail.right()) area.moveRight(avail.right());
        if (area.bottom() > avail.bottom()) area.moveBottom(avail.bottom());
        if (area.left() < avail.left()) area.moveLeft(avail.left());
        if (area.top() < avail.top()) area.moveTop(avail.top());
    }
    popup.move(area.topLeft());
    calendar->setFocus();
    if (popup.exec() != QDialog::Accepted) return std::nullopt;
    return calendar->selectedDate();
}

int QtPlatform::PopupMenu(const QPoint& globalPos, const std::vector<MenuEntry>& entries) {
    QMenu menu(DialogParent());
    std::vector<QAction*> actions;
    for (const auto& e : entries) {
        // "-" is a separator line, as menus of this program write it.
        QAction* a = e.text == "-" ? menu.addSeparator() : menu.addAction(e.text);
        a->setEnabled(e.enabled);
        actions.push_back(a);
    }
    QAction* chosen = menu.exec(globalPos);
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (chosen && actions[i] == chosen) return int(i);
    return -1;
}

std::optional<QFont> QtPlatform::ChooseFont(const QFont& initial) {
    bool ok = false;
    QFont font = QFontDialog::getFont(&ok, initial, DialogParent());
    if (!ok) return std::nullopt;
    return font;
}

std::optional<QColor> QtPlatform::ChooseColor(const QColor& initial) {
    QColor color = QColorDialog::getColor(initial, DialogParent());
    if (!color.isValid()) return std::nullopt;
    return color;
}

void QtPlatform::ShowFind(const FindOptions& initial,
                          std::function<bool(const FindOptions&)> onFind,
                          std::function<void()> onClose) {
    if (find_) find_->close();

    auto* dialog = new QDialog(DialogParent());
    dialog->setObjectName("FindDialog");
    dialog->setWindowTitle(QObject::tr("Find"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);

    auto* text = new QLineEdit(initial.text, dialog);
    text->setObjectName("FindText");
    auto* wholeWord = new QCheckBox(QObject::tr("Match &whole word only"), dialog);
    wholeWord->setObjectName("WholeWord");
    wholeWord->setChecked(initial.wholeWord);
    auto* matchCase = new QCheckBox(QObject::tr("Match &case"), dialog);
    matchCase->setObjectName("MatchCase");
    matchCase->setChecked(initial.matchCase);
    auto* direction = new QGroupBox(QObject::tr("Direction"), dialog);
    auto* up = new QRadioButton(QObject::tr("&Up"), direction);
    up->setObjectName("Up");
    auto* down = new QRadioButton(QObject::tr("&Down"), direction);
    down->setObjectName("Down");
    (initial.down ? down : up)->setChecked(true);
    auto* dirLayout = new QHBoxLayout(direction);
    dirLayout->addWidget(up);
    dirLayout->addWidget(down);

    auto* buttons = new QDialogButtonBox(Qt::Vertical, dialog);
    QPushButton* next = buttons->addButton(QObject::tr("&Find Next"), QDialogButtonBox::AcceptRole);
    next->setObjectName("FindNext");
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);

    auto* left = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QObject::tr("Fi&nd what:"), dialog);
    label->setBuddy(text);
    row->addWidget(label);
    row->addWidget(text, 1);
    left->addLayout(row);
    auto* options = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(wholeWord);
    checks->addWidget(matchCase);
    options->addLayout(checks);
    options->addWidget(direction);
    left->addLayout(options);
    auto* layout = new QHBoxLayout(dialog);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    next->setEnabled(!initial.text.isEmpty());
    QObject::connect(text, &QLineEdit::textChanged, next,
                     [next](const QString& t) { next->setEnabled(!t.isEmpty()); });
    // "Find Next" keeps the dialog open until the search says it is done.
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [=] {
        FindOptions o;
        o.text = text->text();
        o.down = down->isChecked();
        o.wholeWord = wholeWord->isChecked();
        o.matchCase = matchCase->isChecked();
        if (!onFind(o)) dialog->reject();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(dialog, &QDialog::finished, dialog, [onClose] {
        if (onClose) onClose();
    });
    find_ = dialog;
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

int QtPlatform::ShowModal(QDialog& dialog) { return dialog.exec(); }

bool QtPlatform::PrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatform::PrinterSetup(QPrinter& printer) {
    QPageSetupDialog dialog(&printer, DialogParent());
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatform::RunPrintJob(QPrinter& printer, const QString& jobName,
                             const std::function<void(QPagedPaintDevice&)>& paint, QString* error) {
    auto fail = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    // Without a print system, or with a printer that is gone, Qt would
    // quietly print nowhere (it falls back to a PDF file without a name).
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (!toFile || printer.outputFileName().isEmpty()) {
        const QStringList installed = QPrinterInfo::availablePrinterNames();
        if (installed.isEmpty())
            return fail(QObject::tr("No printer is installed on this computer."));
        if (toFile || !installed.contains(printer.printerName()))
            return fail(QObject::tr("The chosen printer is not installed on this computer."));
    }
    printer.setDocName(jobName);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct Restore {
        ~Restore() { QApplication::restoreOverrideCursor(); }
    } restore;
    paint(printer);
    switch (printer.printerState()) {
    case QPrinter::Error:
        return fail(printer.outputFormat() == QPrinter::NativeFormat
                        ? QObject::tr("The print system refused the job.")
                        : QObject::tr("The file \"%1\" could not be written.")
                              .arg(printer.outputFileName()));
    case QPrinter::Aborted:
        return fail(QObject::tr("The print job was cancelled."));
    default:
        return true;
    }
}

namespace {

// What the desktop names as the program for `mimeType`, or empty.
QString DesktopHandler(const QString& mimeType) {
    const QString query = QStandardPaths::findExecutable("xdg-mime");
    if (query.isEmpty()) return {};
    QProcess p;
    p.start(query, {"query", "default", mimeType});
    if (!p.waitForFinished(3000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

// Whether anything could show `target`: the desktop's opener starts even
// when no program handles the address and then fails unseen, so the
// handler is looked for first.
bool CanOpen(const QUrl& target) {
    const bool web = !target.isLocalFile();
    const QString type = web ? "x-scheme-handler/" + target.scheme()
                             : QMimeDatabase().mimeTypeForFile(target.toLocalFile()).name();
    if (!DesktopHandler(type).isEmpty()) return true;
    const bool page = web || type == "text/html" || type == "application/xhtml+xml";
    if (!page) return false;
    // Web pages also open in whatever browser the opener falls back to.
    if (!qEnvironmentVariableIsEmpty("BROWSER")) return true;
    for (const char* browser : {"x-www-browser", "firefox", "firefox-esr", "chromium",
                                "chromium-browser", "google-chrome", "epiphany", "epiphany-browser",
                                "konqueror", "falkon", "midori", "opera"})
        if (!QStandardPaths::findExecutable(browser).isEmpty()) return true;
    return false;
}

}  // namespace

bool QtPlatform::OpenUrl(const QString& url) {
    // Web addresses as they are; plain paths as files.
    QUrl target = QUrl::fromUserInput(url);
    if (!target.isValid()) return false;
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) return QDesktopServices::openUrl(target);
    return CanOpen(target) && QProcess::startDetached(opener, {target.toString()});
}

bool QtPlatform::StartProgram(const QString& program, const QStringList& args,
                              const QString& workingDir) {
    return QProcess::startDetached(program, args, workingDir);
}

std::unique_ptr<QSettings> QtPlatform::OpenSettings() const {
    if (!settingsFile_.isEmpty())
        return std::make_unique<QSettings>(settingsFile_, QSettings::IniFormat);
    // One store for the user, shared by both programs.
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Merivale",
                                       "user");
}

QVariant QtPlatform::ReadUserSetting(const QString& key, const QString& section,
                                     const QString& name, const QVariant& fallback) {
    auto settings = OpenSettings();
    settings->beginGroup(key);
    settings->beginGroup(section);
    return settings->value(name, fallback);
}

void QtPlatform::WriteUserSetting(const QString& key, const QString& section, const QString& name,
                                  const QVariant& value) {
    auto settings = OpenSettings();
    settings->beginGroup(key);
    settings->beginGroup(section);
    settings->setValue(name, value);
    settings->endGroup();
    settings->endGroup();
    settings->sync();
}

namespace {

class DialogProgress : public Progress {
public:
    DialogProgress(const QString& label, qint64 total) : total_(total) {
        // The bar counts in at most int steps; large totals are scaled.
        constexpr qint64 kMax = std::numeric_limits<int>::max();
        scale_ = total > kMax ? double(kMax) / double(total) : 1.0;
        dialog_ = std::make_unique<QProgressDialog>(
            label, QObject::tr("Cancel"), 0, int(double(std::max<qint64>(total, 0)) * scale_),
            DialogParent());
        dialog_->setWindowTitle(QGuiApplication::applicationDisplayName());
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(500);  // short work shows nothing
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->setValue(0);
    }
    bool Step(qint64 done) override {
        if (dialog_->wasCanceled()) return false;
        const qint64 clamped = std::clamp<qint64>(done, 0, std::max<qint64>(total_, 0));
        dialog_->setValue(int(double(clamped) * scale_));  // also lets Cancel be clicked
        return !dialog_->wasCanceled();
    }

private:
    std::unique_ptr<QProgressDialog> dialog_;
    qint64 total_;
    double scale_ = 1.0;
};

}  // namespace

std::unique_ptr<Progress> QtPlatform::StartProgress(const QString& label, qint64 total) {
    return std::make_unique<DialogProgress>(label, total);
}

}  // namespace ui
