#pragma once
// The analyzer's main window: a frame holding one analysis window per opened
// file, with the File, Help and About menus and the toolbar.
#include "analyzer/values.h"

#include <QDialog>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <optional>

class QMdiArea;

namespace pellard {

class TViewLogForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // Start-up with the command-line parameters (program name left out):
    // a first parameter that names a file in the program folder sets the
    // year/month/day date format and opens that file; one naming another
    // existing file (absolute or relative to the current folder) opens it with
    // month/day/year dates; anything else sets month/day/year and opens
    // nothing, silently.
    void StartUp(const QStringList& params, const QString& programDir);

    // Opens a file in a new analysis window. Returns nothing when the file
    // could not be read (reported unless `quiet`; the empty window stays) or
    // the user cancelled (the window is closed).
    // Dates are read in the order given, or in the order the file shows.
    TViewLogForm* OpenFile(const QString& path, bool quiet = false,
                           std::optional<DateOrder> dates = std::nullopt);
    void Open1Click();
    void Contents1Click();
    void GettingStarted1Click();
    void AboutClick();
    void TBCalculatorBtnClick();
    void TBCalenderBtnClick();

    QMdiArea* Area() const { return area_; }
    QList<TViewLogForm*> Windows() const;

    // Where the help pages are looked for: the program folder, its "docs"
    // folder, and the "docs" folder one or two levels up (the source tree
    // that a build folder lies in).

protected:
    void showEvent(QShowEvent* event) override;

    QMdiArea* area_;
    bool started_ = false;
    QPointer<TViewLogForm> lastActive_;
};

// The About box.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    static const char* const kWebSite;
};

}  // namespace pellard
