// Fonts compare by every field: a strike-out-only edit in the property
// sheet is a change that is applied and undone like any other.
#include "DocTestSupport.h"

#include "document/FigPropValues.h"

#include <gtest/gtest.h>

TEST(FontDesc, EveryFieldCounts)
{
    const CFontDesc base;
    struct Case {
        const char* name;
        void (*edit)(LOGFONT&);
    };
    const Case cases[] = {
        {"strike-out", [](LOGFONT& f) { f.lfStrikeOut = 1; }},
        {"width", [](LOGFONT& f) { f.lfWidth = 5; }},
        {"escapement", [](LOGFONT& f) { f.lfEscapement = 900; }},
        {"orientation", [](LOGFONT& f) { f.lfOrientation = 900; }},
        {"out precision", [](LOGFONT& f) { f.lfOutPrecision = OUT_TT_PRECIS; }},
        {"clip precision", [](LOGFONT& f) { f.lfClipPrecision = 2; }},
        {"quality", [](LOGFONT& f) { f.lfQuality = ANTIALIASED_QUALITY; }},
        {"pitch and family", [](LOGFONT& f) { f.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS; }},
        {"face case", [](LOGFONT& f) { SetLogFontFace(f, "arial"); }},
    };
    for (const Case& c : cases) {
        CFontDesc other = base;
        c.edit(other.m_lf);
        EXPECT_FALSE(base.IsEqual(other)) << c.name;
    }
    // Bytes after the face name's terminating zero are not part of the name.
    CFontDesc padded = base;
    padded.m_lf.lfFaceName[10] = 'y';
    EXPECT_TRUE(base.IsEqual(padded));
    EXPECT_TRUE(base.IsEqual(CFontDesc(base.m_lf)));
}

TEST_F(DocTest, StrikeOutOnlyEditIsAppliedAndUndone)
{
    CFigure* fig = NewFig(doc, 0, 0, "text");
    ASSERT_TRUE(doc.AddFigWithId(fig));
    doc.AddFigToSel(fig, 2, false);
    doc.ResetUndoLog();

    FigPropValues v;
    v.props = fig->m_props;
    v.props.m_font.m_lf.lfStrikeOut = 1;
    EXPECT_FALSE(v.props == fig->m_props);
    CFigPropMask m;
    m.SetDiff(fig->m_props, v.props);
    ASSERT_TRUE(m.m_bFont);

    doc.ApplyPropsToSelection(0, v, m);
    EXPECT_EQ(fig->m_props.m_font.m_lf.lfStrikeOut, 1);
    ASSERT_TRUE(doc.CanUndo());
    doc.UndoLastStep();
    EXPECT_EQ(fig->m_props.m_font.m_lf.lfStrikeOut, 0);
}
