// Stored fonts and colours against Qt's.
#include "support/scripted_platform.h"
#include "ui/fontconv.h"

#include <gtest/gtest.h>

#include <QFontInfo>

using brenvik::FontPitch;
using brenvik::FontRecord;

namespace {

TEST(FontConv, Colours) {
    struct Case {
        std::int32_t stored;
        QColor color;
    } cases[] = {
        {0x000000FF, QColor(255, 0, 0)},  // red is the low byte
        {0x00FF0000, QColor(0, 0, 255)},
        {0x0080C020, QColor(0x20, 0xC0, 0x80)},
        {0x00FFFFFF, QColor(255, 255, 255)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ui::ToQColor(c.stored), c.color) << std::hex << c.stored;
        EXPECT_EQ(ui::FromQColor(c.color), c.stored) << std::hex << c.stored;
    }
    EXPECT_EQ(ui::ToQColor(std::int32_t(0x80000008u)), QColor(Qt::black));         // window text
    EXPECT_EQ(ui::ToQColor(std::int32_t(0x80000005u)), QColor(Qt::white));         // window
    EXPECT_EQ(ui::ToQColor(std::int32_t(0x8000000Fu)), QColor(0xF0, 0xF0, 0xF0));  // button face
    EXPECT_FALSE(ui::ToQColor(std::int32_t(0x80000040u)).isValid());
    EXPECT_FALSE(ui::ToQColor(ui::kColorNone).isValid());
    EXPECT_FALSE(ui::ToQColor(ui::kColorDefault).isValid());
    EXPECT_EQ(ui::FromQColor(QColor()), ui::kColorNone);
    EXPECT_EQ(ui::FromQColor(QColor(1, 2, 3, 10)), 0x00030201);  // alpha dropped
}

TEST(FontConv, HeightIsPixelsAt96Dpi) {
    EXPECT_DOUBLE_EQ(ui::HeightToPoints(-11), 8.25);
    EXPECT_DOUBLE_EQ(ui::HeightToPoints(-16), 12.0);
    EXPECT_EQ(ui::PointsToHeight(8.25), -11);
    EXPECT_EQ(ui::PointsToHeight(10), -13);
    EXPECT_EQ(ui::PointsToHeight(12), -16);
}

TEST(FontConv, RecordRoundTrips) {
    test::App();
    FontRecord r;
    r.face = "Liberation Serif";
    r.height = -16;
    r.charset = 0;
    r.color = 0x000000FF;
    r.pitch = FontPitch::Variable;
    r.style = brenvik::FontBold | brenvik::FontUnderline;
    const QFont f = ui::ToQFont(r);
    EXPECT_EQ(f.family(), "Liberation Serif");
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 12.0);
    EXPECT_TRUE(f.bold());
    EXPECT_FALSE(f.italic());
    EXPECT_TRUE(f.underline());
    EXPECT_FALSE(f.strikeOut());
    EXPECT_EQ(ui::FromQFont(f, ui::ToQColor(r.color), r), r);

    // The stock record: system text colour, default pitch and character set.
    const FontRecord stock;
    FontRecord back = ui::FromQFont(ui::ToQFont(stock), QColor(Qt::black));
    EXPECT_EQ(back.face, stock.face);
    EXPECT_EQ(back.height, -11);
    EXPECT_EQ(back.charset, stock.charset);
    EXPECT_EQ(back.color, 0);
    EXPECT_EQ(back.pitch, FontPitch::Default);

    // A fixed-pitch font asks for a monospace face; choosing a proportional
    // one later drops the fixed pitch.
    FontRecord fixed = stock;
    fixed.face = "Courier New";
    fixed.pitch = FontPitch::Fixed;
    fixed.style = brenvik::FontItalic | brenvik::FontStrikeOut;
    const QFont ff = ui::ToQFont(fixed);
    EXPECT_TRUE(QFontInfo(ff).fixedPitch());
    EXPECT_EQ(ui::FromQFont(ff, Qt::black, fixed).style, fixed.style);
    EXPECT_EQ(ui::FromQFont(ff, Qt::black, stock).pitch, FontPitch::Fixed);
    EXPECT_EQ(ui::FromQFont(QFont("Liberation Sans", 9), Qt::black, fixed).pitch,
              FontPitch::Default);

    // Pixel-sized fonts keep their pixels; non-Latin names are stored in the code page.
    QFont pixels("Liberation Sans");
    pixels.setPixelSize(20);
    EXPECT_EQ(ui::FromQFont(pixels, Qt::black).height, -20);
    FontRecord accented = stock;
    accented.face = "Caf\xE9 Sans";
    EXPECT_EQ(ui::ToQFont(accented).family(), "Caf\u00e9 Sans");
    EXPECT_EQ(ui::FromQFont(ui::ToQFont(accented), Qt::black).face, accented.face);
}

}  // namespace
