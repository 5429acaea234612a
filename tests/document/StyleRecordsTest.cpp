// The property records of figures and connectors and the style records that
// hold them: defaults, comparisons, masked copies, alignment and the presets
// a symbol gives.
#include "shapes/CConStyle.h"
#include "shapes/CFigStyle.h"
#include "shapes/COutlineWriter.h"
#include "shapes/CFigSymbol.h"

#include <gtest/gtest.h>

TEST(FigProps, DefaultsAndEquality)
{
    CFigProps p;
    EXPECT_EQ(p.Icon, -1);
    EXPECT_EQ(p.TextFormat, 0x22);
    EXPECT_EQ(p.Behavior, (FigFlagSet{0x24012, 0x330}));
    EXPECT_EQ(p.BindToStyle, 1);
    EXPECT_EQ(p.m_fill.m_nKind, 1);
    EXPECT_EQ(p.m_font.m_lf.lfHeight, -8);
    EXPECT_STREQ(p.m_font.m_lf.lfFaceName, "Arial");
    EXPECT_FALSE(p.HasGraphic());
    CFigProps q = p;
    EXPECT_EQ(p == q, 1);
    // Every font field counts, strike-out included.
    q.m_font.m_lf.lfStrikeOut = 1;
    EXPECT_EQ(p == q, 0);
    q = p;
    q.m_font.m_lf.lfWeight = 700;
    EXPECT_EQ(p == q, 0);
    CFigProps r;
    r.Behavior.high |= 8;
    EXPECT_EQ(p == r, 0);
    r = p;
    r.m_fill.m_nAngle = 5;
    EXPECT_EQ(p == r, 0);
}

// Each field the comparison names makes two records differ on its own.
TEST(FigProps, EveryComparedFieldCounts)
{
    int picture = 0;
    const std::pair<const char*, void (*)(CFigProps&, int*)> changes[] = {
        {"BorderColor", [](CFigProps& p, int*) { p.BorderColor = 5; }},
        {"TextColor", [](CFigProps& p, int*) { p.TextColor = 5; }},
        {"BorderWidth", [](CFigProps& p, int*) { p.BorderWidth = 5; }},
        {"Shadow", [](CFigProps& p, int*) { p.Shadow = 5; }},
        {"Symbol", [](CFigProps& p, int*) { p.Symbol = 5; }},
        {"Icon", [](CFigProps& p, int*) { p.Icon = 5; }},
        {"TextFormat", [](CFigProps& p, int*) { p.TextFormat = 0x41; }},
        {"Behavior", [](CFigProps& p, int*) { p.Behavior.low ^= 0x400000; }},
        {"graphic flag", [](CFigProps& p, int*) { p.m_nGraphicType = 2; }},
        {"Graphic", [](CFigProps& p, int* g) { p.Graphic = reinterpret_cast<HGLOBAL>(g); }},
        {"BindToStyle", [](CFigProps& p, int*) { p.BindToStyle = 0; }},
        {"PenStyle", [](CFigProps& p, int*) { p.PenStyle = 2; }},
        {"HideText", [](CFigProps& p, int*) { p.HideText = 1; }},
        {"fill", [](CFigProps& p, int*) { p.m_fill.m_nKind = 0; }},
    };
    const CFigProps base;
    for (const auto& [name, change] : changes) {
        CFigProps other = base;
        change(other, &picture);
        EXPECT_EQ(base == other, 0) << name;
    }
}

TEST(FigProps, MaskedCopy)
{
    CFigProps src;
    src.BorderColor = 0x123456;
    src.Symbol = 7;
    src.Icon = 8;
    src.m_nGraphicType = 2;
    int picture = 0;
    src.Graphic = reinterpret_cast<HGLOBAL>(&picture);   // compared, never used
    src.Behavior = {0xF0, 0x3};
    src.m_fill.m_crColor1 = 0xFF;
    src.m_fill.m_nKind = 2;
    const CFigProps before;
    CFigProps dst;
    CFigPropMask none;
    dst.CopyMasked(&src, &none);
    EXPECT_EQ(dst == before, 1);
    dst.CopyMasked(nullptr, &none);
    CFigPropMask shape;
    shape.m_bShape = 1;
    dst.CopyMasked(&src, &shape);
    EXPECT_EQ(dst.Symbol, 7);
    EXPECT_EQ(dst.Icon, 8);
    EXPECT_EQ(dst.m_nGraphicType, 2);   // the picture comes along with the symbol group
    EXPECT_EQ(dst.Graphic, src.Graphic);
    EXPECT_EQ(dst.BorderColor, 0u);
    CFigPropMask bits;
    bits.m_behavior = {0x30, 0x1};
    bits.m_fill.m_bColor1 = 1;
    dst.CopyMasked(&src, &bits);
    EXPECT_EQ(dst.Behavior, (FigFlagSet{(0x24012u & ~0x30u) | 0x30u, (0x330u & ~1u) | 1u}));
    EXPECT_EQ(dst.m_fill.m_crColor1, 0xFFu);
    EXPECT_EQ(dst.m_fill.m_nKind, 1);
}

TEST(FigProps, SetTextAlignTable)
{
    struct Case { WORD before; DWORD behaviorBefore; unsigned bit; int also; int result; WORD after; DWORD behaviorAfter; };
    const Case cases[] = {
        {0x22, 0x12, 2, 1, 0, 0x22, 0x12},     // already set: nothing, also for the behaviour
        {0x22, 0x14, 2, 1, 0, 0x22, 0x14},
        {0x22, 0x12, 4, 0, 1, 0x24, 0x12},
        {0x22, 0x12, 4, 1, 1, 0x24, 0x11},     // left text expands to the right
        {0x22, 0x12, 64, 1, 1, 0x42, 0x22},    // top text expands down
        {0x22, 0x12, 16, 1, 1, 0x12, 0x0A},
    };
    for (const Case& c : cases) {
        CFigProps p;
        p.TextFormat = c.before;
        p.Behavior = {c.behaviorBefore, 0};
        DWORD changed[2] = {0xDEAD, 0xDEAD};
        EXPECT_EQ(p.SetTextAlign(c.bit, c.also, changed), c.result) << c.bit;
        EXPECT_EQ(p.TextFormat, c.after) << c.bit;
        EXPECT_EQ(p.Behavior.low, c.behaviorAfter) << c.bit;
        if (c.result && c.also && c.behaviorAfter != c.behaviorBefore) {
            EXPECT_EQ(changed[0], c.behaviorAfter ^ c.behaviorBefore);
        }
    }
}

TEST(FigProps, ClearAndSheetResets)
{
    CFigProps p;
    p.Clear();
    EXPECT_EQ(p.Icon, -1);
    EXPECT_EQ(p.Symbol, 0);
    EXPECT_EQ(p.BorderWidth, 0);
    EXPECT_EQ(p.m_fill.m_nKind, 0);
    EXPECT_EQ(p.Behavior, (FigFlagSet{4096 | 8192 | 0x100000 | 0x200000, 16 | 32}));
    CFigProps plain;
    plain.ResetForSheet(1);
    EXPECT_EQ(plain.Symbol, 1);
    EXPECT_EQ(plain.BindToStyle, 0);
    EXPECT_EQ(plain.m_fill.m_nKind, 0);
    EXPECT_EQ(plain.TextFormat, 4 | 64);   // expand right/down: left, top
    CFigProps sym;
    sym.ResetForSheet(0);
    EXPECT_EQ(sym.Symbol, 0);
    EXPECT_EQ(sym.m_fill.m_nKind, 1);
    EXPECT_EQ(sym.TextFormat, 2 | 32);
}

namespace {

CFigSymbol SymbolNamed(const std::string& name, bool withFill)
{
    CFigSymbol s;
    COutlineWriter w(s.m_program.data(), CFigSymbol::kProgramSize);
    if (withFill) {
        s.m_nFillPos = w.Pos();
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.End(kOpEndFill);
    }
    s.m_nProgramLength = w.Pos();
    s.SetName(name);
    return s;
}

} // namespace

TEST(FigProps, InitForSymbolPresets)
{
    CFigProps p;
    p.InitForSymbol(nullptr);
    EXPECT_EQ(p == CFigProps(), 1);

    CFigSymbol box = SymbolNamed("Box", false);
    p.InitForSymbol(&box);
    EXPECT_EQ(p.m_fill.m_nKind, 0);

    CFigSymbol special = SymbolNamed("[partition 1x2]", true);
    CFigProps s;
    s.InitForSymbol(&special);
    EXPECT_EQ(s.m_fill.m_nKind, 0);
    EXPECT_EQ(s.Behavior.low & 7, 1u);
    EXPECT_EQ(s.Behavior.low & 0x38, 32u);
    EXPECT_TRUE(s.Behavior.low & 0x1000000);
    EXPECT_EQ(s.Behavior.high & (1 | 2 | 4 | 16 | 32 | 64 | 128 | 256 | 512), 1u | 2u);

    CFigSymbol life = SymbolNamed("Seq Lifeline", true);
    CFigProps l;
    l.InitForSymbol(&life);
    EXPECT_TRUE(l.Behavior.low & 0x8000000);
    EXPECT_EQ(l.Behavior.high & (4 | 2 | 16 | 256 | 512 | 32 | 128 | 64), 4u | 2u | 16u | 256u);

    CFigSymbol fork = SymbolNamed("Fork/Join Horz", true);
    CFigProps f;
    f.InitForSymbol(&fork);
    EXPECT_EQ(f.Behavior.high & (1 | 2 | 4 | 256 | 512), 4u | 256u | 512u);

    CFigSymbol stub = SymbolNamed("stub state right", true);
    CFigProps st;
    st.InitForSymbol(&stub);
    EXPECT_EQ(st.TextFormat, 1 | 32);
    EXPECT_EQ(st.Behavior.low & 7, 4u);
    EXPECT_TRUE(st.Behavior.low & 0x4000);
    EXPECT_EQ(st.Behavior.high & (256 | 512), 256u | 512u);

    CFigSymbol flow = SymbolNamed("message flow dnl", true);
    CFigProps mf;
    mf.InitForSymbol(&flow);
    EXPECT_EQ(mf.TextFormat, 4 | 64);
    EXPECT_EQ(mf.Behavior.high & (256 | 512), 0u);

    CFigSymbol solid = SymbolNamed("Blob", true);
    solid.Silhouette = 1;
    CFigProps so;
    so.BorderWidth = 9;
    so.InitForSymbol(&solid);
    EXPECT_EQ(so.m_fill.m_nKind, 1);
    EXPECT_EQ(so.m_fill.m_crColor1, 0u);
    EXPECT_EQ(so.BorderWidth, 1);
    CFigProps fs;
    fs.SetFillForSymbol(&box);
    EXPECT_EQ(fs.m_fill.m_nKind, 0);
    fs.SetFillForSymbol(&solid);
    EXPECT_EQ(fs.m_fill.m_nKind, 1);
}

TEST(ConProps, DefaultsEqualityAndMaskedCopy)
{
    CConProps a;
    EXPECT_EQ(a.End1Length, 32);
    EXPECT_EQ(a.FIType, -1);
    EXPECT_EQ(a.FISpacing, 42);
    EXPECT_EQ(a.FIFillClr, 0xFFFFFFu);
    CConProps b = a;
    b.FISize = 5;   // compared even without a flow indicator
    EXPECT_EQ(a == b, 0);
    CConPropMask m;
    m.m_bFISize = 1;
    m.m_behavior = {0x40, 0};
    b.Behavior = {0xC0, 0};
    a.CopyMasked(&b, &m);
    EXPECT_EQ(a.FISize, 5);
    EXPECT_EQ(a.Behavior.low, 0x40u);
    a.CopyMasked(&b, nullptr);
}

TEST(FillSpec, EquivalenceAndMaskedCopy)
{
    CFillSpec t1, t2;
    t1.m_nKind = t2.m_nKind = 0;
    t1.m_crColor1 = 5;
    EXPECT_TRUE(t1.IsEquivalent(t2));
    EXPECT_FALSE(t1.IsEqual(t2));
    EXPECT_EQ(t1.GetColorOrNone(), kNoFillColor);
    CFillSpec red;
    red.m_crColor1 = 0xFF;
    CFillSpec cylinder;
    cylinder.m_nKind = 2;
    cylinder.m_nAngle = 270;
    cylinder.m_crColor1 = 0x123;
    CFillMask rest{0, 1, 1};
    red.CopyMasked(&cylinder, &rest);
    EXPECT_EQ(red.m_crColor1, 0xFFu);
    EXPECT_EQ(red.m_nKind, 2);
    EXPECT_EQ(red.m_nAngle, 270);
}

TEST(FigStyle, ResetCopyAndTexts)
{
    CFigStyle s;
    s.Reset();
    EXPECT_EQ(s.Width, 256);
    EXPECT_EQ(s.Height, 172);
    EXPECT_EQ(s.InMenu, 1);
    std::string text;
    s.GetLabelText(text);
    EXPECT_EQ(text, "Label");
    s.SetName("Note");
    s.GetLabelText(text);
    EXPECT_EQ(text, "Note");
    s.DefaultText = "Hello";
    s.GetLabelText(text);
    EXPECT_EQ(text, "Hello");

    const POINT pts[5] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    EXPECT_EQ(s.SetHotZone(3, pts), 0);
    EXPECT_FALSE(s.m_hotZone.HasPoints());
    std::vector<POINT> tooMany(2049);
    EXPECT_EQ(s.SetHotZone(2049, tooMany.data()), 0);
    EXPECT_EQ(s.SetHotZone(5, pts), 1);
    EXPECT_EQ(s.m_hotZone.GetPoints()[2], CFltPoint(10, 10));

    CFigStyle target;
    target.m_conPts.AddConPt({1, 1}, "old", 0, true, -1);
    const CFltPoint old[4] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}};
    target.m_hotZone.Set(4, old);
    s.m_nTextInitCount = 99;   // a bad count copies no more than the array holds
    target = s;
    EXPECT_EQ(target.m_conPts.GetCount(), 0);
    EXPECT_EQ(target.m_hotZone, s.m_hotZone);
    EXPECT_EQ(target.m_strName, "Note");
    EXPECT_EQ(target.GetKind(), -1);

    // A renamed or copied style classifies again.
    CFigStyle life;
    life.SetName("Lifeline");
    EXPECT_EQ(life.GetKind(), 29);
    life.SetName("Activation");
    EXPECT_EQ(life.GetKind(), 6);
    CFigStyle copy;
    copy.SetName("Lifeline");
    EXPECT_EQ(copy.GetKind(), 29);
    copy = life;
    EXPECT_EQ(copy.GetKind(), 6);
}

TEST(FigStyle, HotZonePointsFollowAnchoring)
{
    CFigStyle s;
    std::vector<CFltPoint> pts;
    EXPECT_EQ(s.GetHotZonePoints(pts, nullptr, SIZE{10, 10}), 0);
    const CFltPoint hz[4] = {{2048, 0, 1, 0}, {0, 0, 2, 0}, {1024, 2048, 0, 1}, {0, 2048, 0, 2}};
    s.m_hotZone.Set(4, hz);
    ASSERT_EQ(s.GetHotZonePoints(pts, nullptr, SIZE{200, 100}), 1);
    EXPECT_FLOAT_EQ(pts[0].x, 1024);   // near-anchored: × 100 / 200
    EXPECT_FLOAT_EQ(pts[1].x, 1024);   // far-anchored: 2048 − 2048 × 100 / 200
    EXPECT_FLOAT_EQ(pts[2].y, 2048);   // y: m / H = 1
    std::vector<CPoint> out;
    ASSERT_EQ(s.ScaleSymbolOutline(out, nullptr, CRect(0, 0, 200, 100)), 1);
    EXPECT_EQ(out[0], CPoint(100, 0));
    EXPECT_EQ(out[1], CPoint(100, 0));
}

TEST(ConStyle, ResetAndCopy)
{
    CConStyle s;
    EXPECT_EQ(s.FragmentAngle, 90);
    EXPECT_EQ(s.AutoLabelPosition, 1);
    s.SetName("Message 1");
    EXPECT_EQ(s.GetKind(), 27);
    s.FragmentLength = 40;
    s.m_props.LineWidth = 3;
    s.m_nByteCount = 2;
    s.m_bytes[1] = 7;
    CConStyle t;
    t = s;
    EXPECT_EQ(t.FragmentLength, 40);
    EXPECT_EQ(t.m_props.LineWidth, 3);
    EXPECT_EQ(t.m_bytes[1], 7);
    t.Reset();
    EXPECT_EQ(t.m_strName, "");
    EXPECT_EQ(t.InMenu, 1);
    EXPECT_EQ(t.FragmentLength, 0);
    EXPECT_EQ(t.m_props.LineWidth, 1);
    EXPECT_EQ(t.GetKind(), -1);
}
