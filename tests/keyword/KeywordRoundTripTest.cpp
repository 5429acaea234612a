// What the writer primitives write, the parser and loader framework read back.
#include "keyword/CKeywordWriter.h"
#include "keyword/CLoadObj.h"
#include "keyword/KeywordStreams.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Reads "FigureSymbol <name>" blocks holding "Polygon" point lists and "Text"
// strings, and top-level "Text" strings.
class CEchoLoader : public CLoadObj {
public:
    std::vector<std::string> names, texts;
    std::vector<std::vector<CKwCoordPoint>> lists;

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        std::string s;
        if (MatchKeyword(p, KW_FigureSymbol)) {
            if (!ParseDelimitedCString(p, s, 30))
                return KWR_SKIP_BLOCK;
            names.push_back(s);
            SetBlockType(BT_FIGURE_SYMBOL);
            return KWR_DONE;
        }
        if (MatchKeyword(p, KW_Text)) {
            if (!ParseDelimitedCString(p, s, 4096))
                return KWR_FAILED;
            texts.push_back(s);
            return KWR_DONE;
        }
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int HandleFigureSymbolLine(const char* p) override
    {
        m_bAnchorSyntax = 1;
        if (*p == '}')
            return CloseCurrentBlock();
        if (MatchKeyword(p, KW_Polygon)) {
            std::vector<CKwCoordPoint> pts(2048);
            int n = 0;
            if (!ParsePointList(p, 2048, -32768, 32767, pts.data(), n))
                return KWR_FAILED;
            pts.resize(size_t(n));
            lists.push_back(pts);
            return KWR_DONE;
        }
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
};

std::string Expected(std::string text)
{
    if (text.size() > 4096)
        text.resize(4096);
    for (char& c : text)
        c = c == '\r' ? '|' : c == '\n' ? '`' : c;
    return text;
}
} // namespace

TEST(KeywordRoundTrip, TextsNamesAndLongPointListsReadBackWhole)
{
    std::string everyByte;
    for (int c = 1; c < 256; ++c)
        everyByte += char(c);
    std::string hyphens(200, '-');
    const std::vector<std::string> texts = {
        "plain", "", "both \" and ' quotes", std::string(130, 'x'), std::string(5000, 'y'), hyphens,
        "line one\r\nline two", everyByte.substr(0, 200), std::string(64, 'a') + "-" + std::string(64, 'b'),
    };
    const std::vector<std::string> names = {"5\" Floppy", "Box", "It's \"both\""};

    std::vector<CKwCoordPoint> pts(2048);
    for (size_t i = 0; i < pts.size(); ++i)
        pts[i] = {{float(i) * 10.25f - 9000.f, int(i % 3)}, {-float(i) - 0.5f, int((i + 1) % 3)}};

    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    ASSERT_TRUE(w.WriteHeader());
    for (const auto& t : texts)
        ASSERT_TRUE(w.WriteString(KW_Text, t));
    for (const auto& n : names) {
        ASSERT_TRUE(w.OpenNamedBlock(KW_FigureSymbol, n.c_str(), false));
        ASSERT_TRUE(w.WritePointList(KW_Polygon, pts.data(), int(pts.size())));
        ASSERT_TRUE(w.CloseBlock());
    }

    CRecordingPrompt prompt;
    CEchoLoader l;
    CMemoryKeywordSource src(sink.text);
    ASSERT_TRUE(l.Load(src));
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown[0].text;
    ASSERT_EQ(l.texts.size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(l.texts[i], Expected(texts[i])) << i;
    EXPECT_EQ(l.names, names);
    ASSERT_EQ(l.lists.size(), names.size());
    for (size_t i = 0; i < pts.size(); ++i) {
        EXPECT_EQ(l.lists[0][i].x.value, pts[i].x.value) << i;
        EXPECT_EQ(l.lists[0][i].x.nAnchor, pts[i].x.nAnchor) << i;
        EXPECT_EQ(l.lists[0][i].y.value, pts[i].y.value) << i;
        EXPECT_EQ(l.lists[0][i].y.nAnchor, pts[i].y.nAnchor) << i;
    }
}
