// Style buttons dragged with the mouse while the Customize sheet is open:
// within a row of the style bar (the style moves to where it is dropped)
// and off every bar (the style leaves the row), each keeping the row's
// layout as it was for Reset to Default.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/CStyleBarSlotButton.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct CustomizeStyleBarDragTest : testing::Test {
    CTempProfile profile;
    SavedBarSettings saved;
    DiagramFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;
    CKavoStyleBar* bar = nullptr;

    void SetUp() override
    {
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        AutoStyleButtons = ShowStyleBarCombos = 1;
        for (int i = 1; i <= 5; ++i) {
            CFigProps props;
            props.Symbol = fx.boxSymbol;
            props.BorderWidth = i;
            fx.doc.m_figStyles.AddFigStyle(&props, "Shape" + std::to_string(i), 1, 1, 0, "", "", 100, 50, "", "",
                                           nullptr, 0, "");
        }
        fx.doc.ResetStyleLayouts();
        fx.doc.InitStyleMenus();
        fx.doc.SetModifiedFlag(false);
        frame = std::make_unique<CMainFrame>();
        frame->move(0, 0);
        frame->resize(1280, 700);
        frame->show();
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "test");
        QApplication::processEvents();
        bar = frame->StyleBar();
        frame->Commands().Execute(ID_CUSTOMIZE);
        ASSERT_NE(g_pCustomizeSheet, nullptr);
        g_pCustomizeSheet->move(1400, 0);   // no bar under it
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (g_pCustomizeSheet)
            g_pCustomizeSheet->reject();
        QApplication::processEvents();
    }
    CStyleBarSlotButton* Fig(int i) const { return bar->Row(kFigureRow).Button(i); }
    std::vector<int> FigLayout() const
    {
        const CStyleMenuLayout& l = fx.doc.m_figButtons;
        return {l.m_index, l.m_index + l.m_nCount};
    }
    // Presses on the button, moves to the point of `to` and lets go there.
    void Drag(QWidget* from, QWidget* to, QPoint at)
    {
        QApplication::processEvents();
        QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
        QTest::mouseMove(to, at);
        QTest::mouseMove(to, at + QPoint(1, 0));
        QTest::mouseRelease(to, Qt::LeftButton, {}, at + QPoint(1, 0));
        QApplication::processEvents();
    }
};

} // namespace

TEST_F(CustomizeStyleBarDragTest, AStyleMovesWithinItsRowAndLeavesItOffTheBars)
{
    ASSERT_NE(bar, nullptr);
    ASSERT_GE(bar->Row(kFigureRow).ButtonsCreated(), 4);
    const std::vector<int> before = FigLayout();
    ASSERT_GE(before.size(), 4u);
    // Onto the right half of the third button: after it.
    CStyleBarSlotButton* third = Fig(2);
    Drag(Fig(0), third, QPoint(third->width() * 3 / 4, third->height() / 2));
    std::vector<int> moved = before;
    moved.erase(moved.begin());
    moved.insert(moved.begin() + 2, before[0]);
    EXPECT_EQ(FigLayout(), moved);
    EXPECT_TRUE(fx.doc.IsModified());
    EXPECT_EQ(Fig(2)->StyleIndex(), before[0]);
    // The layout before the first change is what Reset goes back to.
    EXPECT_EQ(fx.doc.m_figButtonsRestore.m_nCount, int(before.size()));
    EXPECT_EQ(fx.doc.m_figButtonsRestore.m_index[0], before[0]);
    SaveShot("CustomizeStyleMovedInRow", bar);
    // Off every bar: the style leaves the row.
    const int gone = Fig(0)->StyleIndex();
    Drag(Fig(0), view, view->rect().center());
    EXPECT_EQ(fx.doc.m_figButtons.FindIndex(gone), -1);
    EXPECT_EQ(FigLayout().size(), before.size() - 1);
    EXPECT_NE(Fig(0)->StyleIndex(), gone);
    SaveShot("CustomizeStyleDroppedOff", bar);
}
