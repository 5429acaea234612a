#include "core/MessageBeep.h"
#include "keyword/CLoadObj.h"
#include "keyword/KeywordStreams.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// A small loader: top-level "Thing <id>" blocks (built as figures) with "Name"
// and nested "GraphicData" keys, top-level "DevMode <size>" and "Preview"
// data blocks, and a few keys that return the other results.
// Loads text and knows the diagram loaders' error texts.
class CTextLoader : public CLoadObj {
public:
    BOOL LoadText(std::string_view text)
    {
        CMemoryKeywordSource src(text);
        return Load(src);
    }

protected:
    const char* ErrorText(int code) const override
    {
        const char* t = CLoadObj::ErrorText(code);
        return t ? t : DiagramLoadErrorText(code);
    }
};

class CFakeLoader : public CTextLoader {
public:
    std::vector<std::string> added, discarded;
    std::vector<std::vector<BYTE>> data;
    std::vector<int> dataTypes;
    std::string current;
    bool building = false;

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        int n;
        if (MatchKeyword(p, KW_Figure)) {
            if (!ParseShortAsInt(p, n, 0, 100))
                return KWR_SKIP_BLOCK;
            current = "Thing " + std::to_string(n);
            building = true;
            SetBlockType(BT_FIGURE);
            return KWR_DONE;
        }
        if (MatchKeyword(p, KW_DevMode)) {
            int size;
            if (!ParseIntInRange(p, size, 1, 400000))
                return KWR_SKIP_BLOCK;
            return BeginBinaryData(BT_DEVMODE_DATA, size_t(size)) ? KWR_DONE : KWR_STOP;
        }
        if (MatchKeyword(p, KW_Preview))
            return BeginBinaryData(BT_PREVIEW_DATA, 0) ? KWR_DONE : KWR_STOP;
        if (MatchKeyword(p, KW_Template))
            return KWR_SKIP_QUIET;
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int HandleFigureLine(const char* p) override
    {
        if (*p == '}')
            return CloseCurrentBlock();
        std::string name;
        if (MatchKeyword(p, KW_Label)) {
            if (!ParseDelimitedCString(p, name, 30))
                return KWR_FAILED;
            current += " " + name;
            return KWR_DONE;
        }
        if (MatchKeyword(p, KW_Style)) {
            // A name that does not resolve drops the record; the handler
            // leaves giving up the block to the framework.
            m_nErrorCode = KWE_UNDEFINED_STYLE;
            return KWR_SKIP_REST;
        }
        if (MatchKeyword(p, KW_GraphicData)) {
            int size;
            if (!ParseIntInRange(p, size, 1, 400000))
                return KWR_SKIP_BLOCK;
            return BeginBinaryData(BT_FIGURE_GRAPHIC_DATA, size_t(size)) ? KWR_DONE : KWR_STOP;
        }
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int EndFigure() override
    {
        added.push_back(current);
        building = false;
        return KWR_DONE;
    }
    void DiscardRecord(int type) override
    {
        if (type == BT_FIGURE) {
            discarded.push_back(current);
            building = false;
        }
    }
    int EndBinaryData(int type, HGLOBAL h) override
    {
        dataTypes.push_back(type);
        std::vector<BYTE> bytes;
        if (h) {
            CGlobalLock lock(h);
            bytes.assign(lock.data(), lock.data() + lock.size());
        }
        data.push_back(bytes);
        if (h)
            GlobalFree(h);
        return KWR_DONE;
    }
};

const std::string kHeader = "KAVO Diagram File\r\nVersion 5.08\r\n";

bool Mentions(const CRecordingPrompt& p, size_t i, const std::string& text)
{
    return i < p.shown.size() && p.shown[i].text.find(text) != std::string::npos;
}
} // namespace

TEST(LoadObj, ReadsBlocksNestedDataAndSkipsCommentsAndBlankLines)
{
    CRecordingPrompt prompt;
    CFakeLoader l;
    ASSERT_TRUE(l.LoadText(kHeader + "\r\n## comment\r\n   # indented comment\r\n \t \r\n"
                                     "Figure 3\r\n{\r\n  Label \"a b\"\r\n  GraphicData 3\r\n  {\r\n0A0B0C\r\n  }\r\n}\r\n"
                                     "Preview\r\n{\r\nFFFF\r\n}\r\n"
                                     "DevMode 2\r\n{\r\n0102\r\n}\r\n"));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(l.added, std::vector<std::string>{"Thing 3 a b"});
    ASSERT_EQ(l.data.size(), 3u);
    EXPECT_EQ(l.data[0], (std::vector<BYTE>{0x0A, 0x0B, 0x0C}));
    EXPECT_EQ(l.dataTypes[0], BT_FIGURE_GRAPHIC_DATA);
    EXPECT_TRUE(l.data[1].empty()); // Preview lines passed over
    EXPECT_EQ(l.dataTypes[2], BT_DEVMODE_DATA);
    EXPECT_EQ(l.GetBlockType(), BT_TOP);
    EXPECT_DOUBLE_EQ(l.GetFileVersion(), 5.08);
}

TEST(LoadObj, HeaderRules)
{
    struct Case {
        std::string text;
        int answer;
        BOOL ok;
        std::string shown; // empty: nothing shown
    };
    const Case cases[] = {
        {"KAVO  Copyright 1995\r\nVersion 1\r\n", IDOK, FALSE,
         "The diagram you are trying to open requires a conversion before it can be loaded."},
        {"Hello\r\nVersion 1\r\n", IDOK, FALSE,
         "Error Loading Diagram - Line 1\n\"Hello\"\n\nNot a diagram file\nFile could not be loaded."},
        {"KAVO Diagram File\r\nVersio 1\r\n", IDOK, FALSE, "Not a diagram file"},
        {"KAVO Diagram File\r\nVersion 101\r\n", IDOK, FALSE, "Value Out of Range"},
        {"KAVO Diagram File\r\nVersion 6\r\n", IDOK, TRUE,
         "The diagram was created with a newer version of this program."},
        {"KAVO Diagram File\r\nVersion 6\r\n", IDCANCEL, FALSE,
         "The diagram was created with a newer version of this program."},
        {"KAVO Diagram File\r\nVersion 2.5\r\n", IDOK, TRUE, ""},
    };
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(c.answer);
        CFakeLoader l;
        EXPECT_EQ(l.LoadText(c.text + "Bogus\r\n"), c.ok) << c.text;
        if (c.shown.empty()) {
            // the unknown key after a good header is the only report
            EXPECT_EQ(prompt.shown.size(), 1u) << c.text;
        } else {
            ASSERT_FALSE(prompt.shown.empty()) << c.text;
            EXPECT_TRUE(Mentions(prompt, 0, c.shown)) << c.text << " got " << prompt.shown[0].text;
            if (c.text.rfind("KAVO  Copyright", 0) == 0) {
                EXPECT_EQ(prompt.shown[0].text, c.shown); // no line number
            }
        }
    }
}

TEST(LoadObj, UnknownBlockIsReportedLineByLineAndStrayBraceIsUnknown)
{
    CRecordingPrompt prompt;
    CFakeLoader l;
    EXPECT_TRUE(l.LoadText(kHeader + "Gadget 1\r\n{\r\n  Size 3\r\n  Colour 4\r\n}\r\nFigure 1\r\n{\r\n}\r\n"));
    ASSERT_EQ(prompt.shown.size(), 4u);
    EXPECT_TRUE(Mentions(prompt, 0, "\"Gadget 1\""));
    EXPECT_TRUE(Mentions(prompt, 1, "\"  Size 3\""));
    EXPECT_TRUE(Mentions(prompt, 2, "\"  Colour 4\""));
    EXPECT_TRUE(Mentions(prompt, 3, "Line 7\n\"}\"\n\nUnrecognized Keyword\nIgnoring this line."));
    EXPECT_EQ(l.added, std::vector<std::string>{"Thing 1"});
}

TEST(LoadObj, BadOpeningLineSkipsTheWholeBlockWithItsNestedBlocks)
{
    CRecordingPrompt prompt;
    CFakeLoader l;
    EXPECT_TRUE(l.LoadText(kHeader + "Figure 999\r\n{\r\n  Label \"x\"\r\n  GraphicData 1\r\n  {\r\n00\r\n  }\r\n}\r\n"
                                     "Template\r\n{\r\n  anything\r\n}\r\n"
                                     "Figure 2\r\n{\r\n}\r\n"));
    ASSERT_EQ(prompt.shown.size(), 1u); // the quiet skip is not reported
    EXPECT_TRUE(Mentions(prompt, 0, "Value Out of Range\nSkipping the section following this line."));
    EXPECT_EQ(l.added, std::vector<std::string>{"Thing 2"});
    EXPECT_TRUE(l.data.empty());
}

TEST(LoadObj, SkippingTheRestOfABlockDiscardsTheRecordAndResetsTheBlock)
{
    CRecordingPrompt prompt;
    CFakeLoader l;
    EXPECT_TRUE(l.LoadText(kHeader + "Figure 1\r\n{\r\n  Label \"one\"\r\n  Style \"nope\"\r\n  Label \"lost\"\r\n"
                                     "  GraphicData 1\r\n  {\r\n00\r\n  }\r\n}\r\n"
                                     "Figure 2\r\n{\r\n  Label \"two\"\r\n}\r\n"));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_TRUE(Mentions(prompt, 0, "Undefined style name\nSkipping the section containing the line."));
    EXPECT_EQ(l.discarded, std::vector<std::string>{"Thing 1 one"});
    EXPECT_EQ(l.added, std::vector<std::string>{"Thing 2 two"});
    EXPECT_EQ(l.GetBlockType(), BT_TOP);
}

TEST(LoadObj, BadDataLinesDropTheDataButKeepTheParentRecord)
{
    struct Case {
        const char* name;
        std::string lines;
        const char* error;
    };
    const Case cases[] = {
        {"line too short", "0A0B\r\n", "Premature End of Line"},
        {"line past the stated size", "0A0B0C\r\n0D\r\n", "Value Out of Range"},
        {"block closes early", "", "Premature End of Line"},
    };
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        CFakeLoader l;
        EXPECT_TRUE(l.LoadText(kHeader + "Figure 1\r\n{\r\n  GraphicData 3\r\n  {\r\n" + c.lines +
                               "  }\r\n  Label \"kept\"\r\n}\r\n"))
            << c.name;
        EXPECT_TRUE(l.data.empty()) << c.name;
        EXPECT_EQ(l.added, std::vector<std::string>{"Thing 1 kept"}) << c.name;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.name;
        EXPECT_TRUE(Mentions(prompt, 0, c.error)) << c.name << prompt.shown[0].text;
    }
}

TEST(LoadObj, OldFilesHaveSixteenBytesADataLine)
{
    CRecordingPrompt prompt;
    CFakeLoader l;
    std::string line(32, '1');
    EXPECT_TRUE(l.LoadText("KAVO Diagram File\r\nVersion 3.00\r\nDevMode 20\r\n{\r\n" + line + "\r\n22334455\r\n}\r\n"));
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_EQ(l.data.size(), 1u);
    EXPECT_EQ(l.data[0].size(), 20u);
    EXPECT_EQ(l.data[0][15], 0x11);
    EXPECT_EQ(l.data[0][16], 0x22);
}

TEST(LoadObj, DataEndingInsideABlockAsksBeforeKeepingThePartialLoad)
{
    for (int answer : {IDOK, IDCANCEL}) {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(answer);
        CFakeLoader l;
        const BOOL ok = l.LoadText(kHeader + "Figure 1\r\n{\r\n}\r\nFigure 2\r\n{\r\n  Label \"cut\"\r\n  GraphicData 40\r\n  {\r\n" + std::string(64, 'A'));
        EXPECT_EQ(ok, answer == IDOK);
        EXPECT_EQ(l.added, std::vector<std::string>{"Thing 1"});
        EXPECT_EQ(l.discarded, std::vector<std::string>{"Thing 2 cut"});
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
        EXPECT_TRUE(Mentions(prompt, 0, "ends inside a block"));
    }
    // A zero-filled tail after complete blocks is padding; a zero byte with
    // text after it is damage.
    {
        CRecordingPrompt prompt;
        CFakeLoader l;
        EXPECT_TRUE(l.LoadText(kHeader + "Figure 1\r\n{\r\n}\r\n" + std::string(50, '\0')));
        EXPECT_TRUE(prompt.shown.empty());
    }
    {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(IDCANCEL);
        CFakeLoader l;
        EXPECT_FALSE(l.LoadText(kHeader + "Figure 1\r\n{\r\n}\r\n" + std::string(5, '\0') + "Figure 2\r\n"));
        EXPECT_TRUE(Mentions(prompt, 0, "zero byte"));
    }
}

TEST(LoadObj, DataCutShortNamesWhereAndWhat)
{
    struct Case {
        const char* name;
        std::string text;
        const char* where;
        std::vector<const char*> what;
    } cases[] = {
        {"continued last line at the top level", kHeader + "Figure 1\r\n{\r\n}\r\nFigure 2-\r\n",
         "Line 6\n", {"ends inside a continued line"}},
        {"continued last line in a block", kHeader + "Figure 1\r\n{\r\n  Label \"a\"-\r\n",
         "Line 5\n", {"ends inside a continued line", "ends inside a block"}},
        // The zero byte opens physical line 6.
        {"zero byte at the top level",
         kHeader + "Figure 1\r\n{\r\n}\r\n" + std::string("\0Figure 2\r\n", 11), "Line 6\n",
         {"zero byte"}},
        {"zero byte in a block",
         kHeader + "Figure 1\r\n{\r\n  Label \"a\"\r\n" + std::string("\0}\r\n", 4), "Line 6\n",
         {"zero byte", "ends inside a block"}},
    };
    for (const Case& c : cases) {
        CRecordingPrompt prompt;
        prompt.QueueAnswer(IDOK);
        CFakeLoader l;
        EXPECT_TRUE(l.LoadText(c.text)) << c.name;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.name;
        EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION) << c.name;
        EXPECT_TRUE(Mentions(prompt, 0, c.where)) << c.name << ": " << prompt.shown[0].text;
        for (const char* what : c.what)
            EXPECT_TRUE(Mentions(prompt, 0, what)) << c.name << ": " << prompt.shown[0].text;
    }
}

TEST(LoadObj, SkippingABlockThatIsNotThereSkipsNothing)
{
    // A line that asks for its block to be skipped (result 4, or 7 without a
    // report) but opens none: the next line is read as usual, even when it
    // closes the enclosing block.
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> added;
        size_t reports;
    } cases[] = {
        {"bad data size as the last line of a block",
         kHeader + "Figure 1\r\n{\r\n  Label \"a\"\r\n  GraphicData 0\r\n}\r\n"
                   "Figure 2\r\n{\r\n  Label \"b\"\r\n}\r\n",
         {"Thing 1 a", "Thing 2 b"}, 1},
        {"bad data size followed by a key",
         kHeader + "Figure 1\r\n{\r\n  GraphicData 0\r\n  Label \"a\"\r\n}\r\n",
         {"Thing 1 a"}, 1},
        {"quiet skip with no block at the top level",
         kHeader + "Template\r\nFigure 1\r\n{\r\n}\r\nFigure 2\r\n{\r\n}\r\n",
         {"Thing 1", "Thing 2"}, 0},
        {"a skipped block still skips all of itself",
         kHeader + "Template\r\n# a comment between\r\n{\r\n  Figure 7\r\n  {\r\n  }\r\n}\r\n"
                   "Figure 2\r\n{\r\n}\r\n",
         {"Thing 2"}, 0},
    };
    for (const Case& c : cases) {
        CRecordingPrompt prompt;
        CFakeLoader l;
        EXPECT_TRUE(l.LoadText(c.text)) << c.name;
        EXPECT_EQ(l.added, c.added) << c.name;
        EXPECT_EQ(prompt.shown.size(), c.reports) << c.name;
        EXPECT_EQ(l.GetBlockType(), BT_TOP) << c.name;
    }
}

namespace {
std::vector<UINT> g_beeps;
void RecordBeep(UINT type)
{
    g_beeps.push_back(type);
}
} // namespace

TEST(LoadObj, ABlockTypeOutsideTheTableStopsWithTheExclamationSound)
{
    struct CBrokenLoader : CFakeLoader {
        int HandleTopLevelLine(const char* p) override
        {
            if (MatchKeyword(p, KW_Group)) {
                SetBlockType(99);
                return KWR_DONE;
            }
            return CFakeLoader::HandleTopLevelLine(p);
        }
    } l;
    g_beeps.clear();
    const MessageBeepHandler previous = SetMessageBeepHandler(&RecordBeep);
    CRecordingPrompt prompt;
    EXPECT_FALSE(l.LoadText(kHeader + "Group\r\n{\r\n}\r\nFigure 1\r\n{\r\n}\r\n"));
    SetMessageBeepHandler(previous);
    EXPECT_EQ(g_beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
    EXPECT_TRUE(l.added.empty());
}

TEST(LoadObj, ReadErrorIsExplained)
{
    struct CBrokenSource : IKeywordSource {
        long long Read(char*, size_t) override { return -1; }
    } src;
    CRecordingPrompt prompt;
    CFakeLoader l;
    EXPECT_FALSE(l.Load(src));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Error while attempting to read from file.");
}

TEST(LoadObj, CancelInTheWarningStopsTheLoad)
{
    CRecordingPrompt prompt;
    prompt.QueueAnswer(IDCANCEL);
    CFakeLoader l;
    EXPECT_FALSE(l.LoadText(kHeader + "Bogus\r\nFigure 1\r\n{\r\n}\r\n"));
    EXPECT_TRUE(l.added.empty());
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST(LoadObj, SubmenuReturnsToTheBlockThatOpenedIt)
{
    struct CMenuLoader : CFakeLoader {
        int HandleTopLevelLine(const char* p) override
        {
            if (MatchKeyword(p, KW_FigureMenu)) {
                SetBlockType(BT_FIGURE_MENU);
                return KWR_DONE;
            }
            return CFakeLoader::HandleTopLevelLine(p);
        }
        int HandleMenuLine(const char* p) override
        {
            if (MatchKeyword(p, KW_Submenu)) {
                SetBlockType(BT_SUBMENU);
                return KWR_DONE;
            }
            return DefaultBlockLine(p);
        }
    } l;
    CRecordingPrompt prompt;
    EXPECT_TRUE(l.LoadText(kHeader + "FigureMenu\r\n{\r\n  Submenu \"a\"\r\n  {\r\n  }\r\n  Submenu \"b\"\r\n  {\r\n"
                                     "  }\r\n}\r\nFigure 4\r\n{\r\n}\r\n"));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(l.added, std::vector<std::string>{"Thing 4"});
}

namespace {
// A diagram-like top level: the header, then the block keywords; records are
// noted as "<type>:<id or name>" when they open and close.
class CTopLevelLoader : public CTextLoader {
public:
    std::vector<std::string> opened, closed;
    std::vector<int> dataTypes;
    std::vector<size_t> dataSizes;
    explicit CTopLevelLoader(bool stylesOnly = false) { m_bStylesOnly = stylesOnly; }
protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        bool matched;
        const int result = OpenTopLevelBlock(p, &matched);
        if (matched)
            return result;
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int BeginIdRecord(int type, long long id) override
    {
        opened.push_back(std::to_string(type) + ":" + std::to_string(id));
        return KWR_DONE;
    }
    int BeginNamedRecord(int type, const std::string& name) override
    {
        if (name == "Taken") {
            m_nErrorCode = KWE_DUPLICATE_NAME;
            return KWR_SKIP_BLOCK;
        }
        opened.push_back(std::to_string(type) + ":" + name);
        return KWR_DONE;
    }
    int BeginPlainRecord(int type) override
    {
        opened.push_back(std::to_string(type));
        return KWR_DONE;
    }
    int EndFigureStyle() override
    {
        closed.push_back("style");
        return KWR_DONE;
    }
    int EndBinaryData(int type, HGLOBAL h) override
    {
        dataTypes.push_back(type);
        dataSizes.push_back(h ? GlobalSize(h) : 0);
        if (h)
            GlobalFree(h);
        return KWR_DONE;
    }
};
} // namespace

TEST(LoadObjTopLevel, BlockKeywordsReadTheirOpeningValues)
{
    CRecordingPrompt prompt;
    CTopLevelLoader l;
    EXPECT_TRUE(l.LoadText(kHeader +
                           "Figure -5\r\n{\r\n}\r\nConnector 7\r\n{\r\n}\r\nGraphic 0xFFFFFFFF\r\n{\r\n}\r\n"
                           "Staple 3\r\n{\r\n}\r\nGroup 4\r\n{\r\n}\r\nFont\r\n{\r\n}\r\n"
                           "FigureStyle \"Process step that is far too long to keep\"\r\n{\r\n}\r\n"
                           "FigureMenu\r\n{\r\n}\r\nConnectorButtonsRestore\r\n{\r\n}\r\n"
                           "DevMode 3\r\n{\r\n010203\r\n}\r\nDevNames 0\r\nPreview\r\n{\r\nAB\r\n}\r\n"));
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown[0].text;
    EXPECT_EQ(l.opened, (std::vector<std::string>{"11:-5", "12:7", "20:4294967295", "14:3", "22:4", "13",
                                                  "9:Process step that is far too l", "24", "32"}));
    EXPECT_EQ(l.closed, std::vector<std::string>{"style"});
    EXPECT_EQ(l.dataTypes, (std::vector<int>{BT_DEVMODE_DATA, BT_PREVIEW_DATA}));
    EXPECT_EQ(l.dataSizes, (std::vector<size_t>{3, 0}));
}

TEST(LoadObjTopLevel, BadOpeningValuesAndDuplicateNamesSkipTheBlock)
{
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"Staple -1", "Value Out of Range"},         {"Group 40000", "Value Out of Range"},
        {"FigureSymbol \"\"", "Syntax Error"},       {"EndSymbol \"open", "Invalid String"},
        {"FigureStyle \"Taken\"", "Duplicate Figure Name"}, {"DevMode 0", "Value Out of Range"},
        {"DevNames 400001", "Value Out of Range"},   {"Figure", "Premature End of Line"},
    };
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        CTopLevelLoader l;
        EXPECT_TRUE(l.LoadText(kHeader + c.line + "\r\n{\r\n  Inner 1\r\n  {\r\n  }\r\n}\r\nGroup 1\r\n{\r\n}\r\n"))
            << c.line;
        ASSERT_EQ(prompt.shown.size(), 1u) << c.line;
        EXPECT_TRUE(Mentions(prompt, 0, std::string(c.error) + "\nSkipping the section following this line."))
            << c.line << ": " << prompt.shown[0].text;
        EXPECT_EQ(l.opened, std::vector<std::string>{"22:1"}) << c.line;
    }
}

TEST(LoadObjTopLevel, StylesOnlyLoadEndsQuietlyAtTheFirstObject)
{
    for (const char* stop : {"Figure 1", "Connector 1", "Font", "Staple 1"}) {
        CRecordingPrompt prompt;
        CTopLevelLoader l(true);
        EXPECT_TRUE(l.LoadText(kHeader + "FigureStyle \"A\"\r\n{\r\n}\r\n" + stop + "\r\n{\r\n" +
                               "FigureStyle \"B\"\r\n{\r\n}\r\n"))
            << stop;
        EXPECT_TRUE(prompt.shown.empty()) << stop;
        EXPECT_EQ(l.opened, std::vector<std::string>{"9:A"}) << stop;
    }
}
