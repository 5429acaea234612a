// Reading and writing speed of the keyword text format on about 50 MB of
// generated diagram text: figure blocks of typical keys, symbol point lists,
// and picture data lines. Run: build/bench/bench/KeywordBench
#include "keyword/CKeywordWriter.h"
#include "keyword/CLoadObj.h"
#include "keyword/KeywordStreams.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {
constexpr size_t kTargetBytes = 50u << 20;

// Writes one figure block with the kinds of lines a diagram holds.
bool WriteFigure(CKeywordWriter& w, int id, const std::vector<BYTE>& picture, const CKwCoordPoint* pts)
{
    return w.OpenIdBlock(KW_Figure, id) && w.WriteString(KW_Style, "Process") &&
           w.WriteRect(KW_Bounds, RECT{id, 2 * id, id + 1200, 2 * id + 800}) &&
           w.WriteColour(KW_FillColor, RGB(id & 255, 128, 64)) && w.WriteShort(KW_LineWidth, 3) &&
           w.WriteBool(KW_Shadow, id & 1) && w.WriteHex16(KW_TextFormat, 0x22) &&
           w.WriteHex64(KW_Behavior, 0x0000000100000ABCull) && w.WriteReal(KW_Scale, 1.25 * id) &&
           w.WriteString(KW_Text, "{\\b Step} number one with a longer text that runs past one piece of sixty-five "
                                  "characters") &&
           w.WritePointList(KW_Polygon, pts, 24) &&
           w.WriteRawData(KW_GraphicData, picture.data(), picture.size()) && w.CloseBlock();
}

// Writes the header and figures until the text holds about 50 MB.
void WriteSample(CStringKeywordSink& sink)
{
    std::vector<BYTE> picture(256);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = BYTE(i * 31);
    CKwCoordPoint pts[24];
    for (int i = 0; i < 24; ++i)
        pts[i] = {{float(i * 10.5), i % 3}, {float(-i), 0}};
    CKeywordWriter w(sink);
    w.WriteHeader();
    for (int id = 1; sink.text.size() < kTargetBytes; ++id)
        WriteFigure(w, id, picture, pts);
}

const std::string& SampleText()
{
    static const std::string text = [] {
        CStringKeywordSink sink;
        WriteSample(sink);
        return sink.text;
    }();
    return text;
}

// Reads every key of the sample with the reader that fits it.
class CBenchLoader : public CLoadObj {
public:
    long long values = 0;

protected:
    int HandleTopLevelLine(const char* p) override
    {
        if (m_nLineNo <= 2)
            return HandleHeaderLine(p);
        int id;
        if (MatchKeyword(p, KW_Figure) && ParseShortAsInt(p, id)) {
            SetBlockType(BT_FIGURE);
            return KWR_DONE;
        }
        m_nErrorCode = KWE_UNRECOGNIZED;
        return KWR_FAILED;
    }
    int HandleFigureLine(const char* p) override
    {
        if (*p == '}')
            return CloseCurrentBlock();
        const char* end = p;
        while (*end > ' ')
            ++end;
        const EKeyword key = LookupKeyword(std::string_view(p, size_t(end - p)));
        p = end;
        int v, rc[4];
        double d;
        uint64_t w;
        COLORREF c;
        char text[4097];
        int n;
        BOOL ok = FALSE;
        switch (key) {
        case KW_Style:
        case KW_Text: ok = ParseDelimited(p, text, 4096); break;
        case KW_Bounds: ok = ParseIntRect(p, rc, -32768, 32767); break;
        case KW_FillColor: ok = ParseColor(p, c); break;
        case KW_LineWidth:
        case KW_TextFormat: ok = ParseShortAsInt(p, v); break;
        case KW_Shadow: ok = ParseBool(p, v); break;
        case KW_Behavior: ok = ParseUInt64InRange(p, w, 0, ~0ULL); break;
        case KW_Scale: ok = ParseRealInRange(p, d, -1e9, 1e9); break;
        case KW_Polygon: ok = ParsePointList(p, 2048, -1e6, 1e6, m_pts, n); break;
        case KW_GraphicData:
            ok = ParseIntInRange(p, n, 1, 400000) && BeginBinaryData(BT_FIGURE_GRAPHIC_DATA, size_t(n));
            break;
        default: m_nErrorCode = KWE_UNRECOGNIZED; return KWR_FAILED;
        }
        ++values;
        return ok ? KWR_DONE : KWR_FAILED;
    }

private:
    CKwCoordPoint m_pts[2048];
};

void BM_ParseKeywordText(benchmark::State& state)
{
    const std::string& text = SampleText();
    for (auto _ : state) {
        CBenchLoader loader;
        CMemoryKeywordSource source(text);
        if (!loader.Load(source) || loader.values == 0)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(loader.values);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ParseKeywordText)->Unit(benchmark::kMillisecond);

void BM_WriteKeywordText(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        CStringKeywordSink sink;
        sink.text.reserve(kTargetBytes + (1 << 20));
        WriteSample(sink);
        bytes += sink.text.size();
        benchmark::DoNotOptimize(sink.text.data());
    }
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_WriteKeywordText)->Unit(benchmark::kMillisecond);
} // namespace
