// Style-bar buttons: an empty slot ignores the mouse, a style's button
// presses as a member of its row's group and shows the style's sample.
#include "CommandRecorder.h"
#include "common/DiagramFixture.h"
#include "controls/CStyleBarButton.h"
#include "platform/ui/DlgItems.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(StyleBarButtonTest, EmptySlotsIgnoreClicksStyleButtonsActAsARadioGroup)
{
    DiagramFixture fx;
    QWidget row;
    row.resize(200, 40);
    auto* empty = new CConStyleBarButton(&row);
    auto* first = new CConStyleBarButton(&row);
    auto* second = new CConStyleBarButton(&row);
    SetDlgCtrlID(empty, 4000);
    SetDlgCtrlID(first, 4001);
    SetDlgCtrlID(second, 4002);
    empty->setGeometry(0, 0, 60, 36);
    first->setGeometry(62, 0, 60, 36);
    second->setGeometry(124, 0, 60, 36);
    const bool twoStyles = fx.doc.m_conStyles.GetCount() >= 2;
    empty->Setup(-1, 7, &fx.doc);
    first->Setup(twoStyles ? 0 : 99, 7, &fx.doc);   // 99: not in the library, draws nothing
    second->Setup(twoStyles ? 1 : 98, 7, &fx.doc);
    row.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&row));
    QTest::mouseClick(empty, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(empty->IsPressed());
    QTest::mouseClick(first, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(first->IsPressed());
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(second->IsPressed());
    EXPECT_FALSE(first->IsPressed());
    SaveShot(&row, "stylebar_buttons");
}
