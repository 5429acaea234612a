// Laying out and drawing figure labels: 10,000 labels of 1 to 5 lines. The
// figure to watch is labels per second; the baseline is the same labels
// drawn with the device context's own text output and no layout.
#include "richtext/CTextBlock.h"
#include "richtext/TextBlockGeometry.h"
#include "richtext/TextLineRender.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kLabels = 10000;

// Labels of 1 to 5 lines of 1 to 3 words, some with a bold or coloured word.
const std::vector<std::string>& Labels()
{
    static const std::vector<std::string> labels = [] {
        const char* words[] = {"Start", "check", "order", "valid", "customer", "send", "invoice", "end",
                               "retry", "payment", "approved", "queue", "x", "database", "report"};
        std::mt19937 rng(11);
        std::vector<std::string> v;
        for (int i = 0; i < kLabels; ++i) {
            std::string text = i % 4 == 0 ? "{\\colortbl \\red0\\green0\\blue0;\\red200\\green0\\blue0;}" : "";
            const int lines = 1 + int(rng() % 5);
            for (int l = 0; l < lines; ++l) {
                if (l)
                    text += "\\line ";
                const int n = 1 + int(rng() % 3);
                for (int w = 0; w < n; ++w) {
                    if (w)
                        text += ' ';
                    const std::string word = words[rng() % 15];
                    if (rng() % 7 == 0)
                        text += "\\b1 " + word + "\\b0 ";
                    else if (i % 4 == 0 && rng() % 5 == 0)
                        text += "\\cf1 " + word + "\\cf0 ";
                    else
                        text += word;
                }
            }
            v.push_back(text);
        }
        return v;
    }();
    return labels;
}

TextFormatRec LabelFormat()
{
    return MakeTextFormat("Arial", 10, 0x22);
}

// Lays out every label on a screen context (the shared advance array, as
// figure drawing does).
void BM_LayoutLabels(benchmark::State& state)
{
    const auto& labels = Labels();
    const TextFormatRec f = LabelFormat();
    QImage image(16, 16, QImage::Format_RGB32);
    CPainterDC dc(&image);
    LineSpacing sp;
    CTextBlock block;
    for (auto _ : state)
        for (const std::string& text : labels) {
            block.Layout(text, 0, f, &dc, false, true, sp, 0);
            benchmark::DoNotOptimize(block.GetTotalHeight());
        }
    state.counters["labels/s"] = benchmark::Counter(double(state.iterations()) * kLabels, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayoutLabels)->Unit(benchmark::kMillisecond);

// Lays out and draws every label into its cell of a large image.
void BM_LayoutAndDrawLabels(benchmark::State& state)
{
    const auto& labels = Labels();
    const TextFormatRec f = LabelFormat();
    QImage image(2000, 2000, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        CPainterDC dc(&image);
        for (int i = 0; i < kLabels; ++i) {
            RenderTextRequest r;
            r.dc = &dc;
            r.format = &f;
            r.text = labels[size_t(i)];
            const int x = (i % 20) * 100, y = (i / 20 % 25) * 80;
            r.rect = CRect(x, y, x + 100, y + 80);
            RenderFigTextBlock(r);
        }
        dc.Flush();
    }
    state.counters["labels/s"] = benchmark::Counter(double(state.iterations()) * kLabels, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LayoutAndDrawLabels)->Unit(benchmark::kMillisecond);

// Baseline: the same labels' plain characters drawn line by line with the
// device context's text output (no markup, no layout).
void BM_PlainTextOutBaseline(benchmark::State& state)
{
    std::vector<std::vector<std::string>> plain;
    for (const std::string& text : Labels()) {
        std::vector<std::string> lines(1);
        for (size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 6, "\\line ") == 0) {
                lines.emplace_back();
                i += 5;
            } else if (text[i] == '\\' || text[i] == '{') {
                while (i < text.size() && text[i] != ' ' && text[i] != '}')
                    ++i;
            } else {
                lines.back() += text[i];
            }
        }
        plain.push_back(lines);
    }
    QImage image(2000, 2000, QImage::Format_RGB32);
    LOGFONT lf;
    lf.lfHeight = -35;
    SetLogFontFace(lf, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    for (auto _ : state) {
        image.fill(Qt::white);
        CPainterDC dc(&image);
        dc.SelectObject(&font);
        for (int i = 0; i < kLabels; ++i) {
            const int x = (i % 20) * 100, y = (i / 20 % 25) * 80;
            int line = 0;
            for (const std::string& s : plain[size_t(i)])
                dc.TextOut(x, y + 40 * line++, s);
        }
        dc.Flush();
    }
    state.counters["labels/s"] = benchmark::Counter(double(state.iterations()) * kLabels, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PlainTextOutBaseline)->Unit(benchmark::kMillisecond);

} // namespace
