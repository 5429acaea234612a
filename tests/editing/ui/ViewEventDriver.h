#pragma once
// A real view offscreen on a fixture diagram, driven by Qt's own mouse and
// key events; the saved text of the diagram and the undo steps recorded
// since are at hand for the checks.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"

#include <gtest/gtest.h>

struct ViewEventDriver : testing::Test, ViewEvents {
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
        FitView(*view);
    }
    // The fixture's objects, added before the view first lays out.
    virtual void AddObjects() {}
    void TearDown() override
    {
        SaveViewShot(*view);
        view.reset();
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
    }

    FakeAppContext app;
};
