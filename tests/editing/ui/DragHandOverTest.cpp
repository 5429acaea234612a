// A move drag carried from one view of a diagram into another goes on there
// from the same press point and ends as one undo step.
#include "ViewEventDriver.h"

#include "undo/UndoCodes.h"

#include <QCursor>

namespace {
struct DragHandOverTest : ViewEventDriver {
    void AddObjects() override { a = fx.AddBox(600, 600, 600, 450, "A"); }
    void SetUp() override
    {
        ViewEventDriver::SetUp();
        view->move(0, 0);
        second = std::make_unique<CKavoView>(&fx.doc);
        second->show();
        second->move(view->frameGeometry().right() + 100, 0);
        FitView(*second);
        Save();
    }
    void TearDown() override
    {
        second.reset();
        ViewEventDriver::TearDown();
    }
    std::unique_ptr<CKavoView> second;
    CFigure* a = nullptr;
};
} // namespace

TEST_F(DragHandOverTest, ADragIntoAnotherViewOfTheDiagramGoesOnThere)
{
    const CRect r0 = a->m_rect;
    const QPoint from = Centre(a);
    const CPoint pressed = view->ClientPtToLogical(CPoint(from.x(), from.y()));
    Press(from);
    Move(from + QPoint(20, 10));
    ASSERT_TRUE(view->IsMoveDragging());

    // The pointer reaches the other view's client area.
    const QPoint there(150, 200);
    const QPoint global = second->viewport()->mapToGlobal(there);
    QCursor::setPos(global);
    Move(view->viewport()->mapFromGlobal(global));
    EXPECT_FALSE(view->IsMoveDragging());
    ASSERT_TRUE(second->IsMoveDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), second->viewport());

    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(there), QPointF(global), Qt::LeftButton, Qt::NoButton,
                   Qt::NoModifier);
    QApplication::sendEvent(second->viewport(), &up);
    EXPECT_FALSE(second->IsMoveDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    const CPoint dropped = second->ClientPtToLogical(CPoint(there.x(), there.y()));
    EXPECT_EQ(a->m_rect.left - r0.left, dropped.x - pressed.x);
    EXPECT_EQ(a->m_rect.top - r0.top, dropped.y - pressed.y);
    // The drag that started on an unselected figure leaves it unselected.
    EXPECT_FALSE(a->m_bSelected);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A drag that stays in its view, or reaches a view of another diagram, is
// not handed over.
TEST_F(DragHandOverTest, OnlyAViewOfTheSameDiagramTakesTheDrag)
{
    DiagramFixture other;
    CKavoView foreign(&other.doc);
    foreign.show();
    foreign.move(0, view->frameGeometry().bottom() + 100);
    FitView(foreign);
    const QPoint from = Centre(a);
    Press(from);
    const QPoint global = foreign.viewport()->mapToGlobal(QPoint(100, 100));
    QCursor::setPos(global);
    Move(view->viewport()->mapFromGlobal(global));
    EXPECT_TRUE(view->IsMoveDragging());
    EXPECT_FALSE(foreign.IsMoveDragging());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsMoveDragging());
    EXPECT_EQ(DocText(fx.doc), saved);
}
