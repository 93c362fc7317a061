#include "analyzer/screens/graphform.h"
#include "support/scripted_platform.h"
#include "support/testutil.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QValueAxis>

#include <gtest/gtest.h>

using namespace pellard;

namespace {

brenvik::StringTable Report() {
    brenvik::StringTable t;
    t.LoadCSVBytes(
        "Month,Total Transactions,Total Fee,Total Gross\r\n"
        "2001/01,2,-1.50,\"1,234.5x\"\r\n"
        "2001/02,0,\"\",\"\"\r\n"
        "2001/03,1,-0.25,12.5x\r\n",
        ',');
    return t;
}

TEST(GraphData, ValuesLabelsAndAxisMaximum) {
    const auto t = Report();
    GraphData fee = GraphOfColumn(t, 2);
    EXPECT_EQ(fee.title, "Total Fee");
    EXPECT_EQ(fee.values, (std::vector<double>{-1.5, 0, -0.25}));
    EXPECT_EQ(fee.labels, (std::vector<std::string>{"2001/01", "2001/02", "2001/03"}));
    EXPECT_EQ(fee.maximum, 0);  // all negative: the axis tops at 0

    // Invalid texts count with their numeric value.
    GraphData gross = GraphOfColumn(t, 3);
    EXPECT_EQ(gross.values, (std::vector<double>{1, 0, 125}));
    EXPECT_EQ(gross.maximum, 125);

    brenvik::StringTable empty;
    EXPECT_TRUE(GraphOfColumn(empty, 1).values.empty());
}

TEST(GraphForm, ManyLabelsStandUpright) {
    test::ScriptedPlatform ui;
    brenvik::StringTable t;
    t.SetSize(2, 31);
    t.SetCell(1, 0, "Total Gross");
    for (int r = 1; r < 31; ++r) {
        t.SetCell(0, r,
                  "09/" + std::to_string(r < 10 ? 0 : r / 10) + std::to_string(r % 10) + "/2024");
        t.SetCell(1, r, std::to_string(r));
    }
    TGraphForm form;
    form.GenerateGraph(GraphOfColumn(t, 1));
    EXPECT_EQ(form.Chart()->chart()->axes(Qt::Horizontal)[0]->labelsAngle(), -90);
}

TEST(GraphForm, MenuOpensIndependentWindowsLaidOut) {
    test::ScriptedPlatform ui;
    QMdiArea area;
    area.resize(1200, 900);
    area.show();
    auto report = Report();

    ui.ExpectMenu("Total Fee");
    TGraphForm* g = GraphReportBtnClick(report, &area);
    ASSERT_TRUE(g);
    EXPECT_EQ(ui.Log(test::Dlg::Menu)[0].items,
              QStringList({"Total Transactions", "Total Fee", "Total Gross"}));
    EXPECT_EQ(g->windowTitle(), "Graph Total Fee");
    auto* sub = qobject_cast<QMdiSubWindow*>(g->parentWidget());
    ASSERT_TRUE(sub);
    EXPECT_EQ(EnclosingArea(g), &area);
    EXPECT_EQ(sub->size(), QSize(640, 480));

    QChart* chart = g->Chart()->chart();
    // A few labels lie flat; many stand upright so that none is cut.
    EXPECT_EQ(chart->axes(Qt::Horizontal)[0]->labelsAngle(), 0);
    auto series = chart->series();
    ASSERT_EQ(series.size(), 1);
    auto* bars = qobject_cast<QBarSeries*>(series[0]);
    ASSERT_EQ(bars->barSets().size(), 1);
    EXPECT_EQ(bars->barSets()[0]->count(), 3);
    EXPECT_EQ(bars->barSets()[0]->at(2), -0.25);
    auto* axis = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).value(0));
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->max(), 0);

    // Layout follows the window's size.
    g->resize(700, 500);
    EXPECT_EQ(g->Chart()->geometry(), QRect(0, 0, 650, 404));
    EXPECT_EQ(test::Find<QPushButton>(*g, "CloseBtn").pos(), QPoint(700 - 106, 500 - 72));

    // A second graph; changing the report leaves the first as drawn.
    ui.ExpectMenu("Total Gross");
    TGraphForm* g2 = GraphReportBtnClick(report, &area);
    report.SetCell(2, 1, "99");
    EXPECT_EQ(g->Data().values[0], -1.5);
    EXPECT_EQ(area.subWindowList().size(), 2);

    QPointer<TGraphForm> gone(g);
    test::Click(*g, "CloseBtn");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(gone);
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_EQ(g2->Data().maximum, 125);

    ui.ExpectMenuNone();
    EXPECT_EQ(GraphReportBtnClick(report, &area), nullptr);
}

}  // namespace
