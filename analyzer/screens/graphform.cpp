#include "analyzer/screens/graphform.h"

#include "analyzer/values.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QValueAxis>

#include <algorithm>

namespace pellard {

GraphData GraphOfColumn(const brenvik::StringTable& report, int col) {
    GraphData g;
    g.title = report.CellText(col, 0);
    const int m = std::max(0, report.RowCount() - 1);
    g.values.reserve(static_cast<std::size_t>(m));
    g.labels.reserve(static_cast<std::size_t>(m));
    for (int r = 1; r <= m; ++r) {
        const double v = NumericValue(report.Cell(col, r)).value;
        g.values.push_back(v);
        g.maximum = std::max(g.maximum, v);
        g.labels.emplace_back(report.Cell(0, r));
    }
    return g;
}

TGraphForm::TGraphForm(QWidget* parent) : QWidget(parent) {
    setObjectName("GraphForm");
    setWindowTitle("Graph");
    setAttribute(Qt::WA_DeleteOnClose);
    Graph = new QChartView(this);
    Graph->setObjectName("Graph");
    Graph->setRenderHint(QPainter::Antialiasing);
    CloseBtn = new QPushButton("Close", this);
    CloseBtn->setObjectName("CloseBtn");
    connect(CloseBtn, &QPushButton::clicked, this, &TGraphForm::CloseBtnClick);
    resize(640, 480);
}

void TGraphForm::GenerateGraph(GraphData data) {
    data_ = std::move(data);

    auto* set = new QBarSet(ui::ToQ(data_.title));
    QStringList categories;
    double lowest = 0;
    for (std::size_t i = 0; i < data_.values.size(); ++i) {
        *set << data_.values[i];
        lowest = std::min(lowest, data_.values[i]);
        // Categories must differ: a repeated label gets invisible padding.
        QString label = ui::ToQ(data_.labels[i]);
        while (categories.contains(label)) label += QChar(0x200B);
        categories << label;
    }
    auto* series = new QBarSeries;
    series->append(set);

    auto* chart = new QChart;
    chart->addSeries(series);
    chart->legend()->hide();
    auto* axisX = new QBarCategoryAxis;
    axisX->append(categories);
    // Dates and names do not fit side by side under many bars: standing
    // upright they keep their whole text.
    if (categories.size() > 4) axisX->setLabelsAngle(-90);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto* axisY = new QValueAxis;
    // The top is the largest value (0 when all are negative); an axis of
    // nothing but zeros still needs some height to draw.
    axisY->setRange(lowest, data_.maximum > lowest ? data_.maximum : lowest + 1);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);

    QChart* old = Graph->chart();
    Graph->setChart(chart);
    delete old;

    setWindowTitle("Graph " + ui::ToQ(data_.title));
    resize(640, 480);
    Arrange();
}

void TGraphForm::CloseBtnClick() {
    // Inside the frame the sub-window goes with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) sub->close();
    else close();
}

void TGraphForm::Arrange() {
    const int w = width(), h = height();
    Graph->setGeometry(0, 0, std::max(0, w - 50), std::max(0, h - 96));
    CloseBtn->move(w - 106, h - 72);
}

void TGraphForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void TGraphForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Arrange();
}

QMdiArea* EnclosingArea(QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* area = qobject_cast<QMdiArea*>(w)) return area;
    return nullptr;
}

TGraphForm* GraphReportClick(const brenvik::StringTable& report, int col, QMdiArea* area) {
    auto* form = new TGraphForm;
    form->GenerateGraph(GraphOfColumn(report, col));
    if (area) {
        QMdiSubWindow* sub = area->addSubWindow(form);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->show();
        sub->resize(640, 480);  // the window, frame included
    } else {
        form->show();
    }
    return form;
}

TGraphForm* GraphReportBtnClick(const brenvik::StringTable& report, QMdiArea* area) {
    std::vector<ui::MenuEntry> entries;
    for (int c = 1; c < report.ColCount(); ++c) entries.push_back({ui::ToQ(report.Cell(c, 0))});
    if (entries.empty()) return nullptr;
    const int chosen = ui::platform().PopupMenu(QCursor::pos(), entries);
    if (chosen < 0) return nullptr;
    return GraphReportClick(report, chosen + 1, area);
}

}  // namespace pellard
