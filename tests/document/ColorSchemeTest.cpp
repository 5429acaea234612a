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
