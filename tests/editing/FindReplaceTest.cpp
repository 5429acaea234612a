// Find and Replace over figure texts: the visiting order, wrapping, whole
// words and case, and replacing one hit or all of them in one undo step that
// takes the document back to its saved text.
#include "document/EditScenarioSupport.h"

#include "common/DocText.h"

#include "editing/FindReplace.h"
#include "undo/UndoCodes.h"

namespace {
class FindReplaceTest : public DocTest {
protected:
    FindOptions Find(const char* text, bool matchCase = false, bool wholeWord = false)
    {
        FindOptions o;
        o.findText = text;
        o.matchCase = matchCase;
        o.wholeWord = wholeWord;
        return o;
    }
    void Begin()
    {
        doc.ResetUndoLog();
        saved = DocText(doc);
    }
    std::string saved;
};
} // namespace

TEST_F(FindReplaceTest, HitsComeInIdOrderTwiceInOneAreaAndWrapOnce)
{
    // Drawn first but with the higher id: the search still visits it last.
    CFigure* later = AddTextFig(doc, 0, 0, 400, 100, "cat");
    CFigure* earlier = AddTextFig(doc, 500, 0, 400, 100, "a cat and a cat");
    std::swap(later->m_nId, earlier->m_nId);
    const FindOptions cat = Find("cat");
    FindMatch m;
    ASSERT_TRUE(FindNextText(doc, cat, m));
    EXPECT_EQ(m.id, earlier->m_nId);
    EXPECT_EQ(m.start, 2);
    EXPECT_EQ(m.end, 5);
    ASSERT_TRUE(FindNextText(doc, cat, m)); // one character on: the second one
    EXPECT_EQ(m.id, earlier->m_nId);
    EXPECT_EQ(m.start, 12);
    ASSERT_TRUE(FindNextText(doc, cat, m));
    EXPECT_EQ(m.id, later->m_nId);
    ASSERT_TRUE(FindNextText(doc, cat, m)); // wrapped to the lowest id
    EXPECT_EQ(m.id, earlier->m_nId);
    EXPECT_EQ(m.start, 2);

    FindMatch none;
    EXPECT_FALSE(FindNextText(doc, Find("dog"), none));
    EXPECT_EQ(none.id, -1);
    EXPECT_FALSE(FindNextText(doc, Find(""), none));
}

TEST_F(FindReplaceTest, CaseAndWholeWordsDecideWhatCounts)
{
    AddTextFig(doc, 0, 0, 600, 100, "Concat cat CAT");
    struct Row {
        bool matchCase, wholeWord;
        int start;
    } rows[] = {{false, false, 3}, {true, false, 3}, {false, true, 7}, {true, true, 7}};
    for (const Row& r : rows) {
        FindMatch m;
        ASSERT_TRUE(FindNextText(doc, Find("cat", r.matchCase, r.wholeWord), m));
        EXPECT_EQ(m.start, r.start) << r.matchCase << r.wholeWord;
    }
    FindMatch m;
    ASSERT_TRUE(FindNextText(doc, Find("CAT", true, true), m));
    EXPECT_EQ(m.start, 11);
}

TEST_F(FindReplaceTest, ReplaceChangesOneHitInOneStepAndRefusesAStaleMatch)
{
    CFigure* fig = AddTextFig(doc, 0, 0, 600, 100, "one two one");
    Begin();
    doc.SetModifiedFlag(false);
    FindMatch m;
    ASSERT_TRUE(FindNextText(doc, Find("one"), m));
    ASSERT_TRUE(ReplaceCurrentMatch(doc, m, "three"));
    EXPECT_EQ(AreaText(fig), "three two one");
    EXPECT_TRUE(doc.IsModified()) << "the replaced text is a change to save";
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_REPLACE);
    doc.UndoLastStep();
    EXPECT_EQ(DocText(doc), saved);

    // The text was shortened after the search: the match runs past its end.
    fig->SetText("one", "", 0);
    FindMatch stale{fig->m_nId, 0, 8, 11};
    Begin();
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(IsValidMatch(doc, stale));
    EXPECT_FALSE(ReplaceCurrentMatch(doc, stale, "x"));
    EXPECT_EQ(DocText(doc), saved);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(FindReplaceTest, ReplaceAllCountsNeverLoopsAndUndoesInOneStep)
{
    CFigure* a = AddTextFig(doc, 0, 0, 600, 100, "aXa");
    CFigure* b = AddTextFig(doc, 0, 200, 600, 100, "banana");
    struct Row {
        const char* find;
        const char* with;
        int count;
        const char* a;
        const char* b;
    } rows[] = {
        {"a", "", 5, "X", "bnn"},        // removed: never stuck on one place
        {"an", "", 2, "aXa", "ba"},      // side by side: each one goes
        {"a", "aa", 5, "aaXaa", "baanaanaa"}, // the inserted text is not searched again
        {"q", "z", 0, "aXa", "banana"},
    };
    for (const Row& r : rows) {
        Begin();
        EXPECT_EQ(ReplaceAllText(doc, Find(r.find), r.with), r.count) << r.find << "->" << r.with;
        EXPECT_EQ(AreaText(a), r.a);
        EXPECT_EQ(AreaText(b), r.b);
        if (r.count == 0) {
            EXPECT_FALSE(doc.CanUndo());
            continue;
        }
        EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_REPLACEALL);
        doc.UndoLastStep();
        EXPECT_EQ(DocText(doc), saved);
    }
}

// The search comes back round to the figure it started in: a lone hit is
// found again, from the start of that figure's text.
TEST_F(FindReplaceTest, ALoneHitIsFoundAgainAfterComingRound)
{
    AddTextFig(doc, 0, 0, 400, 100, "dog");
    CFigure* only = AddTextFig(doc, 500, 0, 400, 100, "a cat");
    AddTextFig(doc, 1000, 0, 400, 100, "bird");
    const FindOptions cat = Find("cat");
    FindMatch m;
    ASSERT_TRUE(FindNextText(doc, cat, m));
    EXPECT_EQ(m.id, only->m_nId);
    EXPECT_EQ(m.start, 2);
    ASSERT_TRUE(FindNextText(doc, cat, m));
    EXPECT_EQ(m.id, only->m_nId);
    EXPECT_EQ(m.start, 2);
}

// Each search starts one character after the last hit's start, so hits that
// overlap are each found before the search comes round again.
TEST_F(FindReplaceTest, OverlappingHitsAreEachFound)
{
    CFigure* fig = AddTextFig(doc, 0, 0, 400, 100, "aaaa");
    const FindOptions aa = Find("aa");
    FindMatch m;
    for (int start : {0, 1, 2, 0}) {
        ASSERT_TRUE(FindNextText(doc, aa, m));
        EXPECT_EQ(m.id, fig->m_nId);
        EXPECT_EQ(m.start, start);
        EXPECT_EQ(m.end, start + 2);
    }
}
