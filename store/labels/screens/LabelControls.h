#pragma once
// The controls both label windows share: the content list with its entry
// menu and buttons, and the font type, size and colour.
#include "store/labels/labeltext.h"
#include "store/labels/screens/labelpages.h"
#include "ui/platform.h"

#include <QColor>
#include <QFont>
#include <QGroupBox>
#include <QPrinter>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace ui {
class PaperComboBox;
class PreviewWidget;
class PrinterComboBox;
}  // namespace ui

namespace brenvik {

class LabelContentBox : public QGroupBox {
    Q_OBJECT
public:
    // With `uniqueTags`, each tag can be in the list once: its menu item is
    // disabled while it is.
    LabelContentBox(const QString& title, bool uniqueTags, QWidget* parent = nullptr);

    void SetMenu(std::vector<LabelEntry> menu) { menu_ = std::move(menu); }
    // The menu as shown: disabled items marked.
    std::vector<ui::MenuEntry> MenuItems() const;
    const std::vector<LabelEntry>& Entries() const { return entries_; }
    // Replaces the list (a tag already in it is skipped when tags are unique).
    void SetEntries(const std::vector<LabelEntry>& entries);

    // Handlers.
    void AddBtnClick();
    void OnItemClick(int menuIndex);  // an item of MenuItems()
    void RemoveBtnClick();
    void MoveUpBtnClick();
    void MoveDownBtnClick();

    QListWidget* List() const { return list_; }

signals:
    void Changed();

private:
    bool InList(std::int32_t tag) const;
    void Show(int current);
    void Move(int by);

    bool uniqueTags_;
    std::vector<LabelEntry> menu_;
    std::vector<LabelEntry> entries_;
    QListWidget* list_ = nullptr;
    QPushButton* remove_ = nullptr;
};

// "Font Type" (the desktop's default font as "System"), "Font Size" (the
// sizes offered for the font; any text may stand there) and "Font Color".
class LabelFontBox : public QWidget {
    Q_OBJECT
public:
    explicit LabelFontBox(QWidget* parent = nullptr);

    std::string FontName() const;
    std::string SizeText() const;
    QColor Color() const { return color_; }
    QFont Font() const;  // as labels are drawn
    // A stored choice: an unknown font is kept by name.
    void SetFont(const std::string& name, const std::string& sizeText, const QColor& color);

    // Handlers.
    void FontBoxChange();
    void FontSizeChange();
    void FontColorChange();

signals:
    void Changed();

private:
    void RefillSizes();
    void SetColor(const QColor& color);

    QComboBox* font_ = nullptr;
    QComboBox* size_ = nullptr;
    QPushButton* colorBtn_ = nullptr;
    QColor color_ = Qt::black;
    bool quiet_ = false;
};

// The "Preview" page of both windows: the label pages with the page number,
// the printer and paper lists, printing and the printer setup. The pages'
// paper always comes from the label type.
class LabelPreviewPage : public QWidget {
    Q_OBJECT
public:
    explicit LabelPreviewPage(QWidget* parent = nullptr);

    ui::PreviewWidget& Preview() { return *preview_; }
    QPrinter& Printer() { return printer_; }
    QLabel& PageNumber() { return *pageNumber_; }

    // Lays the run out and shows its first page.
    void Show(const LabelRun& run);
    // The print dialog up to the page count, then every page.
    void Print(const QString& jobName);
    // The printer-setup dialog; true when accepted.
    bool PrinterSetup();

signals:
    void PrinterChanged();  // a printer or paper was chosen

private:
    void UpdatePageNumber();

    QPrinter printer_{QPrinter::HighResolution};
    ui::PreviewWidget* preview_ = nullptr;
    ui::PrinterComboBox* printers_ = nullptr;
    ui::PaperComboBox* papers_ = nullptr;
    QLabel* pageNumber_ = nullptr;
};

}  // namespace brenvik
