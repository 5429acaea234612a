// The diagram child frame opens maximized only when the marker is set and no
// other child is active; creating its client clears the marker.
#include "frame/ChildFrameState.h"
#include "frame/ui/CKavoFrm.h"

#include <QLabel>
#include <QMdiArea>

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
