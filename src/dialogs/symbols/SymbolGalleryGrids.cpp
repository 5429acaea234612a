#include "dialogs/symbols/SymbolGalleryGrids.h"

#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "render/FigShapeDraw.h"
#include "render/PreviewSample.h"
#include "shapes/SymbolFiles.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kNameFontHeight = 10;
constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0;
// In device pixels (the grid draws in pixels): the border pen, and the size
// below which a symbol draws its small-size outline.
constexpr int kBorderPen = 2, kSmallSize = 5;
constexpr int kFullScale = 100;

// The area fitted to the symbol's own proportions, then scaled by its
// display percentage, kept centred.
CRect FitToSymbol(const CRect& area, const CFigSymbol& symbol)
{
    CRect out = area;
    if (symbol.FixedAspect && symbol.Width > 0 && symbol.Height > 0) {
        const long long w = area.Width(), h = area.Height();
        if (w * symbol.Height > h * symbol.Width) {
            const int fitW = int(h * symbol.Width / symbol.Height);
            out.left = area.left + (area.Width() - fitW) / 2;
            out.right = out.left + fitW;
        } else {
            const int fitH = int(w * symbol.Height / symbol.Width);
            out.top = area.top + (area.Height() - fitH) / 2;
            out.bottom = out.top + fitH;
        }
    }
    if (symbol.DisplayScale > 0 && symbol.DisplayScale != kFullScale) {
        const CPoint mid = out.CenterPoint();
        const int w = out.Width() * symbol.DisplayScale / kFullScale;
        const int h = out.Height() * symbol.DisplayScale / kFullScale;
        out = CRect(mid.x - w / 2, mid.y - h / 2, mid.x - w / 2 + w, mid.y - h / 2 + h);
    }
    return out;
}
} // namespace

CRect GallerySymbolArea(const CRect& cell)
{
    const int w = cell.Width(), h = cell.Height();
    CRect area(cell.left + w / 8, cell.top + h / 6, cell.right - w / 8, cell.bottom - 2 * h / 6);
    area &= cell;
    return area;
}

void CSymbolGalleryGrid::DrawName(CDC* dc, const CRect& area, const std::string& name)
{
    if (!m_nameFont) {
        LOGFONT lf;
        lf.lfHeight = kNameFontHeight;
        std::strncpy(lf.lfFaceName, "Arial", LF_FACESIZE - 1);
        m_nameFont = std::make_unique<CFont>();
        m_nameFont->CreateFontIndirect(&lf);
    }
    CFont* old = dc->SelectObject(m_nameFont.get());
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    dc->SetTextAlign(TA_CENTER | TA_BASELINE);
    dc->TextOut(area.CenterPoint().x, area.bottom + tm.tmAscent + tm.tmDescent, name);
    dc->SelectObject(old);
}

void CEndSymbolGrid::DrawCell(CDC* dc, int index)
{
    CRect cell;
    const CEndSymbolEntry* entry = m_pFile ? m_pFile->GetAt(index) : nullptr;
    if (!entry || !GetCellRect(index, cell))
        return;
    const CRect area = GallerySymbolArea(cell);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&cell);
    CGraphics graphics(dc);
    DrawEndSymbolOnLine(&graphics, dc, area, true, &entry->symbol, false, true);
    dc->RestoreDC(saved);
    DrawName(dc, area, entry->Name());
}

void CFigureSymbolGrid::DrawCell(CDC* dc, int index)
{
    CRect cell;
    const CFigSymbolEntry* entry = m_pFile ? m_pFile->GetAt(index) : nullptr;
    if (!entry || !GetCellRect(index, cell))
        return;
    const CRect area = GallerySymbolArea(cell);
    const CRect shape = FitToSymbol(area, entry->symbol);
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&cell);
    ShapeDrawAttrs attrs;
    attrs.m_symbol = &entry->symbol;
    attrs.m_lineWidth = kBorderPen;
    attrs.m_minSmallWidth = kSmallSize;
    attrs.m_minSmallHeight = kSmallSize;
    attrs.m_borderColor = kBlack;
    attrs.m_fill.m_nKind = 1;
    attrs.m_fill.m_crColor1 = entry->symbol.Silhouette ? kBlack : kWhite;
    attrs.m_showTextBoxFrames = m_bShowText ? 1 : 0;
    attrs.m_clipRect = &cell;
    DrawFigShape(nullptr, dc, shape, &attrs);
    dc->RestoreDC(saved);
    DrawName(dc, area, entry->Name());
}
