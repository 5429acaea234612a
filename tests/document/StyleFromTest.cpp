#include "DocTestSupport.h"
#include "common/TestSupport.h"

#include "document/StyleNameDialog.h"

#include <gtest/gtest.h>

namespace {

class StyleFromTest : public DocTest {
protected:
    void TearDown() override { ResetStyleNameDialog(); }
    CFigure* Selected(bool label)
    {
        CFigure* f = NewFig(doc, 0, 0, "text");
        f->m_bLabel = label ? 1 : 0;
        EXPECT_TRUE(doc.AddFigWithId(f));
        doc.ClearSel(false);
        doc.AddFigToSel(f, 2, false);
        return f;
    }
};

} // namespace

TEST_F(StyleFromTest, NewStyleAsksUntilTheNameIsFree)
{
    CRecordingPrompt prompt;
    CFigure* f = Selected(false);
    f->m_props.BorderColor = 0x445566;
    std::vector<std::string> proposed;
    std::vector<std::string> typed = {"null", "Mine"};   // "null" is in use
    GetStyleNameDialog() = [&](std::string& name) {
        proposed.push_back(name);
        name = typed[proposed.size() - 1];
        return true;
    };
    ASSERT_TRUE(doc.NewStyleFrom(0));
    ASSERT_EQ(proposed.size(), 2u);
    EXPECT_EQ(proposed[0], "Figure Style " + std::to_string(doc.m_figStyles.GetCount()));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Styles must have a unique name.");
    const int mine = doc.m_figStyles.FindByName("Mine");
    ASSERT_GE(mine, 0);
    EXPECT_EQ(f->m_nStyle, mine);
    EXPECT_EQ(doc.m_figStyles.GetAt(mine)->m_props.BorderColor, 0x445566u);
    EXPECT_EQ(doc.m_figStyles.GetAt(mine)->Width, f->m_rect.Width());

    // Cancel adds nothing.
    GetStyleNameDialog() = [](std::string&) { return false; };
    const int count = doc.m_figStyles.GetCount();
    EXPECT_FALSE(doc.NewStyleFrom(0));
    EXPECT_EQ(doc.m_figStyles.GetCount(), count);
    // Nothing of the kind selected.
    EXPECT_FALSE(doc.NewStyleFrom(1));
}

TEST_F(StyleFromTest, UpdateStyleAsksAndKeepsTheName)
{
    CRecordingPrompt prompt;
    CFigure* lbl = Selected(true);
    GetStyleNameDialog() = [](std::string& name) {
        name = "Note";
        return true;
    };
    ASSERT_TRUE(doc.NewStyleFrom(1));
    const int note = lbl->m_nStyle;
    ASSERT_EQ(doc.m_figStyles.GetAt(note)->Label, 1);
    const int width = doc.m_figStyles.GetAt(note)->Width;
    lbl->m_props.TextColor = 0x0000AA;
    lbl->m_rect.right += 50;
    prompt.QueueAnswer(IDNO);
    EXPECT_FALSE(doc.UpdateStyleFrom(1));
    EXPECT_NE(doc.m_figStyles.GetAt(note)->m_props.TextColor, 0x0000AAu);
    prompt.QueueAnswer(IDYES);
    ASSERT_TRUE(doc.UpdateStyleFrom(1));
    EXPECT_NE(prompt.shown.back().text.find("Update style 'Note'"), std::string::npos);
    EXPECT_EQ(doc.m_figStyles.GetAt(note)->m_props.TextColor, 0x0000AAu);
    EXPECT_EQ(doc.m_figStyles.GetAt(note)->m_strName, "Note");
    EXPECT_EQ(doc.m_figStyles.GetAt(note)->Width, width);   // a label style keeps its size
    // A figure style cannot be updated from a label.
    EXPECT_FALSE(doc.UpdateStyleFrom(0));
}

TEST_F(StyleFromTest, UpdatingAConnectorStyleReachesItsFollowers)
{
    CRecordingPrompt prompt;
    CFigure* a = Selected(false);
    CFigure* b = NewFig(doc, 400, 0, "text");
    ASSERT_TRUE(doc.AddFigWithId(b));
    CConStyle* style = doc.m_conStyles.NewEntry();
    ASSERT_NE(style, nullptr);
    style->SetName("Flow");
    const int index = doc.m_conStyles.GetCount() - 1;
    std::vector<CConnector*> cons;
    for (int i = 0; i < 3; ++i) {
        CConnector* c = NewCon(doc, a, b);
        c->m_props = style->m_props;
        c->m_props.BindToStyle = i < 2 ? 1 : 0;   // the last one has its own look
        c->m_nStyle = index;
        ASSERT_TRUE(doc.AddConWithId(c));
        cons.push_back(c);
    }
    const int ownWidth = cons[2]->m_props.LineWidth;
    doc.ClearSel(false);
    doc.AddConToSel(cons[0], 2, false);
    cons[0]->m_props.LineWidth = 11;
    prompt.QueueAnswer(IDYES);
    ASSERT_TRUE(doc.UpdateStyleFrom(2));
    EXPECT_EQ(doc.m_conStyles.GetAt(index)->m_props.LineWidth, 11);
    EXPECT_EQ(cons[1]->m_props.LineWidth, 11) << "a follower takes the style's new look";
    EXPECT_EQ(cons[2]->m_props.LineWidth, ownWidth);
}
