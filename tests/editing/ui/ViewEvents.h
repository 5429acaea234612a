#pragma once
// A real view offscreen on a fixture diagram, driven by Qt's own mouse and
// key events; the saved text of the diagram and the undo steps recorded
// since are at hand for the checks. Fixtures derive from this beside
// testing::Test and set the view up their own way.
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

inline std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

inline constexpr int kClientW = 800, kClientH = 600;

// The shown view sized to the client area, at 100% from the top left, painted.
inline void FitView(CKavoView& view)
{
    view.resize(kClientW + view.verticalScrollBar()->sizeHint().width(),
                kClientH + view.horizontalScrollBar()->sizeHint().height());
    view.OnInitialUpdate();
    view.ZoomToPercent(100);
    view.ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
    view.FlushPaint();
}

// The view's picture, named after the test, into the folder of KAVO_SHOTS.
inline void SaveViewShot(CKavoView& view)
{
    if (const char* dir = std::getenv("KAVO_SHOTS")) {
        view.FlushPaint();
        view.Surface().save(QString(dir) + "/" + testing::UnitTest::GetInstance()->current_test_info()->name() +
                            ".png");
    }
}

struct ViewEvents {
    // A view of the fixture's diagram, shown, active, with the focus and fitted
    // (FitView); the program's context names the diagram and this view.
    void ShowActiveView(FakeAppContext& app)
    {
        app.doc = &fx.doc;
        SetAppContext(&app);
        view = std::make_unique<CKavoView>(&fx.doc);
        app.view = view.get();
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        FitView(*view);
    }
    // The diagram as it stands is the saved one; no steps counted yet.
    void Save()
    {
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        saved = DocText(fx.doc);
        stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    }
    int Steps() { return int(fx.doc.UndoLogRef().m_nStepsRecorded) - stepBase; }

    QPoint At(const CPoint& logical) const
    {
        const CPoint c = view->LogicalPtToClient(logical);
        return QPoint(c.x, c.y);
    }
    QPoint Centre(const CFigure* f) const { return At(f->m_rect.CenterPoint()); }
    CPoint Logical(const QPoint& p) const { return view->ClientPtToLogical(CPoint(p.x(), p.y())); }
    int Px(int pixels) const { return view->ClientLenToLogical(pixels); }

    void Send(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget* vp = view->viewport();
        QMouseEvent e(type, QPointF(pos), QPointF(vp->mapToGlobal(pos)), button, buttons, mods);
        QApplication::sendEvent(vp, &e);
    }
    void Press(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, m);
    }
    void Move(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier, Qt::MouseButtons held = Qt::LeftButton)
    {
        Send(QEvent::MouseMove, p, Qt::NoButton, held, m);
    }
    void Hover(const QPoint& p, Qt::MouseButtons held = Qt::NoButton) { Move(p, Qt::NoModifier, held); }
    void Release(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    void Click(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Press(p, m);
        Release(p, m);
    }
    // A press, moves in `steps` even steps and the release, `m` held throughout.
    void Drag(const QPoint& from, const QPoint& to, Qt::KeyboardModifiers m = Qt::NoModifier, int steps = 4)
    {
        Press(from, m);
        for (int i = 1; i <= steps; ++i)
            Move(from + (to - from) * i / steps, m);
        Release(to, m);
    }
    void RightPress(const QPoint& p, Qt::MouseButtons held = Qt::RightButton)
    {
        Send(QEvent::MouseButtonPress, p, Qt::RightButton, held);
    }
    void RightClick(const QPoint& p, Qt::MouseButtons held = Qt::NoButton)
    {
        Send(QEvent::MouseButtonPress, p, Qt::RightButton, held | Qt::RightButton);
        Send(QEvent::MouseButtonRelease, p, Qt::RightButton, held);
    }
    void Wheel(int delta, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        const QPoint p(400, 300);
        QWheelEvent e(QPointF(p), QPointF(view->viewport()->mapToGlobal(p)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, m, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &e);
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, m);
        QApplication::sendEvent(view.get(), &e);
    }

    // No inverted feedback is left on the surface: painting it all again
    // changes nothing.
    void ExpectNoFeedbackLeft()
    {
        view->FlushPaint();
        const QImage shown = view->Surface().copy();
        view->InvalidateAll();
        view->FlushPaint();
        EXPECT_TRUE(view->Surface() == shown);
    }

    DiagramFixture fx;
    std::unique_ptr<CKavoView> view;
    std::string saved;
    int stepBase = 0;
};
