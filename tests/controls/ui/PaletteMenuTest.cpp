// The end-symbol grid menu: its layout, the command a chosen cell gives, and
// which end symbols a connector is offered in a UML diagram.
#include "CommandRecorder.h"
#include "common/DiagramFixture.h"
#include "controls/CPaletteMenu.h"
#include "core/AppGlobals.h"
#include "document/CConnector.h"
#include "shapes/CConStyle.h"
#include "shapes/CShapeDef.h"
#include "shapes/ShapeLibrary.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
std::vector<UINT> EndIds(int count)
{
    std::vector<UINT> ids;
    for (int i = 0; i < count; ++i)
        ids.push_back(kEndSymbolFirstCmd + UINT(i));
    return ids;
}
} // namespace

TEST(PaletteMenuTest, SevenSymbolsInFourColumnsAndAtMostAHundred)
{
    DiagramFixture fx;
    CPaletteMenu menu(&fx.doc.m_endSymbols);
    ASSERT_TRUE(menu.CreateGrid(EndIds(7)));
    EXPECT_EQ(menu.Grid().columns, 4);
    EXPECT_EQ(menu.Grid().rows, 2);
    EXPECT_EQ(menu.CellWidth(), 28);
    EXPECT_EQ(menu.CellHeight(), 22);
    EXPECT_EQ(menu.IdAt(0), 38301u);
    EXPECT_EQ(menu.IdAt(7), 0xFFFFu);
    EXPECT_EQ(menu.IndexOf(38303), 2);
    EXPECT_FALSE(menu.HasId(38308));
    CPaletteMenu big(&fx.doc.m_endSymbols);
    ASSERT_TRUE(big.CreateGrid(EndIds(130)));
    EXPECT_EQ(big.IdAt(99), 38400u);
    EXPECT_EQ(big.IdAt(100), 0xFFFFu);
}

TEST(PaletteMenuTest, ChoosingTheFirstCellGivesItsCommand)
{
    DiagramFixture fx;
    const int count = std::min(fx.doc.m_endSymbols.GetCount(), 12);
    ASSERT_GT(count, 0);
    CPaletteMenu menu(&fx.doc.m_endSymbols);
    ASSERT_TRUE(menu.CreateGrid(EndIds(count)));
    menu.SetCurrentId(38302);
    QTimer::singleShot(0, &menu, [&] {
        const QPoint at = menu.ItemRect(38301).center();
        QTest::mouseMove(&menu, menu.ItemRect(38304).center());
        SaveShot(&menu, "endsymbol_menu");
        QTest::mouseClick(&menu, Qt::LeftButton, {}, at);
    });
    EXPECT_EQ(menu.Exec(QPoint(20, 20)), 38301u);
    // Dismissed: no command.
    QTimer::singleShot(0, &menu, [&] { QTest::keyClick(&menu, Qt::Key_Escape); });
    EXPECT_EQ(menu.Exec(QPoint(20, 20)), 0u);
}

TEST(PaletteMenuTest, UmlDiagramsOfferTheirOwnSymbols)
{
    DiagramFixture fx;
    ShapeLibrary& symbols = fx.doc.m_endSymbols;
    const int builtIn = g_nBuiltinLineEnds;
    ASSERT_EQ(symbols.GetCount(), builtIn);
    CShapeDef own;
    own.SetName("Extra");
    symbols.AddOrReplace(&own);
    std::vector<UINT> ids;
    g_bUmlFilesPresent = true;
    fx.doc.SetTitle("Plain");
    EXPECT_EQ(ListEndSymbolCmds(fx.doc, nullptr, ids), builtIn + 1);
    EXPECT_EQ(ids.front(), 38301u);
    fx.doc.SetTitle("uml classes");
    ListEndSymbolCmds(fx.doc, nullptr, ids);
    const int nullIndex = symbols.FindByName("null");
    std::vector<UINT> expected;
    if (nullIndex >= 0 && nullIndex < builtIn)
        expected.push_back(kEndSymbolFirstCmd + UINT(nullIndex));
    expected.push_back(kEndSymbolFirstCmd + UINT(builtIn));
    EXPECT_EQ(ids, expected);
    g_bUmlFilesPresent = false;
    EXPECT_EQ(ListEndSymbolCmds(fx.doc, nullptr, ids), builtIn + 1);
}

// In a UML diagram a connector of an association style is offered the UML
// arrow family, an anchor connector the anchor point, any other connector
// every symbol of the diagram's own; "null" goes with all of them.
TEST(PaletteMenuTest, UmlConnectorsAreOfferedTheirFamilyOfSymbols)
{
    DiagramFixture fx;
    ShapeLibrary& symbols = fx.doc.m_endSymbols;
    const int builtIn = g_nBuiltinLineEnds;
    const char* names[] = {"Arrow UMLOpen", "Aggregation", "Anchor Point", "Extra"};
    std::vector<UINT> own;
    for (const char* name : names) {
        CShapeDef shape;
        shape.SetName(name);
        own.push_back(kEndSymbolFirstCmd + UINT(symbols.AddOrReplace(&shape)));
    }
    ASSERT_EQ(own.back(), kEndSymbolFirstCmd + UINT(builtIn + 3));
    const int nullIndex = symbols.FindByName("null");
    std::vector<UINT> nullId;
    if (nullIndex >= 0 && nullIndex < builtIn)
        nullId.push_back(kEndSymbolFirstCmd + UINT(nullIndex));
    auto with = [&](std::vector<UINT> ids) {
        ids.insert(ids.begin(), nullId.begin(), nullId.end());
        return ids;
    };
    const struct {
        const char* style;
        std::vector<UINT> offered;
    } cases[] = {
        {"Association", with({own[0], own[1]})},
        {"Composition", with({own[0], own[1]})},
        {"Anchor", with({own[2]})},
        {"Plain Line", with(own)},
    };
    g_bUmlFilesPresent = true;
    fx.doc.SetTitle("UML model");
    for (const auto& c : cases) {
        CConStyle* style = fx.doc.m_conStyles.NewEntry();
        style->SetName(c.style);
        CConnector con(&fx.doc);
        con.m_nStyle = fx.doc.m_conStyles.GetCount() - 1;
        std::vector<UINT> ids;
        EXPECT_EQ(ListEndSymbolCmds(fx.doc, &con, ids), int(c.offered.size())) << c.style;
        EXPECT_EQ(ids, c.offered) << c.style;
    }
    g_bUmlFilesPresent = false;
}
