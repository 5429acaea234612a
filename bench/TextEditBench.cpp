// One character typed into the in-place editor over a 4,000-character text
// area of a figure in the 20,000-box diagram of `kvdtool gen 20000`, from the
// key press to the repainted editor (a character typed, then taken back, in
// turn); the baseline is the view's plain repaint of the editor's area in the
// same run. The editor is a widget: this program has its own main with a
// widget application object.
#include "app/ProgramState.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "kvdtool/KvdTool.h"
#include "render/CZoomMapping.h"
#include "richtext/FigureTextFit.h"
#include "../tests/shapes/SymbolTestSupport.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <clocale>
#include <memory>
#include <string>

namespace {

struct Editing {
    CKavoDoc doc;
    std::unique_ptr<CKavoView> view;
    CFigure* fig = nullptr;
};

// Lines of words with hard breaks, 4,000 characters of markup.
std::string LongText()
{
    std::string text;
    while (text.size() < 4000)
        text += "lorem ipsum dolor sit amet consectetur adipiscing elit sed do\\line ";
    text.resize(4000);
    return text;
}

Editing& Session()
{
    static Editing* s = [] {
        auto* e = new Editing;
        e->doc.OnNewDocument();
        GenerateDiagram(e->doc, 20000);
        // The generated boxes show their text in the whole figure; the edited
        // one gets a symbol with one text box over it.
        SymbolBuilder b;
        b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.TextBoxes({CFltRect(0, 0, 2048, 2048)});
        b.sym.m_strName = "textbox";
        const int symbol = e->doc.m_figSymbols.AddOrReplace(&b.sym);
        int seen = 0;
        for (CDiagObj* o : *e->doc.m_pObjList)
            if (o->GetType() == kObjFigure && ++seen == 10000)
                e->fig = static_cast<CFigure*>(o);
        if (!e->fig)
            return e;
        e->fig->m_props.Symbol = symbol;
        e->fig->m_strText = LongText();
        FitFigToText(e->doc, e->fig, 1, false, false, nullptr);
        e->doc.ResetUndoLog();
        e->view = std::make_unique<CKavoView>(&e->doc);
        e->view->resize(1920, 1080);
        e->view->show();
        e->view->OnInitialUpdate();
        e->view->ZoomToPercent(100);
        e->view->ScrollToViewAnchorPoint(CPoint(e->fig->m_rect.left - 100, e->fig->m_rect.top - 100), kAnchorTopLeft,
                                         true);
        e->view->FlushPaint();
        e->view->BeginTextEdit(e->fig, 0, false, CPoint(), 0, -1);
        return e;
    }();
    return *s;
}

void Press(QWidget* w, int key, const QString& text)
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
}

void BM_TypeCharacter(benchmark::State& state)
{
    Editing& s = Session();
    CTextDialog* editor = s.view ? s.view->TextEditor() : nullptr;
    if (!editor) {
        state.SkipWithError("no editor opened");
        return;
    }
    bool type = true;
    for (auto _ : state) {
        if (type)
            Press(editor, Qt::Key_X, "x");
        else
            Press(editor, Qt::Key_Backspace, QString());
        type = !type;
        const QImage shown = editor->Picture();
        benchmark::DoNotOptimize(shown.constBits());
    }
    state.counters["chars"] = double(editor->Text().size());
}

// Baseline: the view renders the editor's area.
void BM_RepaintEditorArea(benchmark::State& state)
{
    Editing& s = Session();
    CTextDialog* editor = s.view ? s.view->TextEditor() : nullptr;
    if (!editor) {
        state.SkipWithError("no editor opened");
        return;
    }
    QImage image(editor->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        s.view->RenderAreaToBitmap(editor->geometry(), image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["area_px"] = double(editor->width()) * editor->height();
}

} // namespace

BENCHMARK(BM_TypeCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintEditorArea)->Unit(benchmark::kMillisecond);
