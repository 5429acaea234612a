// Owner-drawn face buttons: option checks, radio groups driven by clicks,
// and the bevel look.
#include "CommandRecorder.h"
#include "controls/CFaceButton.h"
#include "controls/CHotFaceButton.h"
#include "platform/CDC.h"
#include "platform/ui/DlgItems.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// Records where the face puts its content and what it may draw on.
class CContentProbe : public CFaceButton {
public:
    using CFaceButton::CFaceButton;
    CRect content, clip;

protected:
    void DrawContent(CDC* dc, const CRect& rect, bool, bool) override
    {
        content = rect;
        dc->GetClipBox(&clip);
    }
};

struct FaceButtonTest : testing::Test {
    QWidget owner;
    CFaceButton* Add(int id, int group, bool releaseByClick, int x)
    {
        auto* b = new CFaceButton(&owner);
        SetDlgCtrlID(b, id);
        b->setText(QString::number(id));
        b->setGeometry(x, 10, 40, 28);
        b->SetOptions(group, releaseByClick, 2, 6, 6, 50, 50, CLR_INVALID, CLR_INVALID, CLR_INVALID);
        return b;
    }
    void Show()
    {
        owner.resize(260, 50);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(10, 10)); }
};

} // namespace

TEST(FaceButtonOptionsTest, OutOfRangeOptionsTakeTheirDefaults)
{
    CFaceButton b;
    b.SetOptions(0, false, 3, 1, 5, 120, -1, CLR_INVALID, CLR_INVALID, CLR_INVALID);
    EXPECT_EQ(b.Bevel(), 2);
    EXPECT_EQ(b.TextAlign(), 6);
    EXPECT_EQ(b.BitmapAlign(), 6);
    EXPECT_EQ(b.TextXPercent(), 50);
    EXPECT_EQ(b.TextYPercent(), 50);
    EXPECT_EQ(b.TransparentColor(), COLORREF(0x00FE01));
    b.SetOptions(0, false, 0, 0, 2, 0, 100, CLR_INVALID, CLR_INVALID, RGB(1, 2, 3));
    EXPECT_EQ(b.Bevel(), 0);
    EXPECT_EQ(b.TextAlign(), 0);
    EXPECT_EQ(b.BitmapAlign(), 2);
    EXPECT_EQ(b.TextXPercent(), 0);
    EXPECT_EQ(b.TextYPercent(), 100);
    EXPECT_EQ(b.TransparentColor(), RGB(1, 2, 3));
}

TEST_F(FaceButtonTest, PressingAGroupMemberReleasesOnlyItsGroup)
{
    CFaceButton* a = Add(101, 3, false, 10);
    CFaceButton* b = Add(102, 3, false, 60);
    CFaceButton* c = Add(103, 4, false, 110);
    CFaceButton* loose = Add(104, 0, false, 160);
    Show();
    Click(c);
    Click(a);
    EXPECT_TRUE(a->IsPressed());
    EXPECT_TRUE(c->IsPressed());
    Click(b);
    EXPECT_TRUE(b->IsPressed());
    EXPECT_FALSE(a->IsPressed());
    EXPECT_TRUE(c->IsPressed());   // another group
    // A pressed member without release-by-click stays down.
    Click(b);
    EXPECT_TRUE(b->IsPressed());
    // A double click counts as a second click: no change for b.
    QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(b->IsPressed());
    // A button of no group toggles.
    Click(loose);
    EXPECT_TRUE(loose->IsPressed());
    SaveShot(&owner, "facebuttons_pressed");
    Click(loose);
    EXPECT_FALSE(loose->IsPressed());

    CFaceButton::ReleaseAllInGroup(3, &owner);
    EXPECT_FALSE(b->IsPressed());
    EXPECT_TRUE(c->IsPressed());
}

TEST_F(FaceButtonTest, ReleaseByClickLetsThePressedMemberUp)
{
    CFaceButton* a = Add(201, 5, true, 10);
    Add(202, 5, true, 60);
    Show();
    Click(a);
    EXPECT_TRUE(a->IsPressed());
    Click(a);
    EXPECT_FALSE(a->IsPressed());
}

TEST_F(FaceButtonTest, BevelLightOnTopLeftWhenRaisedDarkWhenPressed)
{
    CFaceButton* a = Add(301, 0, false, 10);
    CFaceButton* empty = Add(302, 0, false, 60);
    empty->setText(QString());
    auto* hot = new CHotFaceButton(&owner);
    hot->setText("hot");
    hot->setGeometry(110, 10, 40, 28);
    Show();
    QImage raised = a->grab().toImage();
    EXPECT_EQ(raised.pixelColor(1, 10), QColor(255, 255, 255));   // first bevel line
    EXPECT_EQ(raised.pixelColor(0, 10), QColor(0, 0, 0));          // window frame outline
    a->Press();
    QImage pressed = a->grab().toImage();
    EXPECT_EQ(pressed.pixelColor(1, 10), QColor(0, 0, 0));
    // Nothing to show: a pressed-in slot without the outline.
    QImage slot = empty->grab().toImage();
    EXPECT_EQ(slot.pixelColor(0, 10), QColor(192, 192, 192));
    SaveShot(&owner, "facebuttons_bevel");
}

// The content sits in the whole rectangle, clipped inside the bevel and its
// outline; pressed it moves down and right by the bevel depth.
TEST_F(FaceButtonTest, PressedContentMovesByTheBevelDepth)
{
    for (int bevel : {0, 1, 2}) {
        auto* probe = new CContentProbe(&owner);
        probe->setText("x");
        probe->setGeometry(10, 10, 40, 28);
        probe->SetOptions(0, false, bevel, 6, 6, 50, 50, CLR_INVALID, CLR_INVALID, CLR_INVALID);
        probe->grab();
        EXPECT_EQ(probe->content, CRect(0, 0, 40, 28)) << bevel;
        const int inset = bevel > 0 ? bevel + 1 : 0;
        EXPECT_EQ(probe->clip, CRect(inset, inset, 40 - inset, 28 - inset)) << bevel;
        probe->Press();
        probe->grab();
        EXPECT_EQ(probe->content, CRect(bevel, bevel, 40 + bevel, 28 + bevel)) << bevel;
        delete probe;
    }
}
