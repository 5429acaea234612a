// The hyperlink commands as the main frame routes them: the menu items reach
// the link operations on the active diagram, with the link services answered
// by a fake, and Back and Forward are enabled by the visited history without
// moving it.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "document/CLinkHistory.h"
#include "document/HyperlinkCommands.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"

#include <QAction>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// The opening service's record: every link asked for, with its follow flag;
// a link that opens becomes the active diagram's path name.
struct FakeLinkServices {
    CKavoDoc* doc = nullptr;
    std::vector<std::pair<std::string, int>> opened;
    bool opens = true;
    std::string typed;
    int promptId = 0;

    void Install(CKavoDoc* active)
    {
        doc = active;
        LinkServices& s = GetLinkServices();
        s.activeDoc = [this] { return doc; };
        s.open = [this](const std::string& link, int follow) {
            opened.emplace_back(link, follow);
            if (opens && doc)
                doc->SetPathName(link, false);
            return opens;
        };
        s.hyperlinkDialog = [this](std::string& text, int id, bool& remove) {
            promptId = id;
            text = typed;
            remove = false;
            return true;
        };
        s.looksLikeUrl = [](const std::string& t) { return t.rfind("http", 0) == 0; };
    }
};

struct LinkCommandRoutingTest : testing::Test {
    DiagramFixture fx;   // outlives the views the frame holds
    CMainFrame frame;
    FakeLinkServices links;
    CRecordingPrompt prompt;
    std::string savedLinkDir = LinkDir;
    MessageBeepHandler savedBeep;

    void SetUp() override
    {
        LinkHistory().Clear();
        savedBeep = SetMessageBeepHandler([](UINT) {});
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        fx.doc.SetPathName("/d/a.kvd", false);
        links.Install(&fx.doc);
    }
    void TearDown() override
    {
        ResetLinkServices();
        LinkHistory().Clear();
        SetMessageBeepHandler(savedBeep);
        LinkDir = savedLinkDir;
    }
    bool Enabled(int id) { return frame.Commands().QueryCmdState(id).enabled; }
    std::pair<std::string, int> LastOpened() const
    {
        return links.opened.empty() ? std::pair<std::string, int>() : links.opened.back();
    }
};

} // namespace

TEST_F(LinkCommandRoutingTest, MenuItemsCarryTheirTexts)
{
    const struct {
        int id;
        const char* text;
    } items[] = {
        {ID_OPEN_HYPERLINK, "&Open Hyperlink"},          {ID_SET_HYPERLINK, "Set Hyper&link"},
        {ID_LINK_FORWARD, "&Foward Hyperlink"},          {ID_LINK_BACK, "&Back Hyperlink"},
        {ID_OPEN_PARENT_LINK, "O&pen Parent Hyperlink"}, {ID_SET_PARENT_LINK, "Set &Parent Hyperlink..."},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.id);
        QAction* action = frame.Commands().Action(item.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), item.text);
    }
}

TEST_F(LinkCommandRoutingTest, FollowingAndWalkingGoThroughTheOpenService)
{
    CFigure* fig = fx.AddBox(0, 0, 200, 100, "A");
    fig->m_strLink = "/d/b.kvd";
    fx.doc.Select(fig);
    EXPECT_FALSE(Enabled(ID_LINK_BACK));
    EXPECT_FALSE(Enabled(ID_LINK_FORWARD));

    frame.Commands().Action(ID_OPEN_HYPERLINK)->trigger();
    EXPECT_EQ(LastOpened(), std::make_pair(std::string("/d/b.kvd"), 1));
    EXPECT_EQ(LinkHistory().Count(), 2);
    // The update rules only look: asking twice leaves the user where he is.
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Enabled(ID_LINK_BACK));
        EXPECT_FALSE(Enabled(ID_LINK_FORWARD));
        frame.OnIdleUpdateCmdUI();
    }
    EXPECT_EQ(LinkHistory().At(LinkHistory().Current()), "/d/b.kvd");

    frame.OnCommand(ID_LINK_BACK);
    EXPECT_EQ(LastOpened(), std::make_pair(std::string("/d/a.kvd"), 0));
    EXPECT_FALSE(Enabled(ID_LINK_BACK));
    EXPECT_TRUE(Enabled(ID_LINK_FORWARD));

    frame.OnCommand(ID_LINK_FORWARD);
    EXPECT_EQ(LastOpened(), std::make_pair(std::string("/d/b.kvd"), 0));
    EXPECT_TRUE(Enabled(ID_LINK_BACK));
    EXPECT_FALSE(Enabled(ID_LINK_FORWARD));

    // A target that no longer opens leaves the history: nothing to go back to.
    links.opens = false;
    frame.OnCommand(ID_LINK_BACK);
    EXPECT_EQ(LastOpened(), std::make_pair(std::string("/d/a.kvd"), 0));
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_NE(prompt.shown.back().text.find("Unable to open hyperlink to /d/a.kvd."), std::string::npos);
    EXPECT_FALSE(Enabled(ID_LINK_BACK));
    EXPECT_FALSE(Enabled(ID_LINK_FORWARD));
}

TEST_F(LinkCommandRoutingTest, SettingAndOpeningTheParentLinkUseTheServices)
{
    CFigure* fig = fx.AddBox(0, 0, 200, 100, "A");
    fx.doc.Select(fig);
    links.typed = "/d/c.kvd";
    frame.OnCommand(ID_SET_HYPERLINK);
    EXPECT_EQ(fig->m_strLink, "/d/c.kvd");
    EXPECT_EQ(links.promptId, int(IDS_CHOOSE_FIGURE_LINK));

    links.typed = "/d/parent.kvd";
    frame.OnCommand(ID_SET_PARENT_LINK);
    EXPECT_EQ(*fx.doc.GetParentLinkRec(), "/d/parent.kvd");
    EXPECT_EQ(links.promptId, int(IDS_CHOOSE_PARENT_LINK));

    frame.OnCommand(ID_OPEN_PARENT_LINK);
    EXPECT_EQ(LastOpened(), std::make_pair(std::string("/d/parent.kvd"), 0));
    EXPECT_TRUE(Enabled(ID_LINK_BACK));
}

TEST(LinkCommandEnabling, FigureAndParentCommandsNeedADiagram)
{
    LinkHistory().Clear();
    CMainFrame frame;
    for (int id : {ID_OPEN_HYPERLINK, ID_SET_HYPERLINK, ID_OPEN_PARENT_LINK, ID_SET_PARENT_LINK,
                   ID_LINK_BACK, ID_LINK_FORWARD}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(frame.Commands().QueryCmdState(id).enabled);
    }
}
