// Fill descriptions, masks, choice tables, shadow records, font lists and
// picture extents.
#include "core/Units.h"
#include "shapes/CConProps.h"
#include "shapes/CFigProps.h"
#include "document/CFontList.h"
#include "document/ChoiceTables.h"
#include "document/GraphicExtent.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(FillSpec, SetColorAndBandVariant)
{
    CFillSpec f;
    f.m_nKind = 0;
    EXPECT_EQ(f.SetColor(0x0000FF, 0), 0);
    EXPECT_EQ(f.m_nKind, 0);
    EXPECT_EQ(f.m_crColor1, 0xFFFFFFu);
    EXPECT_EQ(f.SetColor(0x0000FF, 1), 1);
    EXPECT_EQ(f.m_nKind, 1);
    EXPECT_EQ(f.m_crColor1, 0x0000FFu);
    EXPECT_EQ(f.SetColor(kNoFillColor, 0), 0);
    EXPECT_EQ(f.m_nKind, 0);
    EXPECT_EQ(f.GetColorOrNone(), kNoFillColor);

    f.m_nKind = 3;
    f.m_nVariant = 2;
    EXPECT_EQ(f.DropBandVariant(), 1);
    EXPECT_EQ(f.m_nVariant, 0);
    f.m_nKind = 2;
    f.m_nVariant = 2;
    EXPECT_EQ(f.DropBandVariant(), 0);
}

TEST(FillSpec, TransparentFillsAreEquivalentWhateverTheirColours)
{
    CFillSpec a, b;
    a.m_nKind = b.m_nKind = 0;
    a.m_crColor1 = 0x123456;
    b.m_crColor2 = 0x654321;
    EXPECT_TRUE(a.IsEquivalent(b));
    EXPECT_FALSE(a.IsEqual(b));
    a.m_nKind = b.m_nKind = 1;
    EXPECT_FALSE(a.IsEquivalent(b));
    b.m_crColor1 = a.m_crColor1;
    EXPECT_TRUE(a.IsEquivalent(b));   // the second colour does not show
}

TEST(FillSpec, BrushBlendsRoundedAndPlacesTheRadialCentre)
{
    CFillSpec f;
    f.m_nKind = 2;
    f.m_crColor1 = 0x000000;
    f.m_crColor2 = 0xFFFFFF;
    f.m_nIntensity = 90;
    EXPECT_EQ(f.GetBlendedColor2(), 0xE6E6E6u);

    f.m_nVariant = 1;
    f.m_nAngle = 270;
    FillBrushDesc d = f.CreateBrush(CRect(0, 0, 100, 50));
    EXPECT_EQ(d.kind, FillBrushDesc::Linear);
    EXPECT_EQ(d.colorA, 0xE6E6E6u);   // swapped: angle 180 or more with the bell blend
    EXPECT_EQ(d.colorB, 0u);
    EXPECT_TRUE(d.bell);

    f.m_nVariant = 2;
    f.m_nAngle = 0;
    d = f.CreateBrush(CRect(0, 0, 100, 50));
    ASSERT_EQ(d.blendPositions.size(), 4u);
    EXPECT_DOUBLE_EQ(d.blendPositions[1], 0.1);
    EXPECT_DOUBLE_EQ(d.blendPositions[2], 0.9);

    f.m_nVariant = 0;
    d = f.CreateBrush(CRect(0, 0, 100, 50));
    EXPECT_TRUE(d.blendPositions.empty());   // focus 50: no blend
    f.m_nFocus = 30;
    d = f.CreateBrush(CRect(0, 0, 100, 50));
    EXPECT_EQ(d.blendPositions, (std::vector<double>{0, 0.3, 1}));

    f.m_nKind = 3;
    f.m_nCentreX = 30;
    f.m_nCentreY = 0;
    d = f.CreateBrush(CRect(100, 200, 300, 300));
    EXPECT_EQ(d.kind, FillBrushDesc::Radial);
    EXPECT_DOUBLE_EQ(d.centreX, 160);
    EXPECT_DOUBLE_EQ(d.centreY, 200);
    EXPECT_DOUBLE_EQ(d.ellipseWidth, 200 * 1.415);
    EXPECT_EQ(d.colorB, 0xE6E6E6u);  // centre colour is the second colour

    f.m_nKind = 0;
    EXPECT_EQ(f.CreateBrush(CRect(0, 0, 1, 1)).kind, FillBrushDesc::None);
}

TEST(FigPropMask, SetDiffKeepsEveryChangedBehaviourBit)
{
    CFigProps a, b;
    b.Behavior.low ^= 0x40 | 0x80000000;   // bit 31 is not a property
    b.Behavior.high ^= 0x200 | 0x8;         // high 8 is not compared
    b.BorderColor = 0xFF;
    b.m_fill.m_nAngle = 45;
    CFigPropMask m;
    m.SetDiff(a, b);
    EXPECT_EQ(m.m_behavior, (FigFlagSet{0x40, 0x200}));
    EXPECT_EQ(m.m_bBorderColor, 1);
    EXPECT_EQ(m.m_bTextColor, 0);
    EXPECT_EQ(m.m_fill.m_bRest, 1);
    EXPECT_EQ(m.m_fill.m_bColor1, 0);
    EXPECT_EQ(m.CountSet(), 1 + 1 + 1 + 1);

    // Applying the mask reproduces b's compared bits.
    CFigProps c = a;
    c.CopyMasked(&b, &m);
    EXPECT_EQ(c.Behavior.low & 0x7FFFFFFF, b.Behavior.low & 0x7FFFFFFF);
    EXPECT_EQ(c.Behavior.high & 0x3F7, b.Behavior.high & 0x3F7);
}

TEST(FigPropMask, SetAllCoversWhatSetDiffCompares)
{
    CFigPropMask m;
    m.SetAll(1);
    EXPECT_EQ(m.m_behavior.high & kFigBehaviorHighProps, kFigBehaviorHighProps);
    EXPECT_EQ(m.m_behavior.low & kFigBehaviorLowProps, kFigBehaviorLowProps);
    EXPECT_TRUE(m.AnyFillSet());
    CFigProps a, b;
    b.Behavior.high ^= 0x3F7;
    CFigProps c = a;
    c.CopyMasked(&b, &m);
    EXPECT_EQ(c.Behavior, b.Behavior);
    m.SetAll(0);
    EXPECT_EQ(m.CountSet(), 0);
}

TEST(FigPropMask, CountSetCountsGroupsOnce)
{
    struct Case {
        DWORD low, high;
        int count;
    } cases[] = {
        {1 | 2 | 4, 0, 1},       {8 | 32, 0, 1},         {0x40 | 0x80 | 0x100, 0, 3},
        {0x200, 0, 0},           {0x4000 | 0x10000, 0, 1}, {0x20000 | 0x40000, 0, 1},
        {1u << 26, 0, 0},        {(1u << 19) | (1u << 30), 0, 2}, {0, 0x3F7, 8},
        {0, 0x4 | 0x8, 0},
    };
    for (const Case& c : cases) {
        CFigPropMask m;
        m.m_behavior = {c.low, c.high};
        EXPECT_EQ(m.CountSet(), c.count) << std::hex << c.low << " " << c.high;
    }
    CFigPropMaskEx ex;
    ex.m_bEx[3] = 1;
    ex.m_bFont = 1;
    ex.m_fill.m_bColor2 = 1;
    EXPECT_EQ(ex.CountSet(), 3);
    CFigPropMaskEx other;
    other.m_bEx[9] = 1;
    ex.OrWith(other);
    EXPECT_EQ(ex.CountSet(), 4);
}

TEST(ConPropMask, DiffAllAndCount)
{
    CConProps a, b;
    b.Behavior.low = 0x40000000 | 0x2 | 0x100;
    b.FIType = 3;
    b.m_nFurther = 7;   // not one of the compared fields
    CConPropMask m;
    m.SetDiff(a, b);
    EXPECT_EQ(m.m_behavior.low, 0x40000002u);
    EXPECT_EQ(m.m_bFIType, 1);
    EXPECT_EQ(m.m_bFurther, 0);
    EXPECT_EQ(m.CountSet(), 3);

    CConPropMask all;
    all.SetAll(1);
    CConProps c = a;
    c.CopyMasked(&b, &all);
    EXPECT_EQ(c.Behavior.low & 0x40000000u, 0x40000000u);   // "do not print" travels too
    EXPECT_EQ(all.m_behavior.high, 0u);

    CConPropMaskEx ex;
    ex.m_bEx[0] = 1;
    ex.m_behavior.low = 2 | 8 | 16 | 1;
    EXPECT_EQ(ex.CountSet(), 3);
}

class ChoiceTablesTest : public ::testing::Test {
protected:
    void SetUp() override { BuildChoiceTables(); }
    void TearDown() override { ResetChoiceTables(); }
};

// Every built-in fill choice, each built on the one before: white second
// colour, focus 50 and width 80 throughout; applied without the first colour.
TEST_F(ChoiceTablesTest, FillChoicesHoldTheirValuesInOrder)
{
    const struct {
        const char* name;
        int kind, gamma, angle, mode, centreX, centreY, strength;
    } rows[] = {
        {"Transparent", 0, 0, 0, 0, 50, 50, 100},     {"Flat", 1, 0, 0, 0, 50, 50, 100},
        {"Vertical", 2, 1, 0, 0, 50, 50, 90},         {"Horizontal", 2, 1, 90, 0, 50, 50, 90},
        {"Cylinder", 2, 1, 270, 1, 50, 50, 80},       {"Diagonal Cylinder", 2, 1, 225, 1, 50, 50, 80},
        {"3D Diagonal", 2, 0, 45, 0, 50, 50, 90},     {"3D Elliptical", 3, 0, 45, 1, 30, 30, 90},
        {"Elliptical", 3, 0, 45, 0, 50, 50, 90},      {"Museum Light", 3, 0, 45, 1, 50, 0, 90},
    };
    const FillChoiceTable& t = FillChoices();
    ASSERT_EQ(t.GetCount(), int(std::size(rows)));
    for (int i = 0; i < t.GetCount(); ++i) {
        const auto& r = rows[i];
        const CFillChoice& c = *t.GetAt(i);
        SCOPED_TRACE(r.name);
        EXPECT_EQ(c.m_strName, r.name);
        EXPECT_EQ(c.m_fill.m_nKind, r.kind);
        EXPECT_EQ(c.m_fill.m_nGamma, r.gamma);
        EXPECT_EQ(c.m_fill.m_nAngle, r.angle);
        EXPECT_EQ(c.m_fill.m_nVariant, r.mode);
        EXPECT_EQ(c.m_fill.m_nCentreX, r.centreX);
        EXPECT_EQ(c.m_fill.m_nCentreY, r.centreY);
        EXPECT_EQ(c.m_fill.m_nIntensity, r.strength);
        EXPECT_EQ(c.m_fill.m_crColor2, 0xFFFFFFu);
        EXPECT_EQ(c.m_fill.m_nFocus, 50);
        EXPECT_EQ(c.m_fill.m_nBand, 80);
        EXPECT_EQ(c.m_fill.m_nGrowth, 0);
        EXPECT_EQ(c.m_mask.m_bColor1, 0);
        EXPECT_EQ(c.m_mask.m_bColor2, 1);
        EXPECT_EQ(c.m_mask.m_bRest, 1);
    }
}

TEST_F(ChoiceTablesTest, FillChoices)
{
    const FillChoiceTable& t = FillChoices();
    ASSERT_EQ(t.GetCount(), 10);
    EXPECT_EQ(t.GetAt(9)->m_strName, "Museum Light");
    EXPECT_EQ(t.GetAt(9)->m_fill.m_nCentreY, 0);
    EXPECT_EQ(t.GetAt(5)->m_fill.m_nGamma, 1);

    CFillSpec red;
    red.m_crColor1 = 0x0000FF;
    CFillMask mask;
    ASSERT_EQ(t.ApplyByName(red, "Cylinder", &mask), 1);
    EXPECT_EQ(red.m_crColor1, 0x0000FFu);
    EXPECT_EQ(red.m_nKind, 2);
    EXPECT_EQ(red.m_nAngle, 270);
    EXPECT_EQ(red.m_nVariant, 1);
    EXPECT_EQ(red.m_nIntensity, 80);
    EXPECT_EQ(mask.m_bColor1, 0);
    EXPECT_EQ(t.ApplyByName(red, "cylinder", &mask), 0);

    CFillSpec blue;
    blue.m_crColor1 = 0xFF0000;
    std::string name;
    EXPECT_EQ(t.FindName(blue, name), 1);
    EXPECT_EQ(name, "Flat");
    EXPECT_EQ(t.FindName(red, name), 4);
    blue.m_nKind = 2;
    blue.m_nAngle = 17;
    EXPECT_EQ(t.FindName(blue, name), -1);
    EXPECT_EQ(name, "");

    auto names = t.ComboNames(true, "Flat");
    EXPECT_EQ(names.size(), 10u);
    EXPECT_EQ(names.back(), " ");

    FillChoiceTable full;
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(full.Add(CFillChoice()), 1);
    EXPECT_EQ(full.Add(CFillChoice()), 0);
    EXPECT_EQ(full.GetCount(), 25);
}

TEST_F(ChoiceTablesTest, ShadowChoices)
{
    const CShadowChoiceList& t = ShadowChoices();
    ASSERT_EQ(t.GetCount(), 7);
    EXPECT_EQ(t.GetAt(6)->m_shadow.m_nBlur, 35);
    EXPECT_EQ(t.GetAt(6)->m_shadow.m_nOpacity, 181);
    EXPECT_EQ(t.GetAt(0)->m_mask.m_bColor, 0);

    CShadowSpec s(1, 0x00FF00, 18, 18, 17, 153);   // colour is not part of a choice
    std::string name;
    EXPECT_EQ(t.FindMatch(s, name), 2);
    EXPECT_EQ(name, "Medium Shadow");
    CShadowSpec none(0, 0x123, 5, 5, 5, 5);
    EXPECT_EQ(t.FindMatch(none, name), 0);
    CShadowSpec odd(1, 0, 1, 2, 3, 4);
    EXPECT_EQ(t.FindMatch(odd, name), -1);
    EXPECT_EQ(name, "") << "no choice, no name";

    CShadowFieldMask mask;
    CShadowSpec r(1, 0x0000FF, 0, 0, 0, 0);
    ASSERT_EQ(t.ApplyByName(r, "Large Glow", &mask), 1);
    EXPECT_EQ(r, CShadowSpec(1, 0x0000FF, 0, 0, 35, 181));
    EXPECT_EQ(t.FindByName("Nope"), -1);

    CShadowChoiceList full;
    for (int i = 0; i < 25; ++i)
        full.Add(CShadowChoice());
    EXPECT_EQ(full.Add(CShadowChoice()), 0);
}

TEST(ShadowSpec, VisibilityScaleRectAndEffect)
{
    CShadowSpec s;
    EXPECT_EQ(s, CShadowSpec(0, 0, 8, 8, 4, 153));
    s.m_nType = 1;
    s.m_nOpacity = 4;
    EXPECT_FALSE(s.IsVisible());
    s.m_nOpacity = 5;
    EXPECT_TRUE(s.IsVisible());
    CShadowSpec flat(1, 0, 0, 0, 0, 200);
    EXPECT_FALSE(flat.IsVisible());

    for (double f : {1.0, 1000.5, 0.0, -2.0}) {
        CShadowSpec t = s;
        t.Scale(f);
        EXPECT_EQ(t, s) << f;
    }
    s.Scale(1.5);
    EXPECT_EQ(s.m_nOffsetX, 12);
    EXPECT_EQ(s.m_nOffsetY, 12);
    EXPECT_EQ(s.m_nBlur, 6);

    CRect rc(0, 0, 100, 100);
    CShadowSpec(1, 0, 10, 20, 5, 100).GetShadowRect(rc);
    EXPECT_EQ(rc, CRect(0, 0, 115, 125));
    CRect same(0, 0, 10, 10);
    CShadowSpec(0, 0, 10, 20, 5, 100).GetShadowRect(same);
    EXPECT_EQ(same, CRect(0, 0, 10, 10));

    EXPECT_TRUE(CShadowSpec(0, 1, 2, 3, 4, 5).IsSameEffect(CShadowSpec(0, 9, 9, 9, 9, 9)));
    EXPECT_FALSE(CShadowSpec(1, 1, 2, 3, 4, 5).IsSameEffect(CShadowSpec(1, 9, 2, 3, 4, 5)));
    EXPECT_FALSE(CShadowSpec(2, 0, 0, 0, 0, 0).IsSameEffect(CShadowSpec(2, 0, 0, 0, 0, 0)));
}

TEST(FontList, AddUniqueReuseLimitAndLookup)
{
    CFontList list;
    LOGFONT a = CFontDesc().m_lf;
    LOGFONT b = a;
    b.lfStrikeOut = 1;
    b.lfWidth = 7;
    EXPECT_EQ(list.AddUnique(a, true), 0);
    EXPECT_EQ(list.AddUnique(b, true), 1);   // strike-out and width make another font
    EXPECT_EQ(list.AddUnique(b, true), 1);   // an equal one is reused
    EXPECT_EQ(list.AddUnique(b, false), 2);  // appended again without reuse
    EXPECT_EQ(list.GetAt(1)->m_lf.lfStrikeOut, 1);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(3), nullptr);
    for (int i = 3; i < 256; ++i) {
        LOGFONT f = a;
        f.lfHeight = -100 - i;
        ASSERT_EQ(list.AddUnique(f, true), i);
    }
    LOGFONT extra = a;
    extra.lfHeight = 1;
    EXPECT_EQ(list.AddUnique(extra, true), -1);
    EXPECT_EQ(list.GetCount(), 256);
    EXPECT_EQ(list.AddUnique(a, true), 0);   // an equal one is still found
    LOGFONT arial = a;
    SetLogFontFace(arial, "arial");
    EXPECT_EQ(list.AddUnique(arial, true), -1);  // face names compare case-sensitively
}

namespace {
HGLOBAL BlockOf(const std::vector<BYTE>& bytes)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    CGlobalLock lock(h);
    std::memcpy(lock.data(), bytes.data(), bytes.size());
    return h;
}

void Put32(std::vector<BYTE>& b, size_t at, int32_t v)
{
    std::memcpy(&b[at], &v, 4);
}

void Put16(std::vector<BYTE>& b, size_t at, int16_t v)
{
    std::memcpy(&b[at], &v, 2);
}
} // namespace

// Both kinds of metafile measure their bounds from their own left and top,
// which need not be 0.
TEST(GraphicExtent, MetafileBoundsNeedNotStartAtZero)
{
    std::vector<BYTE> apm(22);
    Put16(apm, 6, 100);    // left
    Put16(apm, 8, 300);    // top
    Put16(apm, 10, 820);   // right: 720 wide
    Put16(apm, 12, 660);   // bottom: 360 high
    Put16(apm, 14, 720);
    HGLOBAL h = BlockOf(apm);
    int w = -1, hgt = -1;
    EXPECT_EQ(GetGraphicExtent(h, 2, &w, &hgt), 1);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(hgt, 128);
    GlobalFree(h);

    std::vector<BYTE> emf(88);
    Put32(emf, 24, 1000);   // frame left
    Put32(emf, 28, 2000);   // top
    Put32(emf, 32, 6080);   // right: 5080 wide
    Put32(emf, 36, 4540);   // bottom: 2540 high
    h = BlockOf(emf);
    EXPECT_EQ(GetGraphicExtent(h, 3, &w, &hgt), 1);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(hgt, 256);
    GlobalFree(h);
}

TEST(GraphicExtent, ByType)
{
    std::vector<BYTE> apm(22);
    Put16(apm, 10, 2880);
    Put16(apm, 12, 1440);
    Put16(apm, 14, 1440);
    HGLOBAL h = BlockOf(apm);
    int w = -1, hgt = -1;
    EXPECT_EQ(GetGraphicExtent(h, 2, &w, &hgt), 1);
    EXPECT_EQ(w, 512);
    EXPECT_EQ(hgt, 256);
    w = hgt = -1;
    EXPECT_EQ(GetGraphicExtent(h, 5, &w, &hgt), 0);
    EXPECT_EQ(w, -1);
    GlobalFree(h);

    apm[14] = apm[15] = 0;
    h = BlockOf(apm);
    EXPECT_EQ(GetGraphicExtent(h, 2, &w, &hgt), 0);
    GlobalFree(h);

    std::vector<BYTE> emf(88);
    Put32(emf, 32, 2540);
    Put32(emf, 36, 1270);
    h = BlockOf(emf);
    EXPECT_EQ(GetGraphicExtent(h, 3, &w, &hgt), 1);
    EXPECT_EQ(w, 256);
    EXPECT_EQ(hgt, 128);
    GlobalFree(h);

    std::vector<BYTE> sized(8);
    Put32(sized, 0, 300);
    Put32(sized, 4, 400);
    h = BlockOf(sized);
    EXPECT_EQ(GetGraphicExtent(h, 9, &w, &hgt), 1);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(hgt, 400);
    GlobalFree(h);

    std::vector<BYTE> shortBlock(3);
    h = BlockOf(shortBlock);
    for (int type : {1, 2, 3, 9})
        EXPECT_EQ(GetGraphicExtent(h, type, &w, &hgt), 0) << type;
    GlobalFree(h);
    EXPECT_EQ(GetGraphicExtent(nullptr, 9, &w, &hgt), 0);

    std::vector<BYTE> bmp(14 + 40);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 14, 40);
    Put32(bmp, 18, 3780);   // one metre of pixels at 3780 per metre
    Put32(bmp, 22, -1890);
    Put32(bmp, 38, 3780);
    Put32(bmp, 42, 3780);
    h = BlockOf(bmp);
    EXPECT_EQ(GetGraphicExtent(h, 1, &w, &hgt), 1);
    EXPECT_EQ(w, 10078);
    EXPECT_EQ(hgt, 5039);
    GlobalFree(h);
}

namespace {
class FakeCombo : public IChoiceCombo {
public:
    void ResetContent() override { items.clear(); }
    bool AddString(const std::string& t) override
    {
        if (int(items.size()) >= limit)
            return false;
        items.push_back(t);
        return true;
    }
    void SetDropDownItems(int n) override { dropItems = n; }
    std::vector<std::string> items{"old"};
    int limit = 100;
    int dropItems = -1;
};
} // namespace

TEST_F(ChoiceTablesTest, CombosStopAtTheFirstRefusal)
{
    FakeCombo combo;
    FillChoices().FillCombo(combo, true, "Flat");
    ASSERT_EQ(combo.items.size(), 10u);
    EXPECT_EQ(combo.items[1], "Vertical");
    EXPECT_EQ(combo.items.back(), " ");
    EXPECT_EQ(combo.dropItems, 10);
    FakeCombo small;
    small.limit = 3;
    ShadowChoices().FillCombo(small, false);
    EXPECT_EQ(small.items, (std::vector<std::string>{"No Shadow", "Small Shadow", "Medium Shadow"}));
    EXPECT_EQ(small.dropItems, 3);
}

// The factor 1000 is the largest that scales; halves round upwards; a missing
// source or mask copies nothing; a choice matches on its masked fields only.
TEST(ShadowSpec, ScaleLimitsMaskedCopiesAndMatching)
{
    CShadowSpec big(1, 0, 8, -3, 4, 153);
    big.Scale(1000);
    EXPECT_EQ(big, CShadowSpec(1, 0, 8000, -3000, 4000, 153));
    CShadowSpec half(1, 0, 5, -5, 1, 153);
    half.Scale(1.5);
    EXPECT_EQ(half, CShadowSpec(1, 0, 8, -7, 2, 153));
    CShadowSpec shrunk;   // a diagram scaled down takes its shadows with it
    shrunk.Scale(0.5);
    EXPECT_EQ(shrunk, CShadowSpec(0, 0, 4, 4, 2, 153));

    const CShadowSpec source(1, 0x112233, 1, 2, 3, 4);
    CShadowFieldMask all{1, 1, 1, 1, 1, 1};
    CShadowSpec kept;
    kept.CopyMasked(nullptr, &all);
    kept.CopyMasked(&source, nullptr);
    EXPECT_EQ(kept, CShadowSpec());
    CShadowFieldMask offsets;
    offsets.m_bOffsetX = offsets.m_bOffsetY = 1;
    kept.CopyMasked(&source, &offsets);
    EXPECT_EQ(kept, CShadowSpec(0, 0, 1, 2, 4, 153));

    CShadowChoice choice;
    choice.m_shadow = CShadowSpec(1, 0, 10, 10, 6, 153);
    choice.m_mask = offsets;
    struct Case {
        const char* name;
        CShadowSpec spec;
        bool matches;
    };
    const Case cases[] = {
        {"same offsets, other blur and colour", CShadowSpec(0, 0xFF, 10, 10, 99, 7), true},
        {"other x offset", CShadowSpec(1, 0, 11, 10, 6, 153), false},
        {"other y offset", CShadowSpec(1, 0, 10, 9, 6, 153), false},
    };
    for (const Case& t : cases)
        EXPECT_EQ(choice.Matches(t.spec), t.matches) << t.name;
}
