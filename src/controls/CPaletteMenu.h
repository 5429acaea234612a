#pragma once
// The end symbols of a diagram as a grid menu of pictures: a stand-alone
// palette with arbitrary command ids (38301 + library index for the end
// symbols), so that the chosen symbol comes back as an ordinary command.
#include "controls/CPaletteMenuBase.h"
#include "document/EndSymbolCmds.h"

#include <vector>

class CConnector;
class CKavoDoc;
class ShapeLibrary;

constexpr int kMaxPaletteMenuIds = 100;

class CPaletteMenu : public CPaletteMenuBase {
    Q_OBJECT
public:
    explicit CPaletteMenu(const ShapeLibrary* endSymbols, QWidget* parent = nullptr);

    // Keeps the first 100 ids.
    bool BuildMenu(std::vector<UINT> ids, int cellHeight, int cellWidth, int borderY, int borderX, int side,
                   int columns, int separatorRow, WORD moreId);
    // Cells of 14 x 20 with borders 4, automatic columns, nothing more.
    bool CreateGrid(const std::vector<UINT>& ids);
    int IndexOf(UINT id) const;
    // 0xFFFF outside the list.
    UINT IdAt(int index) const;
    bool HasId(UINT id) const { return IndexOf(id) >= 0; }

protected:
    void DrawCell(CDC* dc, const CRect& rect, UINT id, bool isCurrent, bool highlighted) override;

private:
    const ShapeLibrary* m_pSymbols;
    std::vector<UINT> m_ids;
};

