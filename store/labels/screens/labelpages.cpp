#include "store/labels/screens/labelpages.h"

#include "ui/fontconv.h"
#include "ui/platform.h"
#include "ui/text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <memory>

namespace brenvik {

using namespace length_literals;

namespace {

const char* const SettingsKey = "Varnholt";
const char* const SettingsSection = "Labels";

QRectF Inches(const LengthRect& r, QPointF shift = {}) {
    return QRectF(r.left.InInches() + shift.x(), r.top.InInches() + shift.y(), r.width.InInches(),
                  r.height.InInches());
}

// Printed pages move by the calibration; the preview shows the sheet as it is.
QPointF Shift(const ui::PageCanvas& canvas, const LabelCalibration& offset) {
    if (canvas.Screen()) return {};
    return {offset.right.InInches(), offset.down.InInches()};
}

QPainterPath LabelShape(const QRectF& box) {
    QPainterPath path;
    const double radius = 0.15;  // inches: a corner 0.3 inch across
    path.addRoundedRect(box, radius, radius);
    return path;
}

void DrawPosition(ui::PageCanvas& canvas, const QRectF& box) {
    if (!canvas.Screen()) return;
    QPainter& p = canvas.Painter();
    p.save();
    QPen pen(QColor(192, 192, 192));
    pen.setWidth(0);
    p.setPen(pen);
    p.setBrush(QColor(239, 239, 239));
    p.drawRoundedRect(canvas.Px(box), canvas.X(0.15), canvas.Y(0.15));
    p.restore();
}

// A text line's height on the canvas's device, inches.
double LineHeight(ui::PageCanvas& canvas, const QFont& font) {
    const QFontMetricsF fm(font, canvas.Painter().device());
    return fm.height() / canvas.DpiY();
}

struct LabelItem {
    std::shared_ptr<const LabelRun> run;
    LengthRect box;
    int job;  // -1: a blank position

    void operator()(ui::PageCanvas& canvas) const {
        const QRectF label = Inches(box, Shift(canvas, run->offset));
        DrawPosition(canvas, label);
        if (job < 0) return;
        canvas.ClipTo(LabelShape(label));
        const double lineHeight = LineHeight(canvas, run->font);
        const double gap = (1_mm).InInches();
        const QPointF first = label.topLeft() + QPointF((2_mm).InInches(), (2_mm).InInches());
        const auto& lines = run->texts[std::size_t(job)];
        for (std::size_t i = 0; i < lines.size(); ++i)
            canvas.Text(first + QPointF(0, double(i) * (lineHeight + gap)), ui::ToQ(lines[i]),
                        run->font, run->color);
        if (run->picture) {
            const LengthRect area = BarcodeArea(box);
            LengthRect fit = FitPicture(area, run->pictureWidth, run->pictureHeight);
            fit.top += Length::Inches(lineHeight * double(lines.size()));
            run->picture(canvas, Inches(fit, Shift(canvas, run->offset)));
        }
        canvas.Unclip();
    }
};

}  // namespace

LabelCalibration ReadLabelCalibration() {
    ui::Platform* p = ui::InstalledPlatform();
    if (!p) return {};
    auto read = [p](const char* name) {
        bool ok = false;
        const double mm = p->ReadUserSetting(SettingsKey, SettingsSection, name, 0.0).toDouble(&ok);
        // A value no printer is that far off by is a damaged setting.
        return Length::Millimetres(ok && mm >= -50 && mm <= 50 ? mm : 0.0);
    };
    return {read("OffsetRightMm"), read("OffsetDownMm")};
}

void WriteLabelCalibration(const LabelCalibration& calibration) {
    ui::Platform& p = ui::platform();
    p.WriteUserSetting(SettingsKey, SettingsSection, "OffsetRightMm",
                       calibration.right.InMillimetres());
    p.WriteUserSetting(SettingsKey, SettingsSection, "OffsetDownMm",
                       calibration.down.InMillimetres());
}

QFont LabelFont(std::string_view name, std::string_view sizeText) {
    QFont font;
    if (name.empty() || name == "System") font = QGuiApplication::font();
    else font = QFont(ui::ToQ(name));
    font.setPointSize(LabelFontPoints(sizeText));
    return font;
}

QColor LabelColor(std::int32_t stored) {
    const QColor c = ui::ToQColor(stored);
    return c.isValid() ? c : QColor(Qt::black);
}

ui::PageSetup LabelPageSetup(const LabelSheetType& type) {
    ui::PageSetup setup;
    setup.paper = QPageSize(type.paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
    setup.orientation =
        type.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    setup.left = setup.top = setup.right = setup.bottom = 0;
    return setup;
}

void ComposeLabelPages(ui::PageDocument& doc, const LabelRun& source) {
    auto run = std::make_shared<LabelRun>(source);
    if (!run->type) run->type = &LabelSheetTypes().front();
    const LabelSheetType& type = *run->type;
    doc.Clear();
    doc.Setup() = LabelPageSetup(type);
    const int perSheet = type.PerSheet();
    const int start = std::clamp(run->start, 1, perSheet);
    const int count = int(run->texts.size());
    int positions = start - 1 + count;  // blank ones first, then one per label
    if (run->wholeSheet) positions = std::max(1, LabelPageCount(type, start, count)) * perSheet;
    for (int n = 0; n < positions; ++n) {
        const int page = n / perSheet;
        while (doc.PageCount() <= page) doc.NewPage();
        const int job = n - (start - 1);
        doc.Add(page, LabelItem{run, type.Label(n % perSheet + 1), job < count ? job : -1});
    }
}

void ComposeCalibrationPage(ui::PageDocument& doc, const LabelSheetType& type,
                            const LabelCalibration& calibration) {
    doc.Clear();
    doc.Setup() = LabelPageSetup(type);
    doc.NewPage();
    const LengthSize page = type.Page();
    doc.Add(0, [&type, calibration, page](ui::PageCanvas& canvas) {
        const QPointF shift = Shift(canvas, calibration);
        for (int n = 1; n <= type.PerSheet(); ++n) {
            const QRectF r = Inches(type.Label(n), shift);
            const QPointF corners[] = {r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()};
            for (int i = 0; i < 4; ++i) canvas.Line(corners[i], corners[(i + 1) % 4], 0.5);
        }
        // Ruler: a tick every millimetre, longer every 5 and 10, numbered in
        // centimetres, measured from the sheet's top-left corner.
        QFont small = QGuiApplication::font();
        small.setPointSize(6);
        auto tick = [](int mm) { return (mm % 10 == 0 ? 4_mm : mm % 5 == 0 ? 2.5_mm : 1.5_mm); };
        for (int mm = 0; Length::Millimetres(mm) <= page.width; ++mm) {
            const double x = Length::Millimetres(mm).InInches() + shift.x();
            canvas.Line({x, shift.y()}, {x, shift.y() + tick(mm).InInches()}, 0.3);
            if (mm % 10 == 0 && mm > 0)
                canvas.Text({x + 0.01, shift.y() + (4_mm).InInches()}, QString::number(mm / 10),
                            small);
        }
        for (int mm = 0; Length::Millimetres(mm) <= page.height; ++mm) {
            const double y = Length::Millimetres(mm).InInches() + shift.y();
            canvas.Line({shift.x(), y}, {shift.x() + tick(mm).InInches(), y}, 0.3);
            if (mm % 10 == 0 && mm > 0)
                canvas.Text({shift.x() + (4.5_mm).InInches(), y - 0.05}, QString::number(mm / 10),
                            small);
        }
        QFont body = QGuiApplication::font();
        body.setPointSize(9);
        const QString note =
            QString(
                "Label type %1.  Offset %2 mm right, %3 mm down.  Measure where the outlines "
                "fall on the sheet and correct the offsets by the difference.")
                .arg(ui::ToQ(type.name))
                .arg(calibration.right.InMillimetres(), 0, 'f', 1)
                .arg(calibration.down.InMillimetres(), 0, 'f', 1);
        canvas.TextIn(QRectF(0.6 + shift.x(), page.height.InInches() - 0.45 + shift.y(),
                             page.width.InInches() - 1.2, 0.3),
                      note, body, Qt::AlignLeft | Qt::AlignVCenter);
    });
}

}  // namespace brenvik
