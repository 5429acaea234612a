// The "..." entry of an end-symbol palette in the running program: it opens
// the end-symbol gallery, and the symbol chosen there becomes the button's.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CEndSymbolButton.h"
#include "controls/PaletteLayout.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "dialogs/ui/ModalDriver.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"
#include "shapes/CShapeDef.h"

#include <QAbstractButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>

TEST(EndSymbolMoreEntryTest, TheDotsEntryTakesTheSymbolChosenInTheGallery)
{
    CTempProfile profile;
    DiagramFixture fx;
    CMainFrame frame;   // the frame hands the palettes the gallery
    QWidget host;
    CEndSymbolButton button;
    ASSERT_TRUE(button.Create(2000, &host, &fx.doc.m_endSymbols, g_nBuiltinLineEnds, false));
    button.SetSymbol(0);
    std::string picked;
    bool shown = false;
    WhenModalShows<CEndSymbolGalleryDlg>([&](CEndSymbolGalleryDlg& dlg) {
        shown = true;
        CRect cell;
        ASSERT_TRUE(dlg.Grid()->GetCellRect(3, cell));
        QTest::mouseClick(dlg.Grid()->viewport(), Qt::LeftButton, {}, QPoint(cell.CenterPoint().x, cell.CenterPoint().y));
        ASSERT_NE(dlg.GetSelected(), nullptr);
        picked = dlg.GetSelected()->m_strName;
        QTest::mouseClick(static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK)), Qt::LeftButton);
    });
    button.OnMenuCommand(kMoreId);
    ASSERT_TRUE(shown);
    ASSERT_FALSE(picked.empty());
    EXPECT_EQ(button.GetSymbol(), fx.doc.m_endSymbols.FindByName(picked));
    EXPECT_NE(button.GetSymbol(), 0);
    // Cancel keeps the symbol.
    const int kept = button.GetSymbol();
    WhenModalShows<CEndSymbolGalleryDlg>([](CEndSymbolGalleryDlg& dlg) { dlg.reject(); });
    button.OnMenuCommand(kMoreId);
    EXPECT_EQ(button.GetSymbol(), kept);
}
