// The connector-style library edits: the current style steps down with a
// deletion, a changed style reaches only the connectors that follow it, and
// every edit leaves an empty undo log.
#include "document/DocTestSupport.h"

#include "document/ConStyleEdits.h"
#include "undo/UndoCodes.h"

namespace {
class ConStyleEditsTest : public DocTest {
protected:
    int Add(const std::string& name)
    {
        ConStyleValues v;
        v.name = name;
        EXPECT_EQ(AddConStyle(doc, v), 1);
        return doc.m_conStyles.GetCount() - 1;
    }
    CConnector* Con(int style, bool follows)
    {
        CConProps props = style >= 0 ? doc.m_conStyles.GetAt(style)->m_props : CConProps();
        props.BindToStyle = follows ? 1 : 0;
        CConnector* c = doc.CreateCon(nullptr, nullptr, -1, -1, CPoint(0, 0), CPoint(100, 0), style, props);
        EXPECT_TRUE(c);
        return c;
    }
    // A step in the log, so that a test can see it go.
    void LogAStep()
    {
        doc.UndoBeginStep(UDMAC_MOVEOBJS);
        doc.UndoEndStep();
        ASSERT_TRUE(doc.CanUndo());
    }
};
} // namespace

TEST_F(ConStyleEditsTest, TheCurrentStyleStepsDownWithADeletion)
{
    const int base = doc.m_conStyles.GetCount();
    for (const char* n : {"a", "b", "c", "d"})
        Add(n);
    struct Case {
        int current, deleted, after;
    };
    // Before the current one, the current one itself, after it, and none.
    for (const Case c : {Case{base + 2, base + 1, base + 1}, Case{base + 1, base + 1, base}, Case{base, base + 1, base},
                         Case{-1, base, -1}}) {
        SCOPED_TRACE(c.current);
        Add("spare");
        doc.m_nCurConStyle = c.current;
        LogAStep();
        ASSERT_TRUE(DeleteConStyle(doc, c.deleted));
        EXPECT_EQ(doc.m_nCurConStyle, c.after);
        EXPECT_FALSE(doc.CanUndo());
    }
    EXPECT_FALSE(DeleteConStyle(doc, doc.m_conStyles.GetCount()));
}

TEST_F(ConStyleEditsTest, AChangedStyleReachesOnlyTheConnectorsThatFollowIt)
{
    const int s = Add("s");
    const int other = Add("other");
    CConnector* follows = Con(s, true);
    CConnector* own = Con(s, false);
    CConnector* elsewhere = Con(other, true);
    const COLORREF before = own->m_props.Color;
    LogAStep();
    ConStyleValues v;
    v.name = "s";
    v.props = doc.m_conStyles.GetAt(s)->m_props;
    v.props.Color = 0x0000FF;
    ModifyConStyle(doc, s, v);
    EXPECT_EQ(follows->m_props.Color, COLORREF(0x0000FF));
    EXPECT_EQ(own->m_props.Color, before);
    EXPECT_EQ(elsewhere->m_props.Color, doc.m_conStyles.GetAt(other)->m_props.Color);
    EXPECT_FALSE(doc.CanUndo());
    LogAStep();
    EXPECT_EQ(RenameConStyle(doc, s, "other"), 0) << "another style's name";
    EXPECT_EQ(RenameConStyle(doc, s, ""), 0);
    EXPECT_TRUE(doc.CanUndo()) << "a refused rename changes nothing";
    EXPECT_EQ(RenameConStyle(doc, s, "s"), 1);
    EXPECT_EQ(RenameConStyle(doc, s, "t"), 1);
    EXPECT_EQ(doc.m_conStyles.GetAt(s)->m_strName, "t");
    EXPECT_FALSE(doc.CanUndo());
}

// Applying properties changes the selected connectors in one step; a change
// record with no flag set, or a selection without connectors, changes and
// logs nothing.
TEST_F(ConStyleEditsTest, ApplyingPropertiesTakesOneStepOnlyWhenSomethingIsFlagged)
{
    CConnector* c = Con(-1, false);
    const COLORREF before = c->m_props.Color;
    CConProps props = c->m_props;
    props.Color = 0x0000FF;
    CConPropMask none, color;
    color.m_bColor = 1;
    const struct {
        bool selected;
        const CConPropMask* mask;
        bool changes;
    } rows[] = {{true, &none, false}, {false, &color, false}, {true, &color, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.changes);
        doc.ClearSel(false);
        if (row.selected)
            doc.SelectObj(c, 1, 0, 0);
        doc.ResetUndoLog();
        doc.SetModifiedFlag(false);
        doc.ApplyConProps(props, *row.mask);
        EXPECT_EQ(c->m_props.Color, row.changes ? COLORREF(0x0000FF) : before);
        EXPECT_EQ(doc.IsModified(), row.changes);
        EXPECT_EQ(doc.CanUndo(), row.changes);
        if (row.changes) {
            EXPECT_EQ(doc.UndoLastStep(), UDMAC_CONPROPS);
            EXPECT_EQ(c->m_props.Color, before);
        }
    }
}

// A name that any other style has, the first one's included, is refused.
TEST_F(ConStyleEditsTest, ARenameToAnyOtherStylesNameIsRefused)
{
    while (doc.m_conStyles.GetCount() < 3)
        Add("style " + std::to_string(doc.m_conStyles.GetCount()));
    const int last = doc.m_conStyles.GetCount() - 1;
    const std::string first = doc.m_conStyles.GetAt(0)->m_strName, mine = doc.m_conStyles.GetAt(last)->m_strName;
    EXPECT_EQ(RenameConStyle(doc, last, first), 0);
    EXPECT_EQ(RenameConStyle(doc, 0, mine), 0);
    EXPECT_EQ(doc.m_conStyles.GetAt(last)->m_strName, mine);
    EXPECT_EQ(doc.m_conStyles.GetAt(0)->m_strName, first);
}
