#pragma once
// The table report dialog ("Generate Quick Report"): the user picks and
// orders the columns of a table handed over by the caller, chooses the
// records (all, checked, or by criteria), sets margins, header and footer,
// previews and prints the pages, or hands the report to the analyzer.
#include "store/reports/tablereport.h"

#include <QDialog>
#include <QFont>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPrinter;
class QRadioButton;
class QStandardItemModel;
class QTabWidget;
class QTableView;

namespace ui {
class PageDocument;
struct Band;
class PreviewWidget;
class PaperComboBox;
class PrinterComboBox;
}  // namespace ui

namespace brenvik {

class Store;
class StringTableModel;

class TQuickReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TQuickReportForm(std::string dataFolder, QWidget* parent = nullptr);
    ~TQuickReportForm() override;

    // Filled by the caller before showing: the table (a record is checked
    // when its column-0 tag is above 0) and the type code of each column.
    ReportSource Source;
    // The day the date criteria and captions take as today.
    Date Today = brenvik::Today();

    const StringTable& DisplayGrid() const { return displayGrid_; }
    const StringTable& PreviewGrid() const { return previewGrid_; }
    RecordMode Mode() const { return mode_; }
    const std::vector<ReportCriterion>& Criteria() const { return criteria_; }
    QListWidget* FieldList() const { return fieldList_; }
    QTabWidget* Notebook() const { return book_; }
    ui::PreviewWidget* Preview() const { return preview_; }
    QLabel* PageLabel() const { return pageLabel_; }

    // Handlers.
    void FormActivate();  // once, when the dialog opens
    void LoadReportRows();
    void LoadPreviewGrid();
    void ModesClick(RecordMode mode);
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void SelectGridMouseDown(int row, int column);
    void TabbedNotebook1Change(int page);
    void PreviewBtnClick();  // "Generate"
    void UpdatePageLabel();
    void PrintBtnClick();
    void PrinterSetupBtnClick();
    // The caption fonts: 0 left, 1 center, 2 right.
    void HeaderFontBtnClick();
    void FooterFontBtnClick();
    void HeaderFontClick(int caption);
    void FooterFontClick(int caption);
    void AnalyzeBtnClick();
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct BandControls {
        QComboBox* visible = nullptr;
        QCheckBox* line = nullptr;
        QDoubleSpinBox* height = nullptr;
        std::array<QLineEdit*, 3> texts{};
        QComboBox* pageNumber = nullptr;
        QComboBox* date = nullptr;
        std::array<QFont, 3> fonts;
    };
    QWidget* BuildFieldsPage();
    QWidget* BuildDataPage();
    QWidget* BuildHeaderFooterPage();
    QWidget* BuildPreviewPage();
    QWidget* BuildBand(const QString& prefix, const QString& title, BandControls& band);
    void ComposePages(ui::PageDocument& doc) const;
    void SetBand(ui::Band& band, const BandControls& controls) const;
    void ChooseCaptionFont(BandControls& band, int caption);
    void PopCaptionMenu(BandControls& band);
    QPrinter& Printer();

    std::string dataFolder_;
    bool activated_ = false;
    RecordMode mode_ = RecordMode::AllRecords;
    std::vector<ReportCriterion> criteria_;
    StringTable displayGrid_;
    StringTable previewGrid_;

    QTabWidget* book_ = nullptr;
    QListWidget* fieldList_ = nullptr;
    std::array<QRadioButton*, 3> modes_{};
    QStandardItemModel* selectModel_ = nullptr;
    QTableView* selectGrid_ = nullptr;
    StringTableModel* previewModel_ = nullptr;
    QTableView* previewView_ = nullptr;
    std::array<QDoubleSpinBox*, 4> margins_{};  // left, right, top, bottom
    BandControls header_, footer_;
    ui::PreviewWidget* preview_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    ui::PrinterComboBox* printerBox_ = nullptr;
    ui::PaperComboBox* paperBox_ = nullptr;
    QComboBox* orientation_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

// The inventory report: the inventory table as the list shows it, item k
// (table row k + 1) checked when `checked(k)`, the schema's type codes.
void OpenInventoryReport(Store& store, const std::function<bool(int item)>& checked,
                         QWidget* parent = nullptr);
// The customer report: the customer table as held, codes by heading, no
// record checked.
void OpenCustomerReport(Store& store, QWidget* parent = nullptr);
// The report of any table whose columns are typed by their headings.
void OpenTableReport(const StringTable& table, const std::string& dataFolder,
                     QWidget* parent = nullptr);

}  // namespace brenvik
