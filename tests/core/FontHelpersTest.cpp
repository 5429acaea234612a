#include "core/FontHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

TEST(FontHelpers, DisplayFamiliesFitALogFontOnce)
{
    const std::vector<std::string> families = GetDisplayFontFamilies();
    ASSERT_FALSE(families.empty());
    EXPECT_EQ(std::set<std::string>(families.begin(), families.end()).size(), families.size());
    for (const std::string& face : families)
        EXPECT_LT(face.size(), size_t(LF_FACESIZE)) << face;
    EXPECT_NE(std::find(families.begin(), families.end(), "Liberation Sans"), families.end());
}

TEST(FontHelpers, GetFontLogFontDescribesTheFamily)
{
    LOGFONT lf;
    ASSERT_TRUE(GetFontLogFont("liberation sans", lf)) << "names compare case-blind";
    EXPECT_STREQ(lf.lfFaceName, "Liberation Sans");
    EXPECT_GT(lf.lfHeight, 0);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfPitchAndFamily & 3, VARIABLE_PITCH);

    ASSERT_TRUE(GetFontLogFont("Liberation Mono", lf));
    EXPECT_EQ(lf.lfPitchAndFamily & 3, FIXED_PITCH);

    LOGFONT untouched;
    untouched.lfHeight = 123;
    EXPECT_FALSE(GetFontLogFont("No Such Face 42", untouched));
    EXPECT_FALSE(GetFontLogFont("", untouched));
    EXPECT_EQ(untouched.lfHeight, 123);
}

TEST(FontHelpers, CellHeightBecomesTheNegativeCharacterHeight)
{
    LONG previous = 0;
    for (LONG cell : {8, 12, 16, 24, 48, 200}) {
        LONG height = cell;
        FontHeightToCellHeight(height);
        EXPECT_LT(height, 0) << cell;
        EXPECT_GT(-height, cell / 2) << cell;
        EXPECT_LE(-height, cell) << cell;
        EXPECT_LE(height, previous) << "grows with the cell";
        previous = height;
    }
    for (LONG unchanged : {0, -12, 40000}) {
        LONG height = unchanged;
        FontHeightToCellHeight(height);
        EXPECT_EQ(height, unchanged);
    }
}
