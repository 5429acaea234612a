// Which fill fields each kind of fill shows, how the connector mask counts
// its behaviour bits, and the default font.
#include "shapes/CConPropMask.h"
#include "shapes/CFontDesc.h"
#include "shapes/FillDescription.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

TEST(FillRules, EquivalenceComparesOnlyWhatTheKindShows)
{
    struct Row {
        int kind;
        const char* field;
        std::function<void(CFillSpec&)> edit;
        bool equivalent;
    };
    const Row rows[] = {
        {0, "first colour", [](CFillSpec& f) { f.m_crColor1 = 0x0000FF; }, true},
        {0, "angle", [](CFillSpec& f) { f.m_nAngle = 90; }, true},
        {1, "first colour", [](CFillSpec& f) { f.m_crColor1 = 0x0000FF; }, false},
        {1, "second colour", [](CFillSpec& f) { f.m_crColor2 = 0x0000FF; }, true},
        {1, "variant", [](CFillSpec& f) { f.m_nVariant = 1; }, true},
        {2, "second colour", [](CFillSpec& f) { f.m_crColor2 = 0x0000FF; }, false},
        {2, "gamma", [](CFillSpec& f) { f.m_nGamma = 1; }, false},
        {2, "angle", [](CFillSpec& f) { f.m_nAngle = 90; }, false},
        {2, "focus", [](CFillSpec& f) { f.m_nFocus = 30; }, false},
        {2, "band", [](CFillSpec& f) { f.m_nBand = 60; }, false},
        {2, "variant", [](CFillSpec& f) { f.m_nVariant = 2; }, false},
        {2, "intensity", [](CFillSpec& f) { f.m_nIntensity = 90; }, false},
        {2, "centre x", [](CFillSpec& f) { f.m_nCentreX = 10; }, true},
        {2, "growth", [](CFillSpec& f) { f.m_nGrowth = 20; }, true},
        {3, "first colour", [](CFillSpec& f) { f.m_crColor1 = 0x0000FF; }, false},
        {3, "centre x", [](CFillSpec& f) { f.m_nCentreX = 10; }, false},
        {3, "centre y", [](CFillSpec& f) { f.m_nCentreY = 10; }, false},
        {3, "growth", [](CFillSpec& f) { f.m_nGrowth = 20; }, false},
        {3, "variant", [](CFillSpec& f) { f.m_nVariant = 1; }, false},
        {3, "intensity", [](CFillSpec& f) { f.m_nIntensity = 90; }, false},
        {3, "angle", [](CFillSpec& f) { f.m_nAngle = 90; }, true},
        {3, "gamma", [](CFillSpec& f) { f.m_nGamma = 1; }, true},
        {3, "focus", [](CFillSpec& f) { f.m_nFocus = 30; }, true},
    };
    for (const Row& r : rows) {
        CFillSpec a;
        a.m_nKind = r.kind;
        CFillSpec b = a;
        r.edit(b);
        EXPECT_EQ(a.IsEquivalent(b), r.equivalent) << "kind " << r.kind << ": " << r.field;
        EXPECT_EQ(b.IsEquivalent(a), r.equivalent) << "kind " << r.kind << ": " << r.field;
    }
}

TEST(ConPropMaskRules, EachBehaviourBitOrGroupCountsOnce)
{
    struct Row {
        DWORD low;
        int count;
    } rows[] = {
        {1, 1},    {2, 1},     {8 | 16, 1}, {2 | 8 | 16, 1}, {4, 1},           {0x20, 1},
        {0x40, 1}, {0x80, 1},  {0x100, 0},  {0x40000000, 1}, {0x20000000, 0}, {0xFF | 0x40000000, 7},
    };
    for (const Row& r : rows) {
        CConPropMask m;
        m.m_behavior.low = r.low;
        EXPECT_EQ(m.CountSet(), r.count) << std::hex << r.low;
    }
}

TEST(FontRules, DefaultFontIsArialOfHeightMinusEight)
{
    const CFontDesc d;
    LOGFONT expected{};
    expected.lfHeight = -8;
    std::strcpy(expected.lfFaceName, "Arial");
    EXPECT_EQ(std::memcmp(&d.m_lf, &expected, sizeof expected), 0);
    EXPECT_TRUE(d.IsEqual(CFontDesc(expected)));
}
