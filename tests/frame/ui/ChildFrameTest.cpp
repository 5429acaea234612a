// The diagram child frame opens maximized only when the marker is set and no
// other child is active; creating its client clears the marker.
#include "frame/ChildFrameState.h"
#include "frame/ui/CKavoFrm.h"

#include <QLabel>
#include <QMdiArea>
#include <QStyle>

#include <gtest/gtest.h>

namespace {
const int kMarker = 0;
}

TEST(ChildFrameTest, MaximizedExactlyWithTheMarkerAndNoActiveChild)
{
    QMdiArea area;
    area.show();
    SetMaximizeMarker(&kMarker);
    auto* first = new CKavoFrm;
    ASSERT_TRUE(first->PreCreateWindow(&area));
    EXPECT_TRUE(first->OpensMaximized());
    ASSERT_TRUE(first->OnCreateClient(new QLabel("view")));
    EXPECT_EQ(GetMaximizeMarker(), nullptr);   // cleared by the client
    area.addSubWindow(first);
    first->ShowAsCreated();
    area.setActiveSubWindow(first);
    EXPECT_TRUE(first->isMaximized());

    // With the marker set again but a child active: normal.
    SetMaximizeMarker(&kMarker);
    CKavoFrm second;
    ASSERT_NE(area.activeSubWindow(), nullptr);
    second.PreCreateWindow(&area);
    EXPECT_FALSE(second.OpensMaximized());

    // Without the marker: normal.
    SetMaximizeMarker(nullptr);
    CKavoFrm third;
    third.PreCreateWindow(nullptr);
    EXPECT_FALSE(third.OpensMaximized());
}

TEST(ChildFrameTest, NewFramesCascadeInsideTheArea)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    const QSize room = area.viewport()->size();
    QMdiSubWindow* previous = nullptr;
    std::vector<QPoint> places;
    for (int i = 0; i < 12; ++i) {
        auto* frame = new CKavoFrm;
        frame->OnCreateClient(new QLabel("view"));
        area.addSubWindow(frame);
        frame->resize(room.width() * 3 / 4, room.height() * 3 / 4);
        frame->PlaceInArea(&area, previous);
        frame->ShowAsCreated();
        EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(frame->geometry())) << i;
        places.push_back(frame->pos());
        previous = frame;
    }
    EXPECT_EQ(places[0], QPoint(0, 0));
    EXPECT_GT(places[1].x(), 0);
    EXPECT_EQ(places[1].x(), places[1].y());
    // A frame that would leave the area starts again at its corner.
    EXPECT_NE(std::find(places.begin() + 1, places.end(), QPoint(0, 0)), places.end());
    // One larger than the area is made to fit.
    auto* big = new CKavoFrm;
    big->OnCreateClient(new QLabel("view"));
    area.addSubWindow(big);
    big->resize(2000, 1500);
    big->PlaceInArea(&area, previous);
    EXPECT_TRUE(QRect(QPoint(0, 0), room).contains(big->geometry()));
}

// Cascade: each window one step further until a third of the area's height
// is used, then back at the corner; all of one size inside the area; a
// minimized window stays where it is.
TEST(ChildFrameTest, CascadeWrapsAtTheCornerAndLeavesMinimizedWindows)
{
    QMdiArea area;
    area.resize(600, 400);
    area.show();
    const QRect room(QPoint(0, 0), area.viewport()->size());
    std::vector<CKavoFrm*> frames;
    for (int i = 0; i < 12; ++i) {
        auto* frame = new CKavoFrm;
        frame->OnCreateClient(new QLabel("view"));
        area.addSubWindow(frame);
        frame->resize(100, 80);
        frame->show();
        frames.push_back(frame);
    }
    frames[3]->showMinimized();
    const QRect minimized = frames[3]->geometry();
    area.setActiveSubWindow(frames.back());

    CascadeChildFrames(area);

    std::vector<QPoint> places;
    for (CKavoFrm* frame : frames) {
        if (frame == frames[3])
            continue;
        EXPECT_TRUE(room.contains(frame->geometry()));
        EXPECT_EQ(frame->size(), frames[0]->size());
        places.push_back(frame->pos());
    }
    EXPECT_TRUE(frames[3]->isMinimized());
    EXPECT_EQ(frames[3]->geometry(), minimized);
    EXPECT_GE(frames[0]->width(), room.width() * 2 / 3);
    EXPECT_GE(frames[0]->height(), room.height() * 2 / 3);
    EXPECT_EQ(places[0], QPoint(0, 0));
    EXPECT_EQ(places[1].x(), places[1].y());
    EXPECT_GT(places[1].x(), 0);
    EXPECT_NE(std::find(places.begin() + 1, places.end(), QPoint(0, 0)), places.end());
    EXPECT_EQ(area.activeSubWindow(), frames.back());
}

// A new frame that just fits at its cascade place stays there.
TEST(ChildFrameTest, AFrameThatJustFitsKeepsItsCascadePlace)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    const QSize room = area.viewport()->size();
    auto* first = new CKavoFrm;
    first->OnCreateClient(new QLabel("view"));
    area.addSubWindow(first);
    first->resize(300, 200);
    first->PlaceInArea(&area, nullptr);
    first->ShowAsCreated();
    ASSERT_EQ(first->pos(), QPoint(0, 0));
    auto* second = new CKavoFrm;
    second->OnCreateClient(new QLabel("view"));
    area.addSubWindow(second);
    const int step = second->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, second);
    second->resize(room.width() - step, room.height() - step);
    second->PlaceInArea(&area, first);
    EXPECT_EQ(second->pos(), QPoint(step, step));
    EXPECT_EQ(second->geometry().bottomRight(), QPoint(room.width() - 1, room.height() - 1));
}
