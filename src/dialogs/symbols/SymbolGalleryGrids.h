#pragma once
// The scrolling grids of the symbol galleries: each cell draws one symbol of
// the chosen library file with its name under it.
#include "controls/CScrollGridWnd.h"
#include "platform/CRect.h"
#include "platform/GdiObjects.h"

#include <memory>
#include <string>

class FigureSymbolFile;
class EndSymbolFile;

// The part of a cell a symbol is drawn into: an eighth of the width off the
// left and right, a sixth of the height off the top and two sixths off the
// bottom, where the name goes.
CRect GallerySymbolArea(const CRect& cell);

class CSymbolGalleryGrid : public CScrollGridWnd {
    Q_OBJECT
public:
    using CScrollGridWnd::CScrollGridWnd;

protected:
    // The name centred under the drawing area in a 10-pixel font.
    void DrawName(CDC* dc, const CRect& area, const std::string& name);

private:
    // Made once: every cell's name uses it.
    std::unique_ptr<CFont> m_nameFont;
};

class CEndSymbolGrid : public CSymbolGalleryGrid {
    Q_OBJECT
public:
    using CSymbolGalleryGrid::CSymbolGalleryGrid;
    void SetFile(const EndSymbolFile* file) { m_pFile = file; }

protected:
    void DrawCell(CDC* dc, int index) override;

private:
    const EndSymbolFile* m_pFile = nullptr;
};

class CFigureSymbolGrid : public CSymbolGalleryGrid {
    Q_OBJECT
public:
    using CSymbolGalleryGrid::CSymbolGalleryGrid;
    void SetFile(const FigureSymbolFile* file) { m_pFile = file; }
    void SetShowTextAreas(bool show) { m_bShowText = show; }

protected:
    void DrawCell(CDC* dc, int index) override;

private:
    const FigureSymbolFile* m_pFile = nullptr;
    bool m_bShowText = false;
};
