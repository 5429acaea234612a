#include "controls/CEndSymbolButton.h"

#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "render/PreviewSample.h"
#include "shapes/CShapeDef.h"
#include "shapes/ShapeLibrary.h"

namespace {
CEndSymbolButton::Gallery g_gallery = nullptr;
}

void CEndSymbolButton::SetGallery(Gallery gallery)
{
    g_gallery = gallery;
}

bool CEndSymbolButton::Create(int ctrlId, QWidget* parent, ShapeLibrary* symbols, int builtInCount, bool atRight)
{
    m_pSymbols = symbols;
    m_bAtRight = atRight;
    return CreatePalette(ctrlId, parent, 14, 20, 4, 4, 0, 5, builtInCount / 5, true, false, true, false,
                         kAlignCenter, false);
}

void CEndSymbolButton::SetSymbol(int index)
{
    if (index == m_nSymbol)
        return;
    m_nSymbol = index;
    update();
}

bool CEndSymbolButton::FillValues(CPaletteItemList& list)
{
    FillRange(list, m_pSymbols ? m_pSymbols->GetCount() : 0, 0);
    return true;
}

void CEndSymbolButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    if (!m_pSymbols || value == kNone)
        return;
    CRect line = rect;
    line.InflateRect(1, 0);
    DrawEndSymbolOnLine(nullptr, dc, line, true, m_pSymbols->GetAt(value), true, false);
}

void CEndSymbolButton::DrawFace(CDC* dc, const CRect& rect, bool, bool)
{
    if (!m_pSymbols)
        return;
    CRect line = rect;
    line.DeflateRect(6, 2);
    line.right -= m_bAtRight ? 8 : 0;   // room for the drop arrow
    DrawEndSymbolOnLine(nullptr, dc, line, m_bAtRight, m_pSymbols->GetAt(m_nSymbol), true, false);
}

void CEndSymbolButton::BeforeDrop()
{
    // The library may have grown since the palette was built.
    if (m_pSymbols && m_pSymbols->GetCount() != ItemList().Count()) {
        ItemList().Clear();
        FillValues(ItemList());
        BuildPopup();
    }
    SetCurrentValue(HasValue(WORD(m_nSymbol)) ? WORD(m_nSymbol) : kNone);
    CDropPaletteButton::BeforeDrop();
}

void CEndSymbolButton::Select(WORD value)
{
    if (IsMoreEntryId(value)) {
        const CShapeDef* current = m_pSymbols ? m_pSymbols->GetAt(m_nSymbol) : nullptr;
        std::string chosen;
        if (!g_gallery || !m_pSymbols || !g_gallery(this, current ? current->m_strName : std::string(), &chosen))
            return;
        const int index = m_pSymbols->FindByName(chosen);
        if (index < 0)
            return;
        value = WORD(index);
    }
    m_nSymbol = value;
    CDropPaletteButton::Select(value);
}
