#pragma once
// The analysis window: one per opened file. Its notebook has the pages
// "View" (the chosen fields of the transactions that pass the filters),
// "Filter", "Data Summary" (statistics) and "Report" (period and value
// summaries, kept by TReportPage).
#include "analyzer/filters.h"
#include "analyzer/logview.h"
#include "analyzer/screens/tableprint.h"
#include "analyzer/stats.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QFrame;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;

namespace pellard {

class ColorBox;
class ColorPanel;
class GridModel;
class TReportPage;

class TViewLogForm : public QWidget {
    Q_OBJECT
public:
    enum Page { ViewPage = 0, FilterPage = 1, SummaryPage = 2, ReportPage = 3 };
    enum class LoadResult { Loaded, Failed, Cancelled };

    explicit TViewLogForm(QWidget* parent = nullptr);
    ~TViewLogForm() override;

    // Reads a comma-separated file into the base table while the window stays
    // responsive (progress with Cancel), then sets up fields, view and
    // statistics. A file that cannot be read is reported (unless `quiet`)
    // and leaves the window empty.
    // The dates are read in the order given, or in the order the file's
    // date field shows.
    LoadResult LoadFile(const QString& path, bool quiet = false,
                        std::optional<DateOrder> dates = std::nullopt);
    // The same set-up on a table already loaded.
    void LoadTable(LogTable&& table, std::optional<DateOrder> dates = std::nullopt);
    // The order of year, month and day in this file's dates.
    void SetDateFormat(DateOrder order);

    void SetupLogGrid();
    void LoadLogGrid();
    void SetupStatistics();
    void CalculateStats();
    void SortBoxChange();
    void MoveUpBtnClick();
    void MoveDownBtnClick();
    void ColorClick(ColorBox* box);
    void Repaint();
    void ViewBookChange(int index);
    void FormActivate();

    // Filter page.
    void FilterGridMouseDown(int col, int row, const QPoint& globalPos);
    void GetValue(int row);
    void AddFilterBtnClick();
    void ClearFiltersBtnClick();
    void SaveFiltersBtnClick();
    void LoadFiltersBtnClick();

    // Data Summary page.
    void SelectFieldsBtnClick();

    // What the window holds, for the other pages and for tests.
    LogBase& Base() { return base_; }
    LogView& View() { return view_; }
    const FilterTable& Filters() const { return filters_; }
    const brenvik::StringTable& StatGrid() const { return statTable_; }
    const std::vector<FieldEntry>& ReportFields() const { return reportFields_; }
    const std::vector<FieldMenuEntry>& FieldMenuEntries() const { return fieldMenu_; }
    TReportPage& Report() { return *reportPage_; }
    QColor LogGridCellColor(int col, int row) const;
    QColor StatGridCellColor(int col, int row) const;

private:
    // The bar above the pages: values of the fields in use that do not read.
    void ShowUnreadValues();
    QWidget* BuildViewPage();
    QWidget* BuildFilterPage();
    QWidget* BuildSummaryPage();
    QWidget* BuildReportPage();
    void ReloadFilterGrid();

    LogBase base_;
    LogView view_;
    FilterTable filters_;
    std::vector<FieldMenuEntry> fieldMenu_;
    std::vector<FieldEntry> reportFields_;  // SelectReportFields
    brenvik::StringTable statTable_;
    std::vector<std::string> sortNames_;  // SortBox entries after "None"
    WindowPrintSettings print_;           // one set per table

    QTabWidget* ViewBook = nullptr;
    // View page
    QListWidget* SelectDisplayFields = nullptr;
    QComboBox* SortBox = nullptr;
    QTableView* LogGrid = nullptr;
    GridModel* logModel_ = nullptr;
    QLabel* Total = nullptr;
    ColorPanel* viewColors_ = nullptr;
    // Filter page
    QTableView* FilterGrid = nullptr;
    GridModel* filterModel_ = nullptr;
    // Data Summary page
    QTableView* StatGridView = nullptr;
    GridModel* statModel_ = nullptr;
    QCheckBox* AbsoluteValueStat = nullptr;
    QLabel* ReportTotal = nullptr;
    ColorPanel* statColors_ = nullptr;
    // Report page
    QComboBox* UseDateField = nullptr;
    QComboBox* UseAddressField = nullptr;
    QComboBox* DateFormatBox = nullptr;
    QFrame* UnreadBar = nullptr;
    QLabel* UnreadLabel = nullptr;
    TReportPage* reportPage_ = nullptr;
};

}  // namespace pellard
