#pragma once
// Graph windows: one column of the report table drawn as a bar chart of its
// rows, labelled with the rows' labels. Each graph is its own window, kept
// as drawn when the report changes; any number may be open.
#include "store/core/stringtable.h"

#include <QWidget>

#include <string>
#include <vector>

class QChartView;
class QMdiArea;
class QPushButton;

namespace pellard {

// What a graph shows: one value and one label per report data row, and the
// top of the value axis (the largest value, never below 0).
struct GraphData {
    std::string title;  // the column's header
    std::vector<double> values;
    std::vector<std::string> labels;
    double maximum = 0;
};
// Column `col` of a report table: numeric values of its data cells (an
// invalid text counts with its numeric value, an empty cell as 0) and the
// labels of column 0.
GraphData GraphOfColumn(const brenvik::StringTable& report, int col);

class TGraphForm : public QWidget {
    Q_OBJECT
public:
    explicit TGraphForm(QWidget* parent = nullptr);

    // Fills the chart and captions the window "Graph <column header>".
    void GenerateGraph(GraphData data);
    const GraphData& Data() const { return data_; }
    QChartView* Chart() const { return Graph; }

    void CloseBtnClick();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Arrange();

    GraphData data_;
    QChartView* Graph = nullptr;
    QPushButton* CloseBtn = nullptr;
};

// The Report page's "Graph": a menu of the report's columns from column 1 at
// the mouse pointer; the chosen column opens a new graph window in `area`
// (a window of its own without one). Returns the window, or nullptr.
TGraphForm* GraphReportBtnClick(const brenvik::StringTable& report, QMdiArea* area);
// The frame's window area that holds `w` (nullptr outside one), where the
// graph windows of an analysis window go.
QMdiArea* EnclosingArea(QWidget* w);
// A graph of column `col` in a new window.
TGraphForm* GraphReportClick(const brenvik::StringTable& report, int col, QMdiArea* area);

}  // namespace pellard
