// A picture given to a figure through the property sheet: the figure's
// outline is traced from it when fitted bounds are on, and undo gives back
// the figure as it was, outline included.
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "render/ArgbBitmaps.h"

#include <QPainter>

#include <gtest/gtest.h>

TEST(SheetPicture, ANewPictureBringsItsOutlineAndUndoTakesBoth)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    auto* fig = new CFigure(0, 0, 64, 64, CFigProps(), -1, 0, "", "", CFigure::CreateArgs(), &doc);
    ASSERT_TRUE(doc.AddFigWithId(fig));
    doc.AddFigToSel(fig, 2, false);
    QImage disc(64, 64, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    {
        QPainter p(&disc);
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(8, 8, 48, 48));
    }
    for (const int nonRect : {1, 0}) {
        SCOPED_TRACE(nonRect);
        NonRectBounds = nonRect;
        doc.ResetUndoLog();
        FigPropValues v;
        v.props = fig->m_props;
        v.props.Graphic = ARGBBitmapToBlock(disc);
        v.props.m_nGraphicType = 9;
        CFigPropMask m;
        m.m_bShape = 1;
        PromptForApplyToGroups = 0;
        doc.ApplyPropsToSelection(0, v, m);
        ASSERT_TRUE(fig->HasPicture());
        EXPECT_EQ(fig->m_outline.HasPoints(), nonRect == 1);
        doc.UndoLastStep();
        EXPECT_FALSE(fig->HasPicture());
        EXPECT_FALSE(fig->m_outline.HasPoints());
    }
    NonRectBounds = 1;
}
