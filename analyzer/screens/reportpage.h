#pragma once
// The report part of an analysis window's "Report" page: the report list,
// "Generate", the report table with its colours and high/low marks, the
// "Absolute Values" box and the custom report settings. The window keeps the
// view, the statistics field set and the date and address field lists; the
// page reaches them through its host.
#include "analyzer/reports.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace pellard {

class ColorBox;
class ColorPanel;
class GridModel;

class TReportPage : public QWidget {
    Q_OBJECT
public:
    struct Host {
        std::function<const LogView&()> view;
        std::function<std::vector<FieldEntry>()> valueFields;  // the statistics field set
        std::function<std::optional<int>()> dateColumn;        // "Date Field:" selection
        std::function<std::optional<int>()> addressColumn;     // "Address Field" selection
        std::function<void()> selectFields;                    // "Select Fields"
        std::function<bool()> utf8;                            // the file's texts are UTF-8
    };
    explicit TReportPage(Host host, QWidget* parent = nullptr);

    // Fills the report list from the view; a list that would not change is
    // left as it is, with the user's choice.
    void LoadAvailableReports();
    // "Total:" beside the report.
    void SetTotal(const std::string& text);
    void SelectReportChange();
    void GenerateReportBtnClick();
    void ReportABSClick();
    void RColorModeClick();
    void ColorClick(ColorBox* box);
    // The window's activation resets the custom report settings.
    void ResetCustomReport() { custom_ = {}; }

    const brenvik::StringTable& ReportTable() const { return table_; }
    const CustomReportSettings& CustomReport() const { return custom_; }
    const std::vector<ReportEntry>& Entries() const { return entries_; }
    QColor ReportGridCellColor(int col, int row) const;
    // Banding by columns ("Column") or rows ("Row").
    void SetBandByColumns(bool columns);
    // Paints the report table again (the other pages' colours changed).
    void Repaint();

    static const QColor kHighColor;
    static const QColor kLowColor;

signals:
    // A colour or the banding changed: other tables of the window repaint.
    void ColorsChanged();
    // "Graph", "Export" and "Print": the window acts on the report table.
    void GraphClicked();
    void ExportClicked();
    void PrintClicked(QWidget* button);

private:
    int SelectedEntry() const;

    Host host_;
    brenvik::StringTable table_;
    std::vector<ReportEntry> entries_;
    CustomReportSettings custom_;

    QComboBox* SelectReport = nullptr;
    QTableView* ReportGrid = nullptr;
    GridModel* model_ = nullptr;
    QLabel* RTotal = nullptr;
    QCheckBox* ReportABS = nullptr;
    ColorPanel* colors_ = nullptr;
};

}  // namespace pellard
