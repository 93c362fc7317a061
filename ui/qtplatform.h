#pragma once
// The platform as the user meets it: the stock Qt dialogs, the printers, the
// desktop's shell and a per-user settings file.
#include "ui/platform.h"

#include <QPointer>

class QSettings;
class QWidget;

namespace ui {

class QtPlatform : public Platform {
public:
    // `settingsFile`: where the per-user settings are kept; empty means the
    // desktop's usual place for this user (~/.config/Merivale/user.conf).
    explicit QtPlatform(QString settingsFile = {});
    ~QtPlatform() override;

    MsgAnswer ShowMessage(MsgKind kind, const QString& text, MsgButtons buttons,
                          MsgAnswer defaultAnswer = MsgAnswer::Yes) override;
    QString AskText(const QString& caption, const QString& prompt, const QString& value) override;
    std::optional<QString> OpenFileName(const FileDialogSpec& spec) override;
    std::optional<QString> SaveFileName(const FileDialogSpec& spec) override;
    std::optional<QDate> PickDate(const QPoint& globalPos, const QDate& initial) override;
    int PopupMenu(const QPoint& globalPos, const std::vector<MenuEntry>& entries) override;
    std::optional<QFont> ChooseFont(const QFont& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    void ShowFind(const FindOptions& initial, std::function<bool(const FindOptions&)> onFind,
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
    std::unique_ptr<Progress> StartProgress(const QString& label, qint64 total) override;

private:
    std::unique_ptr<QSettings> OpenSettings() const;
    std::optional<QString> FileName(const FileDialogSpec& spec, bool save);

    QString settingsFile_;
    QPointer<QDialog> find_;
};

// The window that dialogs belong to: the active modal dialog, else the
// active window (nullptr when the program has none).
QWidget* DialogParent();
// The input box's width: its title, prompt and value whole, at least 200.
int InputBoxWidth(const QWidget& box, const QString& caption, const QString& prompt,
                  const QString& value);

}  // namespace ui
