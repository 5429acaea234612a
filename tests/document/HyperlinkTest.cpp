#include "DocTestSupport.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"

#include "core/AppContext.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "document/CLinkHistory.h"
#include "document/HyperlinkCommands.h"

#include <gtest/gtest.h>

#include <map>

namespace {

std::vector<std::string> Entries(const CLinkHistory& h)
{
    std::vector<std::string> out;
    int slot = h.Head();
    for (int i = 0; i < h.Count(); ++i, h.Step(slot, 1))
        out.push_back(h.At(slot));
    return out;
}

int g_beeps = 0;

} // namespace

TEST(LinkHistory, RingDropsTheOldestAndForwardEntries)
{
    CLinkHistory h;
    for (int i = 1; i <= 21; ++i)
        h.SetVisitedLink("d" + std::to_string(i));
    EXPECT_EQ(h.Count(), 20);
    EXPECT_EQ(Entries(h).front(), "d2");
    EXPECT_EQ(h.At(h.Current()), "d21");

    std::string s;
    ASSERT_TRUE(h.GetBackLink(s, true));
    ASSERT_TRUE(h.GetBackLink(s, true));
    EXPECT_EQ(s, "d19");
    h.SetVisitedLink("d19");  // the current entry: nothing changes
    EXPECT_EQ(h.Count(), 20);
    h.SetVisitedLink("new");  // the two forward entries go
    EXPECT_EQ(h.Count(), 19);
    EXPECT_EQ(Entries(h).back(), "new");
    EXPECT_FALSE(h.GetForwardLink(s, false));
    h.SetVisitedLink("");
    EXPECT_EQ(h.Count(), 19);
}

TEST(LinkHistory, RemovingKeepsCurrentOnItsEntry)
{
    CLinkHistory h;
    for (const char* d : {"a", "b", "a", "c", "d"})
        h.SetVisitedLink(d);
    std::string s;
    h.GetBackLink(s, true);  // at "c"
    EXPECT_EQ(h.RemoveAll("a"), 2);
    EXPECT_EQ(Entries(h), (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(h.At(h.Current()), "c");
    EXPECT_EQ(h.RemoveAt(17), 0);
    // The last entry, being current, steps current back.
    h.GetForwardLink(s, true);
    EXPECT_EQ(h.RemoveAt(h.LastSlot()), 1);
    EXPECT_EQ(h.At(h.Current()), "c");
    h.RemoveAll("b");
    h.RemoveAll("c");
    EXPECT_EQ(h.Count(), 0);
    EXPECT_EQ(h.Head(), 0);
    EXPECT_EQ(h.Current(), 0);
    EXPECT_FALSE(h.GetBackLink(s, false));
}

TEST(HyperlinkCommands, FollowBackAndFailures)
{
    CRecordingPrompt prompt;
    g_beeps = 0;
    SetMessageBeepHandler([](UINT) { ++g_beeps; });
    std::map<std::string, std::unique_ptr<CKavoDoc>> docs;
    for (const char* p : {"/d/a.kvd", "/d/b.kvd"}) {
        docs[p] = std::make_unique<CKavoDoc>();
        docs[p]->OnNewDocument();
        docs[p]->SetPathName(p, false);
    }
    CKavoDoc* active = docs["/d/a.kvd"].get();
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&] { return active; };
    s.open = [&](const std::string& link, int) {
        auto it = docs.find(link);
        if (it == docs.end())
            return false;
        active = it->second.get();
        return true;
    };
    CFigure* fig = NewFig(*active, 0, 0);
    fig->m_strLink = "/d/b.kvd";
    LinkFollow(fig);
    EXPECT_EQ(active->GetPathName(), "/d/b.kvd");
    EXPECT_EQ(LinkHistory().Count(), 2);
    CmdLinkBack();
    EXPECT_EQ(active->GetPathName(), "/d/a.kvd");
    CmdLinkBack();  // at the oldest entry
    EXPECT_EQ(g_beeps, 1);

    // A link that no longer opens leaves the history and offers a re-definition.
    fig->m_strLink = "/d/gone.kvd";
    prompt.QueueAnswer(IDNO);
    LinkFollow(fig);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_NE(prompt.shown.back().text.find("/d/gone.kvd is no longer valid"), std::string::npos);
    for (int i = 0; i < LinkHistory().Count(); ++i)
        EXPECT_NE(LinkHistory().At(i), "/d/gone.kvd");

    // An unsaved diagram asks for a save first.
    active->SetPathName("", false);
    CmdLinkForward();
    EXPECT_NE(prompt.shown.back().text.find("Save or SaveAs"), std::string::npos);
    delete fig;
}

TEST(HyperlinkCommands, SettingLinksRemembersTheFolderButNotForJunctions)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.SetPathName("/work/diagrams/main.kvd", false);
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&] { return &doc; };
    s.looksLikeUrl = [](const std::string& t) { return t.rfind("http", 0) == 0; };
    int prompt = 0;
    std::string typed = "sub/part.kvd";
    s.hyperlinkDialog = [&](std::string& text, int id, bool& remove) {
        prompt = id;
        text = typed;
        remove = false;
        return true;
    };
    CFigure* fig = NewFig(doc, 0, 0);
    SetHyperlinkDlg(fig);
    EXPECT_EQ(fig->m_strLink, "sub/part.kvd");
    EXPECT_EQ(prompt, 576);
    EXPECT_EQ(LinkDir, "/work/diagrams/sub");
    typed = "http://example.org/x";
    SetHyperlinkDlg(nullptr);
    EXPECT_EQ(*doc.GetParentLinkRec(), "http://example.org/x");
    EXPECT_EQ(prompt, 577);
    EXPECT_EQ(LinkDir, "/work/diagrams/sub");
    delete fig;
}

// Remove in the dialog clears the figure's link or the parent link; Cancel
// keeps it and leaves the diagram unmodified.
TEST(HyperlinkCommands, RemoveClearsTheLinkAndCancelKeepsIt)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.SetPathName("/d/a.kvd", false);
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&] { return &doc; };
    bool ok = true, removeChosen = false;
    // The dialog leaves the shown text as it is.
    s.hyperlinkDialog = [&](std::string&, int, bool& remove) {
        remove = removeChosen;
        return ok;
    };
    CFigure* fig = NewFig(doc, 0, 0);
    const struct {
        bool ok, remove;
        const char* link;
    } rows[] = {{false, true, "x.kvd"}, {true, true, ""}, {true, false, "x.kvd"}};
    for (CFigure* target : {fig, static_cast<CFigure*>(nullptr)})
        for (const auto& row : rows) {
            SCOPED_TRACE(testing::Message() << (target ? "figure " : "parent ") << row.ok << row.remove);
            std::string& link = target ? target->m_strLink : *doc.GetParentLinkRec();
            link = "x.kvd";
            doc.SetModifiedFlag(false);
            ok = row.ok;
            removeChosen = row.remove;
            SetHyperlinkDlg(target);
            EXPECT_EQ(link, row.link);
            EXPECT_EQ(doc.IsModified(), row.ok);
        }
    delete fig;
    ResetLinkServices();
}

TEST(HyperlinkCommands, OpenAndSetWorkOnTheFirstSelectedFigure)
{
    CRecordingPrompt prompt;
    g_beeps = 0;
    SetMessageBeepHandler([](UINT) { ++g_beeps; });
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.SetPathName("/d/a.kvd", false);
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&] { return &doc; };
    std::vector<std::string> opened;
    s.open = [&](const std::string& link, int follow) {
        opened.push_back(link + ":" + std::to_string(follow));
        return true;
    };
    int dialogs = 0;
    s.hyperlinkDialog = [&](std::string& text, int, bool& remove) {
        ++dialogs;
        text = "http://example.org";
        remove = false;
        return true;
    };
    CmdOpenHyperlink();  // nothing selected
    CmdSetHyperlink();
    EXPECT_EQ(g_beeps, 2);
    CFigure* fig = NewFig(doc, 0, 0);
    ASSERT_TRUE(doc.AddFigWithId(fig));
    doc.AddFigToSel(fig, 2, false);
    CmdSetHyperlink();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(fig->m_strLink, "http://example.org");
    CmdOpenHyperlink();
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.org:1"}));
    s.activeDoc = [] { return static_cast<CKavoDoc*>(nullptr); };
    CmdOpenHyperlink();
    EXPECT_EQ(g_beeps, 3);
    ResetLinkServices();
}

// Every hyperlink command first closes the text editor of the active view,
// whether or not it then finds something to do.
TEST(HyperlinkCommands, EveryCommandClosesTheTextEditorFirst)
{
    const std::pair<const char*, void (*)()> commands[] = {
        {"open", &CmdOpenHyperlink}, {"set", &CmdSetHyperlink}, {"back", &CmdLinkBack},
        {"forward", &CmdLinkForward}, {"parent", &LinkParent}, {"set parent", &LinkParentSet},
    };
    for (const auto& [name, command] : commands) {
        FakeEditorView view;
        view.editorOpen = true;
        FakeAppContext ctx;
        ctx.view = &view;
        SetAppContext(&ctx);
        command();
        SetAppContext(nullptr);
        EXPECT_EQ(view.closed, 1) << name;
    }
}
