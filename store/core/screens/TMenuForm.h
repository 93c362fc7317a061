#pragma once
// The main window: the menu of the store's functions. Closing it saves the
// whole store and ends the program.
#include <QWidget>

#include <string>

class QTreeWidget;

namespace brenvik {

class TView;
class TInvoiceHistoryForm;

// The page opened by "Web Publish".
inline constexpr const char* kWebPublishUrl = "https://www.merivale-retail.example/web-publish";

class TMenuForm : public QWidget {
    Q_OBJECT
public:
    explicit TMenuForm(QWidget* parent = nullptr);

    // The two long-lived windows, created after this one.
    void SetWindows(TView* view, TInvoiceHistoryForm* invoices);

    QTreeWidget* MenuTree() const { return tree_; }

    // Loads the store the first time (the windows do their loading once).
    void FormActivate();
    // The exit save sequence; false (with the error shown) when a file could
    // not be written, and the window then stays open.
    bool FormClose();
    // Ends the program without the exit save: the files on disk are newer
    // than what the windows hold (after a restore).
    void CloseWithoutSaving();

    void MenuTreeDblClick();
    // Runs the function of a menu caption; unknown captions do nothing.
    void InvokeFunction(const QString& caption);
    void InvokeWebPublish();
    void InvokeHelp();
    void CustomerReport();
    void OKButtonClick();
    void BitBtn1Click();  // about box

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QTreeWidget* tree_ = nullptr;
    TView* view_ = nullptr;
    TInvoiceHistoryForm* invoices_ = nullptr;
    bool saveOnClose_ = true;
};

}  // namespace brenvik
