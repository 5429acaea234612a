#include "common/TestEnvironment.h"
#include "keyword/BlockPacking.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdarg>
#include <functional>
#include <string>
#include <vector>

namespace {
struct Golden {
    const char* name;
    std::function<BOOL(CKeywordWriter&)> write;
    std::string expected;
};

const CKwCoordPoint kPts[10] = {
    {{1.5f, 0}, {-2.f, 0}}, {{0.f, 1}, {3.25f, 2}}, {{1, 0}, {1, 0}}, {{2, 0}, {2, 0}}, {{3, 0}, {3, 0}},
    {{4, 0}, {4, 0}},       {{5, 0}, {5, 0}},       {{6, 0}, {6, 0}}, {{7, 0}, {7, 0}}, {{8, 0}, {8, 0}},
};

std::vector<Golden> GoldenCases()
{
    const std::string s130(130, 'q');
    std::string allCandidates = "\"'";
    for (int c = 'A'; c <= 'z'; ++c)
        allCandidates += char(c);
    // Every byte but NUL, with CR and LF as written: no candidate is left, so
    // the double quotes become single ones.
    std::string everyByte, everyExpected;
    for (int c = 1; c < 256; ++c) {
        everyByte += char(c);
        everyExpected += c == '"' ? '\'' : c == '\r' ? '|' : c == '\n' ? '`' : char(c);
    }
    const BYTE data33[33] = {0x00, 0xAB, 0xFF, 0x10};
    const std::string names[3] = {"One", "Two", "Th\"ree"};
    const int ids[17] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};

    return {
        {"bool", [](auto& w) { return w.WriteBool(KW_ShowGrid, true) && w.WriteBool(KW_ShowGrid, false); },
         "ShowGrid TRUE\r\nShowGrid FALSE\r\n"},
        {"short takes the low 16 bits", [](auto& w) { return w.WriteShort(KW_X, 70000) && w.WriteShort(KW_Y, -3); },
         "X 4464\r\nY -3\r\n"},
        {"int keeps 32 bits", [](auto& w) { return w.WriteInt(KW_Graphic, 123456789); }, "Graphic 123456789\r\n"},
        {"hex16", [](auto& w) { return w.WriteHex16(KW_TextFormat, 0x22); }, "TextFormat 0x0022\r\n"},
        {"hex32", [](auto& w) { return w.WriteHex32(KW_HideText, 0xDEADBEEF); }, "HideText 0xDEADBEEF\r\n"},
        {"hex64", [](auto& w) { return w.WriteHex64(KW_Behavior, 0x0000000100000ABCull); },
         "Behavior 0x0000000100000ABC\r\n"},
        {"colour red first", [](auto& w) { return w.WriteColour(KW_FillColor, RGB(255, 128, 0)); },
         "FillColor 255,128,0\r\n"},
        {"point", [](auto& w) { return w.WritePoint(KW_EndPoint1, -5, 7); }, "EndPoint1 -5,7\r\n"},
        {"rect", [](auto& w) { return w.WriteRect(KW_Bounds, RECT{1, 2, 300, -4}); }, "Bounds 1,2,300,-4\r\n"},
        {"reals trimmed",
         [](auto& w) {
             return w.WriteReal(KW_Scale, 1.5) && w.WriteReal(KW_Scale, 2.0) && w.WriteReal(KW_Scale, 0.0) &&
                    w.WriteReal(KW_Scale, 1234.5678) && w.WriteReal(KW_Scale, -0.25) && w.WriteReal(KW_Scale, 10);
         },
         "Scale 1.5\r\nScale 2\r\nScale 0\r\nScale 1234.568\r\nScale -0.25\r\nScale 10\r\n"},
        {"coordinate anchors",
         [](auto& w) {
             return w.WriteCoord(KW_X, {-12.25f, 2}) && w.WriteCoord(KW_X, {3.f, 1}) && w.WriteCoord(KW_X, {3.f, 0});
         },
         "X <-12.25\r\nX >3\r\nX 3\r\n"},
        {"string plain", [](auto& w) { return w.WriteString(KW_Text, "Hello"); }, "Text \"Hello\"\r\n"},
        {"string null is empty", [](auto& w) { return w.WriteString(KW_Text, nullptr); }, "Text \"\"\r\n"},
        {"string with a double quote", [](auto& w) { return w.WriteString(KW_Text, "a\"b"); }, "Text 'a\"b'\r\n"},
        {"string with both quotes takes A", [](auto& w) { return w.WriteString(KW_Text, "a\"b'c"); },
         "Text Aa\"b'cA\r\n"},
        {"string with both quotes and A takes B", [](auto& w) { return w.WriteString(KW_Text, "A\"'"); },
         "Text BA\"'B\r\n"},
        {"string with both quotes and A..z takes {", [=](auto& w) { return w.WriteString(KW_Text, allCandidates); },
         "Text {" + allCandidates + "{\r\n"},
        {"string holding every candidate", [=](auto& w) { return w.WriteString(KW_Text, everyByte); },
         "Text \"" + everyExpected.substr(0, 65) + "-\r\n" + everyExpected.substr(65, 65) + "-\r\n" +
             everyExpected.substr(130, 65) + "-\r\n" + everyExpected.substr(195) + "\"\r\n"},
        {"line breaks become | and grave", [](auto& w) { return w.WriteString(KW_Text, "a\r\nb"); },
         "Text \"a|`b\"\r\n"},
        {"130 characters on two lines", [=](auto& w) { return w.WriteString(KW_Text, s130); },
         "Text \"" + s130.substr(0, 65) + "-\r\n" + s130.substr(65) + "\"\r\n"},
        {"indentation two spaces a level, five at most",
         [](auto& w) {
             w.SetDepth(2);
             BOOL ok = w.WriteShort(KW_X, 1);
             w.SetDepth(9);
             return ok && w.WriteShort(KW_Y, 2);
         },
         "    X 1\r\n          Y 2\r\n"},
        {"id blocks",
         [](auto& w) {
             return w.OpenIdBlock(KW_Figure, 12) && w.WriteShort(KW_X, 1) && w.OpenIdBlock2(KW_Preview, 5, 7) &&
                    w.CloseBlock() && w.CloseBlock();
         },
         "\r\nFigure 12\r\n{\r\n  X 1\r\n\r\n  Preview 5 7\r\n  {\r\n  }\r\n}\r\n"},
        {"named blocks and their blank lines",
         [](auto& w) {
             return w.OpenNamedBlock(KW_FigureStyle, "Box", false) && w.OpenNamedBlock(KW_Fill, "", false) &&
                    w.CloseBlock() && w.CloseBlock() && w.OpenNamedBlock(KW_FigureMenu, "", true) &&
                    w.OpenNamedBlock(KW_Submenu, "Basic", true) && w.CloseBlock() && w.CloseBlock();
         },
         "\r\nFigureStyle \"Box\"\r\n{\r\n  Fill\r\n  {\r\n  }\r\n}\r\n\r\nFigureMenu\r\n{\r\n  Submenu "
         "\"Basic\"\r\n  {\r\n  }\r\n}\r\n"},
        {"block name with a double quote keeps it",
         [](auto& w) { return w.OpenNamedBlock(KW_FigureSymbol, "5\" disk", false) && w.CloseBlock(); },
         "\r\nFigureSymbol '5\" disk'\r\n{\r\n}\r\n"},
        {"binary data 33 bytes", [=](auto& w) { return w.WriteRawData(KW_DevMode, data33, 33); },
         "\r\nDevMode 33\r\n{\r\n00ABFF10" + std::string(56, '0') + "\r\n00\r\n}\r\n"},
        {"binary data nothing for empty", [=](auto& w) { return w.WriteRawData(KW_DevMode, data33, 0); }, ""},
        {"point list eight a line", [](auto& w) { return w.WritePointList(KW_Polygon, kPts, 10); },
         "Polygon 10 1.5,-2 >0,<3.25 1,1 2,2 3,3 4,4 5,5 6,6-\r\n 7,7 8,8\r\n"},
        {"id rows fifteen a line", [=](auto& w) { return w.WriteIdRows(ids, 17); },
         "1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15,\r\n16, 17\r\n"},
        {"name rows", [=](auto& w) { return w.WriteNameRows(names, 3, 2); },
         "Row \"One\", \"Two\"\r\nRow 'Th\"ree'\r\n"},
        {"header", [](auto& w) { return w.WriteHeader(); }, "KAVO Diagram File\r\nVersion 5.08\r\n"},
    };
}

void RunGolden()
{
    for (const auto& g : GoldenCases()) {
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        EXPECT_TRUE(g.write(w)) << g.name;
        EXPECT_EQ(sink.text, g.expected) << g.name;
    }
}

std::string g_trace;
int RecordTrace(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char buf[256];
    int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    g_trace += buf;
    return n;
}
} // namespace

TEST(KeywordWriter, GoldenLines)
{
    RunGolden();
}

TEST(KeywordWriter, GoldenLinesUnderACommaDecimalLocale)
{
    const CCommaDecimalLocale german;
    ASSERT_TRUE(german.Active());
    RunGolden();
}

TEST(KeywordWriter, TextsAreCutTo4096)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    ASSERT_TRUE(w.WriteString(KW_Text, std::string(5000, 'a')));
    std::string joined;
    for (char c : sink.text)
        if (c == 'a')
            joined += c;
    EXPECT_EQ(joined.size(), 4096u);
}

TEST(KeywordWriter, DelimiterIsChosenAfterLineBreaksAreReplaced)
{
    // Both quotes, A..z but the grave accent, and an LF: the grave accent must
    // not become the delimiter, since the LF is written as one.
    std::string text = "\"'\n";
    for (int c = 'A'; c <= 'z'; ++c)
        if (c != '`')
            text += char(c);
    std::string out;
    CKeywordWriter::AppendDelimited(out, text.c_str());
    ASSERT_FALSE(out.empty());
    EXPECT_NE(out.front(), '`');
    EXPECT_EQ(out.back(), out.front());
    EXPECT_EQ(out.find(out.front(), 1), out.size() - 1);
}

TEST(KeywordWriter, LinesOfTheLimitOrLongerFailTheSave)
{
    g_trace.clear();
    auto* old = g_pfnKwTrace;
    g_pfnKwTrace = RecordTrace;
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(w.WriteLine(std::string(16384, 'x')));
    EXPECT_FALSE(w.WriteLine(std::string(16385, 'x')));
    g_pfnKwTrace = old;
    EXPECT_EQ(g_trace, "ERROR line too long for save, overran bfr len=16385\n");
    EXPECT_EQ(sink.text.size(), 16384u);
}

TEST(KeywordWriter, PackedDataLabelMatchesTheContent)
{
    std::vector<BYTE> bytes(64, 0x07);
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    {
        CGlobalLock lock(h);
        std::copy(bytes.begin(), bytes.end(), lock.data());
    }
    {
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        EXPECT_TRUE(w.WritePackedData(KW_GraphicData, h, std::nullopt, PACK_BLOCKS, KW_Compression));
        EXPECT_EQ(sink.text, "Compression 2\r\n\r\nGraphicData 4\r\n{\r\n104007FF\r\n}\r\n");
    }
    // When packing fails (here: no memory for the packed block) the label
    // says the data is stored as it is.
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 1);
    {
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        EXPECT_TRUE(w.WritePackedData(KW_GraphicData, h, std::nullopt, PACK_BLOCKS, KW_Compression));
        EXPECT_EQ(sink.text.rfind("Compression 0\r\n\r\nGraphicData 64\r\n", 0), 0u);
        // Without a label a block that cannot be packed fails the save.
        CStringKeywordSink sink2;
        CKeywordWriter w2(sink2);
        EXPECT_FALSE(w2.WritePackedData(KW_Preview, h, std::nullopt, PACK_RUNS));
        EXPECT_TRUE(sink2.text.empty());
    }
    SetGlobalMemoryLimit(0);
    GlobalFree(h);
}

TEST(KeywordWriter, FailingSinkFailsEveryPrimitive)
{
    struct CFullSink : IKeywordSink {
        bool Write(const char*, size_t) override { return false; }
    } sink;
    CKeywordWriter w(sink);
    EXPECT_FALSE(w.WriteShort(KW_X, 1));
    EXPECT_FALSE(w.OpenIdBlock(KW_Figure, 1));
    EXPECT_EQ(w.GetDepth(), 0);
    const BYTE b[2] = {1, 2};
    EXPECT_FALSE(w.WriteRawData(KW_DevMode, b, 2));
}
