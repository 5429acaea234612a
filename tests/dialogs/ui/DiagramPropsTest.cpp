// The Shadows page's conversions in whole numbers (no 127.4999 traps), the
// line-spacing defaults, and the OK sequence's "nothing changed, nothing
// written" rule.
#include "dialogs/diagram/DiagramProps.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "document/CKavoDoc.h"
#include "document/IDocView.h"
#include "editing/ui/ViewEvents.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

TEST(DiagramPropsTest, ShadowConversionsRoundInWholeNumbers)
{
    struct Case {
        int from, to;
        int (*convert)(int);
    } cases[] = {
        {50, 127, &OpacityOfTransparency}, {127, 50, &TransparencyOfOpacity}, {90, 25, &OpacityOfTransparency},
        {25, 90, &TransparencyOfOpacity},  {0, 255, &OpacityOfTransparency},  {100, 0, &OpacityOfTransparency},
        {153, 40, &TransparencyOfOpacity}, {36, 128, &OffsetUnitsOfPoints},   {100, 28, &OffsetPointsOfUnits},
        {500, 36, &OffsetPointsOfUnits},   {-5, 0, &OffsetPointsOfUnits},     {4, 6, &DiffusionOfSoftness},
        {6, 4, &SoftnessOfDiffusion},      {100, 72, &SoftnessOfDiffusion},   {72, 100, &DiffusionOfSoftness},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.convert(c.from), c.to) << c.from;
    // Every transparency survives the round trip through the opacity.
    for (int t = 0; t <= 100; ++t)
        EXPECT_EQ(TransparencyOfOpacity(OpacityOfTransparency(t)), t);
}

TEST(DiagramPropsTest, LineSpacingDefaultsPerKind)
{
    DiagramFixture fx;
    fx.doc.m_defaultFont.m_lf.lfHeight = -11;
    const float expected[] = {0, 0, 0, 0, 0, 100, 11, 14};
    for (int kind = 0; kind < 8; ++kind)
        EXPECT_EQ(DefaultLineSpacingValue(&fx.doc, kind), expected[kind]) << kind;
}

TEST(DiagramPropsTest, UnchangedValuesWriteNothing)
{
    CTempProfile profile;
    DiagramFixture fx;
    fx.doc.SetModifiedFlag(false);
    const std::string before = DocText(fx.doc);
    const DiagramProps read = ReadDiagramProps(fx.doc);
    ApplyDiagramProps(fx.doc, read, read);
    EXPECT_FALSE(fx.doc.IsModified());
    EXPECT_EQ(DocText(fx.doc), before);
}

// Only changes the views show redraw them: the primary label position,
// snapping and the snap spacing do not; the grid spacing only while the
// grid is shown.
TEST(DiagramPropsTest, OnlyChangesThatShowRedrawTheViews)
{
    struct CountingView : IDocView {
        int updates = 0;
        void OnDocUpdate(IDocView*, int, const CRect*) override { ++updates; }
    };
    using Change = void (*)(DiagramProps&);
    const struct {
        const char* name;
        Change change;
        int showGrid;
        bool redraw;
    } cases[] = {
        {"position", [](DiagramProps& p) { p.primaryPosition = p.primaryPosition % 12 + 1; }, 1, false},
        {"snap", [](DiagramProps& p) { p.snapToGrid = !p.snapToGrid; }, 1, false},
        {"snap spacing", [](DiagramProps& p) { p.snapSpacing = p.snapSpacing == 32 ? 64 : 32; }, 1, false},
        {"grid spacing, grid off", [](DiagramProps& p) { p.gridSpacing = p.gridSpacing == 32 ? 64 : 32; }, 0, false},
        {"grid spacing, grid on", [](DiagramProps& p) { p.gridSpacing = p.gridSpacing == 32 ? 64 : 32; }, 1, true},
        {"show grid", [](DiagramProps& p) { p.showGrid = !p.showGrid; }, 1, true},
        {"corner radius", [](DiagramProps& p) { p.cornerRadius += 4; }, 1, true},
        {"junction dots", [](DiagramProps& p) { p.junctionDots = !p.junctionDots; }, 1, true},
        {"jog radius", [](DiagramProps& p) { p.jogRadius += 2; }, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTempProfile profile;
        DiagramFixture fx;
        fx.doc.m_bShowGrid = c.showGrid;
        CountingView view;
        fx.doc.AddView(&view);
        const DiagramProps before = ReadDiagramProps(fx.doc);
        DiagramProps after = before;
        c.change(after);
        ApplyDiagramProps(fx.doc, before, after);
        EXPECT_EQ(view.updates > 0, c.redraw);
        EXPECT_TRUE(fx.doc.IsModified());
        fx.doc.RemoveView(&view);
    }
}

// A label style applied to every figure label: only labels of that kind
// take it, in one undo step, and the document counts as changed.
TEST(DiagramPropsTest, ALabelStyleGoesToEveryLabelOfItsKindInOneStep)
{
    DiagramFixture fx;
    CFigure* box = fx.AddBox(600, 600, 900, 450, "Box");
    CFigure* pinned = fx.AddBox(2000, 2000, 300, 100, "Pinned");
    CFigure* free = fx.AddBox(3000, 3000, 300, 100, "Free");
    for (CFigure* l : {pinned, free})
        l->m_bLabel = 1;
    ASSERT_TRUE(fx.doc.AttachLblAsFigLbl(pinned, box, 8, false));
    CFigProps props;
    props.TextColor = RGB(200, 0, 0);
    fx.doc.m_figStyles.AddFigStyle(&props, "Red label", 1, 1, 1, "", "", 300, 100, "", "", nullptr, 0, "");
    const int red = fx.doc.m_figStyles.GetCount() - 1;
    fx.doc.m_figStyles.AddFigStyle(&props, "Not a label", 1, 1, 0, "", "", 300, 100, "", "", nullptr, 0, "");
    fx.doc.ResetUndoLog();
    fx.doc.SetModifiedFlag(false);
    const std::string saved = DocText(fx.doc);

    EXPECT_FALSE(ApplyLabelStyleToAll(fx.doc, LabelKind::Figure, red + 1)) << "no label style";
    EXPECT_FALSE(ApplyLabelStyleToAll(fx.doc, LabelKind::Figure, red + 2)) << "no style";
    EXPECT_FALSE(fx.doc.CanUndo());
    ASSERT_TRUE(ApplyLabelStyleToAll(fx.doc, LabelKind::Figure, red));
    EXPECT_EQ(pinned->m_nStyle, red);
    EXPECT_EQ(pinned->m_props.TextColor, RGB(200, 0, 0));
    EXPECT_NE(free->m_nStyle, red);
    EXPECT_TRUE(pinned->IsFigLabel());
    EXPECT_TRUE(fx.doc.IsModified());
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_APPLYALLFIGLBLSYLES);
    EXPECT_EQ(DocText(fx.doc), saved);
}
