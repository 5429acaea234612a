// The Shadows page's conversions in whole numbers (no 127.4999 traps), the
// line-spacing defaults, and the OK sequence's "nothing changed, nothing
// written" rule.
#include "dialogs/diagram/DiagramProps.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "editing/ui/ViewEvents.h"

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
