#pragma once
// Picks a colour on a colour drop button as the user does: drops its
// palette and clicks the colour's cell.
#include "controls/CColorDropButton.h"
#include "controls/CPaletteMenuBase.h"
#include "controls/PaletteLayout.h"

#include <QTest>
#include <gtest/gtest.h>

inline void PickColor(CColorDropButton* button, COLORREF color)
{
    ASSERT_NE(button, nullptr);
    const WORD cell = button->FindColor(color);
    ASSERT_NE(cell, CDropPaletteButton::kNone);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(button->Popup() && button->Popup()->isVisible());
    const QPoint at = button->Popup()->ItemRect(kPaletteFirstId + cell).center();
    QTest::mouseMove(button->Popup(), at);
    QTest::mouseClick(button->Popup(), Qt::LeftButton, {}, at);
    ASSERT_EQ(button->GetColor(), color);
}
