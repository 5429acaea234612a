// Drives the keyword text parser, the loader framework with every value
// reader, and both unpackers with arbitrary bytes. Nothing may crash, hang or
// touch memory outside its buffers.
#include "keyword/BlockPacking.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/CLoadObj.h"
#include "keyword/KeywordStreams.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {
// Reads every value form in every block it can open.
class CFuzzLoader : public CLoadObj {
protected:
    const char* ErrorText(int code) const override
    {
        const char* t = CLoadObj::ErrorText(code);
        return t ? t : DiagramLoadErrorText(code);
    }
    int ReadValues(const char* p)
    {
        int i, rc[4];
        double d;
        float f;
        uint32_t u;
        uint64_t w;
        COLORREF c;
        CKwCoord k[4];
        std::string s;
        char buf[31];
        static CKwCoordPoint pts[2048];
        int n;
        BYTE bytes[32];
        if (MatchKeyword(p, KW_X))
            return ParseShortAsInt(p, i, -16000, 16000);
        if (MatchKeyword(p, KW_Y))
            return ParseBool(p, i);
        if (MatchKeyword(p, KW_Scale))
            return ParseRealInRange(p, d, 10, 1000) && ParseFloatInRange(p, f, -1e30, 1e30);
        if (MatchKeyword(p, KW_Bounds))
            return ParseIntRect(p, rc, -32768, 32767);
        if (MatchKeyword(p, KW_Color))
            return ParseColor(p, c);
        if (MatchKeyword(p, KW_Graphic))
            return ParseUIntInRange(p, u, 0, 0xFFFFFFFF) && ParseUInt64InRange(p, w, 0, ~0ULL);
        if (MatchKeyword(p, KW_Rect))
            return ParseCoordRect(p, k, -1e6, 1e6);
        if (MatchKeyword(p, KW_Polygon))
            return ParsePointList(p, 2048, -32768, 32767, pts, n);
        if (MatchKeyword(p, KW_Text))
            return ParseDelimitedCString(p, s, 4096) && ParseDelimited(p, buf, 30);
        if (MatchKeyword(p, KW_Row))
            return ParseHexBytes(p, bytes, sizeof bytes) && ParseIntInRange(p, i, 0, 400000);
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        bool matched;
        const int result = OpenTopLevelBlock(p, &matched);
        if (matched) {
            m_bAnchorSyntax = GetBlockType() == BT_FIGURE_SYMBOL;
            return result;
        }
        if (MatchKeyword(p, KW_Template))
            return KWR_SKIP_QUIET;
        return ReadValues(p) ? KWR_DONE : KWR_SKIP_BLOCK;
    }
    int HandleFigureLine(const char* p) override
    {
        int n;
        if (*p == '}')
            return CloseCurrentBlock();
        if (MatchKeyword(p, KW_GraphicData)) {
            if (!ParseIntInRange(p, n, 1, 400000))
                return KWR_SKIP_BLOCK;
            return BeginBinaryData(BT_FIGURE_GRAPHIC_DATA, size_t(n)) ? KWR_DONE : KWR_STOP;
        }
        if (MatchKeyword(p, KW_Style))
            return AbandonBlock(KWE_UNDEFINED_STYLE);
        return ReadValues(p) ? KWR_DONE : KWR_SKIP_REST;
    }
    int HandleFigureSymbolLine(const char* p) override
    {
        m_bAnchorSyntax = 1;
        if (*p == '}')
            return CloseCurrentBlock();
        if (MatchKeyword(p, KW_Fill)) {
            SetBlockType(BT_FIGURE_SYMBOL_FILL);
            return KWR_DONE;
        }
        return ReadValues(p) ? KWR_DONE : KWR_FAILED;
    }
    int HandleFillPartsLine(const char* p) override
    {
        m_bAnchorSyntax = 1;
        return *p == '}' ? CloseCurrentBlock() : ReadValues(p) ? KWR_DONE : KWR_FAILED;
    }
    int HandleMenuLine(const char* p) override
    {
        if (MatchKeyword(p, KW_Submenu)) {
            SetBlockType(BT_SUBMENU);
            return KWR_DONE;
        }
        return DefaultBlockLine(p);
    }
};
// Reads back the single "Text" line that WriteString wrote.
class CTextEcho : public CLoadObj {
public:
    std::string text;
    int count = 0;

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        if (!MatchKeyword(p, KW_Text) || !ParseDelimitedCString(p, text, 4096))
            return KWR_FAILED;
        ++count;
        return KWR_DONE;
    }
};

// Any text written as a delimited string reads back as written: cut to 4096
// characters, line breaks as '|' and '`'.
void CheckStringRoundTrip(std::string_view bytes)
{
    std::string text(bytes.substr(0, std::min(bytes.find('\0'), size_t(5000))));
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    if (!w.WriteHeader() || !w.WriteString(KW_Text, text))
        __builtin_trap();
    std::string expected = text.substr(0, 4096);
    for (char& c : expected)
        c = c == '\r' ? '|' : c == '\n' ? '`' : c;
    const size_t at = sink.text.find("Text ") + 5;
    if (sink.text[at] == '"')
        std::replace(expected.begin(), expected.end(), '"', '\'');
    CTextEcho echo;
    CMemoryKeywordSource source(sink.text);
    if (!echo.Load(source) || echo.count != 1 || echo.text != expected)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetGlobalMemoryLimit(size_t(64) << 20);
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    {
        CFuzzLoader loader;
        CMemoryKeywordSource source(text);
        loader.Load(source);
    }
    CheckStringRoundTrip(text);
    // The same bytes as packed streams.
    if (HGLOBAL h = UnpackRunsBytes(data, size))
        GlobalFree(h);
    if (HGLOBAL h = UnpackBlocksBytes(data, size))
        GlobalFree(h);
    // And packing must round-trip whatever they are.
    if (size > 0 && size < 4096) {
        HGLOBAL runs = PackRunsBytes(data, size);
        HGLOBAL blocks = PackBlocksBytes(data, size);
        for (HGLOBAL* packed : {&runs, &blocks}) {
            if (!*packed)
                __builtin_trap();
            HGLOBAL back = packed == &runs ? UnpackRuns(*packed) : UnpackBlocks(*packed);
            {
                CGlobalLock lock(back);
                if (!lock.data() || lock.size() != size || std::memcmp(lock.data(), data, size) != 0)
                    __builtin_trap();
            }
            GlobalFree(back);
            GlobalFree(*packed);
        }
    }
    SetGlobalMemoryLimit(0);
    return 0;
}
