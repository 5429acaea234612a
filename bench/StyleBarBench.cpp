// Rebuilding the style bar of a diagram whose libraries hold 500 styles
// (250 figure, 100 label and 150 connector styles), from the rebuild call to
// the bar painted into an image; the baseline draws the same samples at the
// same places into an image directly, in the same run. The bar is a widget:
// this program has its own main with a widget application object.
#include "app/ProgramState.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/CStyleBarSlotButton.h"
#include "platform/CPainterDC.h"
#include "../tests/shapes/SymbolTestSupport.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <clocale>
#include <memory>
#include <string>

namespace {

struct BarSession {
    CKavoDoc doc;
    std::unique_ptr<CKavoStyleBar> bar;
};

void AddStyles(CKavoDoc& doc, int symbol)
{
    doc.m_figStyles.RemoveAll();
    doc.m_conStyles.RemoveAll();
    for (int i = 0; i < 350; ++i) {
        CFigProps props;
        props.Symbol = symbol;
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = RGB(40 * (i % 6), 200 - 12 * (i % 10), 255 - 20 * (i % 8));
        const bool label = i >= 250;
        doc.m_figStyles.AddFigStyle(&props, (label ? "Note" : "Shape") + std::to_string(i), 1, 1, label ? 1 : 0, "",
                                    "", 100, 50, "", "", nullptr, 0, "");
    }
    for (int i = 0; i < 150; ++i) {
        CConProps props;
        props.LineWidth = 1 + i % 4;
        doc.m_conStyles.AddConStyle(&props, "Link" + std::to_string(i), 1, 1, "", "", 0, "", 0, 0, 0, 0);
    }
    doc.ResetStyleLayouts();
    doc.InitStyleMenus();
}

BarSession& Session()
{
    static BarSession* s = [] {
        auto* b = new BarSession;
        b->doc.OnNewDocument();
        SymbolBuilder sym;
        sym.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sym.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sym.sym.m_strName = "box";
        AddStyles(b->doc, b->doc.m_figSymbols.AddOrReplace(&sym.sym));
        // Tall enough for every row to fill a good part of its buttons.
        b->bar = std::make_unique<CKavoStyleBar>();
        b->bar->activeDoc = [b] { return &b->doc; };
        b->bar->resize(kStyleBarDefaultWidth, 1600);
        b->bar->Rebuild(true, false);
        return b;
    }();
    return *s;
}

int CountButtons(CKavoStyleBar& bar)
{
    int n = 0;
    for (StyleBarRowKind kind : {kLabelRow, kFigureRow, kConnectorRow})
        n += bar.Row(kind).ButtonsCreated();
    return n;
}

void BM_RebuildStyleBar(benchmark::State& state)
{
    BarSession& s = Session();
    QImage image(s.bar->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        s.bar->Rebuild(true, false);
        s.bar->render(&image);
        benchmark::DoNotOptimize(image.constBits());
        // The old controls go as the event loop would let them.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.counters["buttons"] = CountButtons(*s.bar);
}

// Baseline: the same samples drawn straight into an image at the buttons'
// places.
void BM_DrawSamples(benchmark::State& state)
{
    BarSession& s = Session();
    QImage image(s.bar->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        CPainterDC dc(&image);
        for (StyleBarRowKind kind : {kLabelRow, kFigureRow, kConnectorRow}) {
            CStyleButtonRow& row = s.bar->Row(kind);
            for (int i = 0; i < row.ButtonsCreated(); ++i) {
                const CStyleBarSlotButton* b = row.Button(i);
                const QRect g = b->geometry();
                const CRect face(g.left() + 1, g.top() + 1, g.right(), g.bottom());
                DrawStyleBarSample(dc, kind, &s.doc, b->StyleIndex(), face);
            }
        }
        dc.Flush();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["buttons"] = CountButtons(*s.bar);
}

} // namespace

BENCHMARK(BM_RebuildStyleBar)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawSamples)->Unit(benchmark::kMillisecond);
