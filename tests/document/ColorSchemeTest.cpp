#include "DocTestSupport.h"
#include "common/TestSupport.h"

#include "core/CAppProfile.h"
#include "document/ColorScheme.h"
#include "document/ShadowDescription.h"
#include "fileformat/DocFileHooks.h"

#include <gtest/gtest.h>

TEST(WizardChoices, FillAndShadowThroughTheProfile)
{
    CTempProfile profile;
    CShadowSpec shadow(1, RGB(1, 2, 3), 4, 5, 6, 7);
    shadow.LoadWizard();  // nothing stored yet: the defaults
    EXPECT_EQ(shadow, CShadowSpec(0, 0, 8, 8, 4, 153));
    CShadowSpec saved(1, RGB(10, 20, 30), -3, 12, 9, 200);
    saved.SaveWizard();
    shadow.LoadWizard();
    EXPECT_EQ(shadow, saved);

    CFillSpec fill;
    fill.LoadWizard();
    EXPECT_EQ(fill.m_nKind, 1);
    EXPECT_EQ(fill.m_nBand, 80);
    fill.m_nKind = 2;
    fill.m_crColor1 = RGB(200, 0, 0);
    fill.m_crColor2 = RGB(0, 0, 200);
    fill.m_nAngle = 45;
    fill.SaveWizard();
    CFillSpec back;
    back.LoadWizard();
    EXPECT_TRUE(back.IsEqual(fill));
    // "FillColorTo" is read after "FillColorSolid" into the same field.
    AfxGetAppProfile().WriteProfileColor("Wizard", "FillColorTo", RGB(0, 99, 0));
    back.LoadWizard();
    EXPECT_EQ(back.m_crColor1, RGB(0, 99, 0));
}

namespace {
int g_styleBarRedraws = 0;
void CountStyleBarRedraw()
{
    ++g_styleBarRedraws;
}
} // namespace

// The style bar is redrawn through the one hook that styles coming in use.
TEST(ColorScheme, SelectionOnlyRecoloursSelectedObjectsAndUndoes)
{
    g_styleBarRedraws = 0;
    GetDocFileHooks().rebuildStyleBar = &CountStyleBarRedraw;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_strTemplate = "/templates/Flow.kvt";
    CFigProps props;
    props.m_fill.m_crColor1 = RGB(255, 255, 255);
    ASSERT_EQ(doc.m_figStyles.AddFigStyle(&props, "Box", 1, 1, 0, "", "", 256, 172, "", "", nullptr, 0, ""), 1);
    const int box = doc.m_figStyles.GetCount() - 1;
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    for (CFigure* f : {a, b}) {
        f->m_nStyle = box;
        f->m_nId = doc.m_nNextId++;
        ASSERT_TRUE(doc.AddFig(f));
    }
    doc.m_pSelList->AddTail(a);
    a->m_bSelected = 1;

    ColorSchemeChoice seen;
    ColorSchemeServices& s = GetColorSchemeServices();
    s.loadSchemes = [](const std::string&) { return std::vector<std::string>{"Warm", "Cold"}; };
    s.dialog = [&](ColorSchemeChoice& c) {
        seen = c;
        c.scheme = 1;
        return true;
    };
    s.applyScheme = [&](CKavoDoc& d, const std::string&, int scheme) {
        EXPECT_EQ(scheme, 1);
        d.m_figStyles.GetAt(box)->m_props.m_fill.m_crColor1 = RGB(0, 0, 255);
        return true;
    };
    doc.OnApplyColorScheme();
    EXPECT_TRUE(seen.hasSelection);
    EXPECT_FALSE(seen.applyToDiagram);
    EXPECT_TRUE(seen.applyToSelection);
    EXPECT_EQ(seen.schemes.size(), 2u);
    EXPECT_EQ(a->m_props.m_fill.m_crColor1, RGB(0, 0, 255));
    EXPECT_EQ(b->m_props.m_fill.m_crColor1, RGB(255, 255, 255));
    EXPECT_TRUE(LastSchemeAppliedToDiagram());  // not changed by a selection-only use
    EXPECT_EQ(g_styleBarRedraws, 1);

    doc.UndoLastStep();
    EXPECT_EQ(a->m_props.m_fill.m_crColor1, RGB(255, 255, 255));
    EXPECT_EQ(doc.m_figStyles.GetAt(box)->m_props.m_fill.m_crColor1, RGB(255, 255, 255));
}

TEST(ColorScheme, EmptyDiagramsStartWithBothBoxesClear)
{
    g_styleBarRedraws = 0;
    GetDocFileHooks().rebuildStyleBar = &CountStyleBarRedraw;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_strTemplate = "/templates/Flow.kvt";
    ColorSchemeChoice seen;
    ColorSchemeServices& s = GetColorSchemeServices();
    s.dialog = [&](ColorSchemeChoice& c) {
        seen = c;
        return false;  // Cancel: nothing happens
    };
    s.applyScheme = [](CKavoDoc&, const std::string&, int) { return true; };
    doc.OnApplyColorScheme();
    EXPECT_FALSE(seen.applyToDiagram);
    EXPECT_FALSE(seen.applyToSelection);
    EXPECT_FALSE(seen.SelectionEnabled());
    doc.m_strTemplate.clear();
    seen.applyToDiagram = true;
    doc.OnApplyColorScheme();  // no template: no dialog
    EXPECT_TRUE(seen.applyToDiagram);
    EXPECT_EQ(g_styleBarRedraws, 0);
}

// A log that cannot take the two style records leaves the diagram as it was
// and no step open to swallow the next edits.
TEST(ColorScheme, RefusedStyleRecordsChangeNothingAndCloseTheStep)
{
    for (int refuse : {0, 1}) {
        SCOPED_TRACE(refuse);
        CKavoDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_strTemplate = "/templates/Flow.kvt";
        bool applied = false;
        ColorSchemeServices& s = GetColorSchemeServices();
        s.dialog = [](ColorSchemeChoice&) { return true; };
        s.applyScheme = [&](CKavoDoc&, const std::string&, int) { return applied = true; };
        CRecordingPrompt prompt;
        prompt.QueueAnswer(IDCANCEL);
        doc.SetModifiedFlag(false);
        doc.UndoLogRef().m_nRefuseRecordAfter = refuse;
        doc.OnApplyColorScheme();
        doc.UndoLogRef().m_nRefuseRecordAfter = -1;
        EXPECT_FALSE(applied);
        EXPECT_FALSE(doc.IsModified());
        EXPECT_FALSE(doc.UndoLogRef().IsStepOpen());
    }
}

// With nothing selected the Diagram box opens as it was last used, and
// applying to the diagram gives every styled object its style's colours:
// a figure's border, text and fill, a connector's line, end fills and flow
// stamp colours. Objects without a style keep theirs.
TEST(ColorScheme, DiagramBoxFollowsItsLastUseAndRecoloursEveryStyledObject)
{
    ResetColorSchemeState();
    GetDocFileHooks().rebuildStyleBar = nullptr;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_strTemplate = "/templates/Flow.kvt";
    CFigProps props;
    ASSERT_EQ(doc.m_figStyles.AddFigStyle(&props, "Box", 1, 1, 0, "", "", 256, 172, "", "", nullptr, 0, ""), 1);
    const int box = doc.m_figStyles.GetCount() - 1;
    CConProps conProps;
    ASSERT_TRUE(doc.m_conStyles.AddConStyle(&conProps, "Line", 0, 0, "", "", 0, "", 0, 0, 0, 0));
    const int line = doc.m_conStyles.GetCount() - 1;
    CFigure* styled = NewFig(doc, 0, 0);
    CFigure* plain = NewFig(doc, 500, 0);
    styled->m_nStyle = box;
    plain->m_nStyle = -1;
    for (CFigure* f : {styled, plain}) {
        f->m_props.BorderColor = f->m_props.TextColor = f->m_props.m_fill.m_crColor1 = RGB(1, 1, 1);
        ASSERT_TRUE(doc.AddFigWithId(f));
    }
    CConnector* con = NewCon(doc, styled, plain);
    con->m_nStyle = line;
    CConProps& cp = con->m_props;
    cp.Color = cp.End1FillColor = cp.End2FillColor = cp.FIFillClr = cp.FIBdrClr = RGB(1, 1, 1);
    ASSERT_TRUE(doc.AddConWithId(con));
    const std::string before = Snapshot(doc);

    bool diagramShown = false;
    bool diagramChosen = false;
    ColorSchemeServices& s = GetColorSchemeServices();
    s.dialog = [&](ColorSchemeChoice& c) {
        diagramShown = c.applyToDiagram;
        c.applyToDiagram = diagramChosen;
        return true;
    };
    s.applyScheme = [&](CKavoDoc& d, const std::string&, int) {
        CFigProps& fp = d.m_figStyles.GetAt(box)->m_props;
        fp.BorderColor = RGB(10, 0, 0);
        fp.TextColor = RGB(20, 0, 0);
        fp.m_fill.m_crColor1 = RGB(30, 0, 0);
        CConProps& sp = d.m_conStyles.GetAt(line)->m_props;
        sp.Color = RGB(0, 1, 0);
        sp.End1FillColor = RGB(0, 2, 0);
        sp.End2FillColor = RGB(0, 3, 0);
        sp.FIFillClr = RGB(0, 4, 0);
        sp.FIBdrClr = RGB(0, 5, 0);
        return true;
    };
    doc.OnApplyColorScheme();   // the box unchecked: only the styles change
    EXPECT_TRUE(diagramShown);
    EXPECT_EQ(styled->m_props.BorderColor, RGB(1, 1, 1));
    EXPECT_EQ(cp.Color, RGB(1, 1, 1));
    diagramChosen = true;
    doc.OnApplyColorScheme();   // opens unchecked as last used, then checked
    EXPECT_FALSE(diagramShown);
    doc.OnApplyColorScheme();
    EXPECT_TRUE(diagramShown);

    EXPECT_EQ(styled->m_props.BorderColor, RGB(10, 0, 0));
    EXPECT_EQ(styled->m_props.TextColor, RGB(20, 0, 0));
    EXPECT_EQ(styled->m_props.m_fill.m_crColor1, RGB(30, 0, 0));
    EXPECT_EQ(plain->m_props.BorderColor, RGB(1, 1, 1));
    EXPECT_EQ(plain->m_props.m_fill.m_crColor1, RGB(1, 1, 1));
    const COLORREF conWant[] = {RGB(0, 1, 0), RGB(0, 2, 0), RGB(0, 3, 0), RGB(0, 4, 0), RGB(0, 5, 0)};
    const COLORREF conHave[] = {cp.Color, cp.End1FillColor, cp.End2FillColor, cp.FIFillClr, cp.FIBdrClr};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(conHave[i], conWant[i]) << i;
    doc.UndoLastStep();
    doc.UndoLastStep();
    doc.UndoLastStep();
    EXPECT_EQ(styled->m_props.BorderColor, RGB(1, 1, 1));
    EXPECT_EQ(cp.FIBdrClr, RGB(1, 1, 1));
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(doc.m_conStyles.GetAt(line)->m_props.Color, conProps.Color);
    ResetColorSchemeState();
}
