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

// A new diagram saved under the path, made the link services' active one.
LinkServices& ActivateSaved(CKavoDoc& doc, const char* path = "/d/a.kvd")
{
    doc.OnNewDocument();
    doc.SetPathName(path, false);
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&doc] { return &doc; };
    return s;
}

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
    LinkServices& s = ActivateSaved(doc);
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
    LinkServices& s = ActivateSaved(doc);
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

    // Grouped, the figure is followed by Open and passed by (a beep) by Set.
    s.activeDoc = [&] { return &doc; };
    CFigure* other = NewFig(doc, 400, 0);
    ASSERT_TRUE(doc.AddFigWithId(other));
    other->m_strLink = fig->m_strLink;
    doc.AddFigToSel(other, 2, false);
    doc.OnGroup();
    ASSERT_TRUE(fig->IsInGroup());
    CmdSetHyperlink();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(g_beeps, 4);
    CmdOpenHyperlink();
    EXPECT_EQ(opened.size(), 2u);
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

// A Back or Forward whose target no longer opens leaves the user on the
// diagram he was at, drops every entry of the target and says so.
TEST(HyperlinkCommands, AFailedWalkKeepsTheUserWhereHeWas)
{
    CRecordingPrompt prompt;
    SetMessageBeepHandler([](UINT) {});
    CKavoDoc doc;
    LinkServices& s = ActivateSaved(doc);
    s.open = [](const std::string&, int) { return false; };
    const struct {
        const char* name;
        void (*command)();
        std::vector<std::string> visits;
        int backs;
        std::vector<std::string> left;
    } rows[] = {
        {"forward", &CmdLinkForward, {"/d/a.kvd", "/d/gone.kvd", "/d/y.kvd"}, 2, {"/d/a.kvd", "/d/y.kvd"}},
        {"back", &CmdLinkBack, {"/d/x.kvd", "/d/gone.kvd", "/d/a.kvd"}, 0, {"/d/x.kvd", "/d/a.kvd"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LinkHistory().Clear();
        for (const std::string& v : row.visits)
            LinkHistory().SetVisitedLink(v);
        std::string at;
        for (int i = 0; i < row.backs; ++i)
            LinkHistory().GetBackLink(at, true);
        row.command();
        EXPECT_EQ(Entries(LinkHistory()), row.left);
        EXPECT_EQ(LinkHistory().At(LinkHistory().Current()), "/d/a.kvd");
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text, "Unable to open hyperlink to /d/gone.kvd.");
    }
    ResetLinkServices();
}

// A parent link that no longer opens leaves the history and, on Yes, opens
// the dialog for the parent link.
TEST(HyperlinkCommands, AFailedParentLinkOffersItsRedefinition)
{
    CRecordingPrompt prompt;
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.SetPathName("/d/a.kvd", false);
    *doc.GetParentLinkRec() = "/d/gone.kvd";
    LinkServices& s = GetLinkServices();
    s.activeDoc = [&] { return &doc; };
    s.open = [](const std::string&, int) { return false; };
    int promptId = 0;
    s.hyperlinkDialog = [&](std::string& text, int id, bool& remove) {
        promptId = id;
        text = "/d/parent.kvd";
        remove = false;
        return true;
    };
    LinkHistory().SetVisitedLink("/d/gone.kvd");
    prompt.QueueAnswer(IDYES);
    LinkParent();
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back().text, "The hyperlink to the parent /d/gone.kvd is no longer valid.\n"
                                        "The file may have been moved or deleted. Re-define the link?");
    EXPECT_EQ(Entries(LinkHistory()), std::vector<std::string>{"/d/a.kvd"});
    EXPECT_EQ(promptId, int(IDS_CHOOSE_PARENT_LINK));
    EXPECT_EQ(*doc.GetParentLinkRec(), "/d/parent.kvd");
    ResetLinkServices();
}
