#pragma once
// A real view offscreen on a fixture diagram, driven by Qt's own mouse and
// key events; the saved text of the diagram and the undo steps recorded
// since are at hand for the checks.
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
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
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

struct ViewEventDriver : testing::Test {
    static constexpr int kClientW = 800, kClientH = 600;
    static std::string DocText(CKavoDoc& doc)
    {
        CStringKeywordSink sink;
        CKeywordWriter w(sink);
        EXPECT_TRUE(WriteDiagramText(w, doc, {}));
        return sink.text;
    }
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        AddObjects();
        app.doc = &fx.doc;
        SetAppContext(&app);
        g_nUIMode = 0;
        view = std::make_unique<CKavoView>(&fx.doc);
        view->show();
        view->resize(kClientW + view->verticalScrollBar()->sizeHint().width(),
                     kClientH + view->horizontalScrollBar()->sizeHint().height());
        view->OnInitialUpdate();
        view->ZoomToPercent(100);
        view->ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
        view->FlushPaint();
    }
    // The fixture's objects, added before the view first lays out.
    virtual void AddObjects() {}
    void TearDown() override
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
        }
        view.reset();
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
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
    void Release(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, m);
    }
    void Click(const QPoint& p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Press(p, m);
        Release(p, m);
    }
    void Wheel(int delta, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        const QPoint p(400, 300);
        QWheelEvent e(QPointF(p), QPointF(view->viewport()->mapToGlobal(p)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, m, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &e);
    }
    void RightPress(const QPoint& p, Qt::MouseButtons held = Qt::RightButton)
    {
        Send(QEvent::MouseButtonPress, p, Qt::RightButton, held);
    }
    void Drag(const QPoint& from, const QPoint& to, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        Press(from, m);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4, m);
        Release(to, m);
    }
    void Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QKeyEvent e(QEvent::KeyPress, key, m);
        QApplication::sendEvent(view.get(), &e);
    }

    DiagramFixture fx;
    FakeAppContext app;
    std::unique_ptr<CKavoView> view;
    std::string saved;
    int stepBase = 0;
};
