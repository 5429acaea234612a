#pragma once
// A real view offscreen over the small diagram of two boxes, for the
// gestures of the creation and connection-point modes: Qt's own mouse and
// key events go to the view, and undo takes the document back to its saved
// text byte for byte.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"

#include <gtest/gtest.h>

inline int g_modeBeeps = 0;

struct ModeGestureFixture : testing::Test, ViewEvents {
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
        FitView(*view);
        Save();
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        g_nUIMode = 0;
        app.view = nullptr;
        view.reset();
        SetMessageBeepHandler(oldBeep);
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
    }
    int FigCount() const { return fx.doc.m_pObjList->m_nFigCount; }
    // Undo of the last step gives the saved text back.
    void ExpectUndoToSaved(int code)
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(DocText(fx.doc), saved);
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

    FakeAppContext app;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
    MessageBeepHandler oldBeep = nullptr;
};
