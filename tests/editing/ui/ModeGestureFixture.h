#pragma once
// A real view offscreen over the small diagram of two boxes, for the
// gestures of the creation and connection-point modes: Qt's own mouse and
// key events go to the view, and undo takes the document back to its saved
// text byte for byte.
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

inline std::string ModeDocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

inline int g_modeBeeps = 0;

struct ModeGestureFixture : testing::Test {
    static constexpr int kClientW = 800, kClientH = 600;

    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        SelectAfterFigureCreate = 0;
        AutoEditOnCreate = 0;
        AutoLabelOnCreate = 1;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        app.doc = &fx.doc;
        SetAppContext(&app);
        g_nUIMode = 0;
        g_modeBeeps = 0;
        oldBeep = SetMessageBeepHandler([](UINT) { ++g_modeBeeps; });
        view = std::make_unique<CKavoView>(&fx.doc);
        app.view = view.get();
        view->show();
        const int bar = view->verticalScrollBar()->sizeHint().width();
        const int barH = view->horizontalScrollBar()->sizeHint().height();
        view->resize(kClientW + bar, kClientH + barH);
        view->OnInitialUpdate();
        view->ZoomToPercent(100);
        view->ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
        view->FlushPaint();
        SaveState();
    }
    void TearDown() override
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
        }
        g_nUIMode = 0;
        app.view = nullptr;
        view.reset();
        SetMessageBeepHandler(oldBeep);
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
    }
    // The undo log emptied and the text saved from here on.
    void SaveState()
    {
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        saved = ModeDocText(fx.doc);
        stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    }

    QPoint At(const CPoint& logical) const
    {
        const CPoint c = view->LogicalPtToClient(logical);
        return QPoint(c.x, c.y);
    }
    CPoint Logical(const QPoint& p) const { return view->ClientPtToLogical(CPoint(p.x(), p.y())); }
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
    void Move(const QPoint& p, Qt::MouseButtons held = Qt::LeftButton, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Send(QEvent::MouseMove, p, Qt::NoButton, held, m);
    }
    void Hover(const QPoint& p) { Move(p, Qt::NoButton); }
    void Release(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    void RightClick(const QPoint& p, Qt::MouseButtons held = Qt::NoButton)
    {
        Send(QEvent::MouseButtonPress, p, Qt::RightButton, held | Qt::RightButton);
        Send(QEvent::MouseButtonRelease, p, Qt::RightButton, held);
    }
    // A press, moves in `steps` even steps, and the release.
    void Drag(const QPoint& from, const QPoint& to, int steps = 4)
    {
        Press(from);
        for (int i = 1; i <= steps; ++i)
            Move(from + (to - from) * i / steps);
        Release(to);
    }
    void Click(const QPoint& p)
    {
        Press(p);
        Release(p);
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, m);
        QApplication::sendEvent(view.get(), &e);
    }
    int Px(int pixels) const { return view->ClientLenToLogical(pixels); }
    int Steps() { return int(fx.doc.UndoLogRef().m_nStepsRecorded) - stepBase; }
    int FigCount() const { return fx.doc.m_pObjList->m_nFigCount; }
    // Undo of the last step gives the saved text back.
    void ExpectUndoToSaved(int code)
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(ModeDocText(fx.doc), saved);
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
    // The last figure of the object list (the newest).
    CFigure* LastFig() const
    {
        for (auto it = fx.doc.m_pObjList->end(); it != fx.doc.m_pObjList->begin();) {
            CDiagObj* o = *--it;
            if (o->GetType() == kObjFigure)
                return static_cast<CFigure*>(o);
        }
        return nullptr;
    }

    DiagramFixture fx;
    FakeAppContext app;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
    std::unique_ptr<CKavoView> view;
    std::string saved;
    int stepBase = 0;
    MessageBeepHandler oldBeep = nullptr;
};
