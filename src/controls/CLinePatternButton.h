#pragma once
// Drop buttons choosing a line's look: its dash pattern (24 patterns in a
// wide two-column palette) and its shape (straight, rounded, curved, smooth).
#include "controls/CDropPaletteButton.h"

#include <array>

constexpr int kLinePatternCount = 24;
// The palette order of the patterns: similar dashes side by side.
extern const std::array<WORD, kLinePatternCount> kLinePatternOrder;

class CLinePatternButton : public CDropPaletteButton {
    Q_OBJECT
public:
    explicit CLinePatternButton(QWidget* parent = nullptr) : CDropPaletteButton(parent) {}
    bool Create(int ctrlId, QWidget* parent, bool showArrow = true) { return CreateWidePalette(ctrlId, parent, showArrow); }
    void SetPattern(int pattern);
    int GetPattern() const { return m_nPattern; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

    // A horizontal line with the pattern from left to right at y, drawn as a
    // connector of the default record with that pattern draws it (patterns the
    // dash table lacks draw solid, as on a connector).
    static void DrawPatternLine(CDC* dc, int left, int right, int y, int pattern, COLORREF color);

private:
    int m_nPattern = 0;
};

// The property bar's variant: the bar's image as its face.
class CToolLinePatternButton : public CLinePatternButton {
    Q_OBJECT
public:
    explicit CToolLinePatternButton(QWidget* parent = nullptr) : CLinePatternButton(parent) {}
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
};

// Line shapes: 0 straight, 16 rounded, 2 curved, 8 smooth.
class CCurvatureButton : public CDropPaletteButton {
    Q_OBJECT
public:
    explicit CCurvatureButton(QWidget* parent = nullptr) : CDropPaletteButton(parent) {}
    bool Create(int ctrlId, QWidget* parent);
    // The shape bits and the second value the shape clears when chosen.
    void SetCurvature(uint64_t value);
    uint64_t GetCurvature() const { return m_nCurvature; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

protected:
    // The 45 x 20 sample of a line shape centred in the rectangle.
    static void DrawShapeSample(CDC* dc, const CRect& rect, int shape, bool disabled);

private:
    uint64_t m_nCurvature = 0;
};

// The property bar's variant: the face is the sample itself.
class CToolCurvatureButton : public CCurvatureButton {
    Q_OBJECT
public:
    explicit CToolCurvatureButton(QWidget* parent = nullptr) : CCurvatureButton(parent) {}
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
};
