#include "store/labels/labelsheets.h"

#include <gtest/gtest.h>

#include <string>

using namespace brenvik;
using namespace brenvik::length_literals;

TEST(Length, UnitsConvertOnlyThroughTheirNames) {
    EXPECT_DOUBLE_EQ((1_in).InMillimetres(), 25.4);
    EXPECT_DOUBLE_EQ((72_pt).InInches(), 1.0);
    EXPECT_DOUBLE_EQ((25.4_mm + 1_in).InPoints(), 144.0);
    EXPECT_DOUBLE_EQ((10_mm * 3).InMillimetres(), 30.0);
    EXPECT_DOUBLE_EQ(2_in / 1_in, 2.0);
    EXPECT_LT(25_mm, 1_in);
}

TEST(LabelSheets, EveryTypeFitsItsPaper) {
    for (const LabelSheetType& t : LabelSheetTypes()) {
        SCOPED_TRACE(std::string(t.name));
        const LengthSize page = t.Page();
        const LengthRect first = t.Label(1);
        const LengthRect last = t.Label(t.PerSheet());
        EXPECT_GE(first.left, 0_mm);
        EXPECT_GE(first.top, 0_mm);
        EXPECT_LE(last.Right(), page.width);
        EXPECT_LE(last.Bottom(), page.height);
        // Neighbouring labels never overlap.
        EXPECT_GE(t.horizontalPitch, t.labelWidth);
        EXPECT_GE(t.verticalPitch + 0.001_mm, t.labelHeight);
    }
}

TEST(LabelSheets, OrderAndGeometryOfTheTable) {
    const auto& types = LabelSheetTypes();
    ASSERT_EQ(types.size(), 19u);
    EXPECT_EQ(types.front().name, "L7159_Address");
    EXPECT_EQ(types[17].name, "Avery_5160_Address");
    EXPECT_EQ(types.back().name, "Avery_8160_Address");

    const LabelSheetType& l7159 = types.front();
    EXPECT_EQ(l7159.PerSheet(), 24);
    // Column 2, row 3 is the 8th position.
    const LengthRect r = l7159.Label(2, 3);
    EXPECT_NEAR(r.left.InInches(), 0.25 + 2.63, 1e-9);
    EXPECT_NEAR(r.top.InInches(), 0.54 + 2 * 1.33, 1e-9);
    EXPECT_NEAR(l7159.Label(8).left.InInches(), r.left.InInches(), 1e-9);

    const LabelSheetType& avery8160 = types.back();
    EXPECT_DOUBLE_EQ(avery8160.labelWidth.InMillimetres(), 96);
    EXPECT_DOUBLE_EQ(avery8160.top.InMillimetres(), 12);

    EXPECT_EQ(FindLabelSheetType("L7169_Parcel")->orientation, Orientation::Landscape);
    EXPECT_DOUBLE_EQ(FindLabelSheetType("L7169_Parcel")->Page().width.InMillimetres(), 297);
    EXPECT_DOUBLE_EQ(FindLabelSheetType("avery_5160_address")->Page().width.InInches(), 8.5);
}

TEST(LabelSheets, LookupByName) {
    EXPECT_EQ(FindLabelSheetType("l7160_ADDRESS"), &LabelSheetTypes()[1]);
    EXPECT_EQ(FindLabelSheetType("L7160"), nullptr);
    EXPECT_EQ(FindLabelSheetType(""), nullptr);
    EXPECT_EQ(&LabelSheetTypeOrFirst("no such sheet"), &LabelSheetTypes().front());
    EXPECT_EQ(LabelSheetTypeOrFirst("J8660_DISKETTE").name, "J8660_Diskette");
}
