#pragma once
// A figure symbol: the vector shape a figure draws. Its drawing is an outline
// program (see OutlineProgram.h) of up to three sub-programs (fill, outline,
// small-size outline) in its own 16384-byte area, followed by up to 32 text
// boxes; positions are byte offsets into that area (-1 absent), so a copy
// needs no rebasing. Coordinates are in the 2048 × 2048 symbol space.
#include "shapes/CConPtList.h"
#include "geometry/CHotZone.h"
#include "shapes/OutlineProgram.h"
#include "shapes/StockNameKind.h"

#include <array>
#include <string>

struct SpecialOutlineParts;

class CFigSymbol : public StockNameKind {
public:
    static constexpr int kProgramSize = kFigSymbolProgramSize;
    static constexpr int kMaxFrames = 32;

    int32_t m_nUseFlag = 0;
    std::string m_strName;
    int32_t m_nFillPos = -1;
    int32_t m_nOutlinePos = -1;
    int32_t m_nMiniOutlinePos = -1;
    int32_t m_nTextBoxPos = -1;
    int32_t m_nTextBoxes = 0;
    // Framed text boxes ("FramedTextBox") when m_nFrames is not 0.
    CFltRect m_frames[kMaxFrames];
    int32_t m_nFrames = 0;
    int32_t m_frameValues[kMaxFrames] = {};
    CHotZone m_hotZone;
    int32_t FixedAspect = 0;
    int32_t m_nProgramLength = 0;
    int32_t Reshape = 0;        // special-shape kind, 0 for an ordinary symbol
    int32_t InternalIcon = 0;   // kept in the library even when unused
    int32_t Silhouette = 0;
    int32_t DisplayScale = 100;
    int32_t OversizeText = 0;   // text box 0 covers the whole figure
    int32_t XRenderHot = 0;
    int32_t DisplayThick = 1;
    int32_t Height = 0;
    int32_t Width = 0;
    std::array<BYTE, kProgramSize> m_program{};
    CConPtList m_conPts;

    CFigSymbol() = default;
    CFigSymbol(const CFigSymbol& other) : StockNameKind() { CopyFrom(other); }
    CFigSymbol& operator=(const CFigSymbol& other) { CopyFrom(other); return *this; }

    void Clear();
    // Every field, the program bytes up to the program length.
    void CopyFrom(const CFigSymbol& other);
    // Renaming forgets the cached stock kind, which follows from the name.
    void SetName(const std::string& name);

    // Replaces the program as a whole after checking it; false (the symbol
    // unchanged) for a malformed program. Loaders store programs only this way.
    bool SetProgram(const BYTE* bytes, int length, int32_t fillPos, int32_t outlinePos,
                    int32_t miniPos, int32_t textBoxPos, int32_t textBoxCount);
    // Whether the program as it stands may be walked. Every walker asks first.
    bool IsProgramValid() const;

    // Same geometry and display fields; the name is not compared.
    int IsSameShape(const CFigSymbol& other) const;
    void ComputeReshapeKind();
    void SetOversizeForDiamonds();
    int IsBracketedName() const { return !m_strName.empty() && m_strName[0] == '['; }
    void DropMiniOutline();

    int OutlineIsPolygonal() const;
    int OutlineSameAsFill() const;
    int HotZoneIsOutline(int skip) const;
    int HasHotZone() const { return m_hotZone.HasPoints() ? 1 : 0; }
    // The hot-zone points mapped into the rectangle; 0 without a hot zone.
    int GetHotZoneInRect(const RECT& rect, std::vector<CFltPoint>& points) const;

    // Maps the program into the rectangle in the program-wide work copy and
    // returns it; the sub-program and text-box positions are returned as
    // pointers into the work copy (null when absent). Null for an invalid
    // program. See CFigSymbolOutline.cpp.
    BYTE* PrepareOutline(const RECT& rect, BYTE*& fill, BYTE*& outline, BYTE*& mini,
                         BYTE*& textBoxes, int oversize, double angle) const;
    int GetTextBoxRect(int n, const RECT& rect, CRect& out, int oversize) const;
    int GetFrameRect(int n, const RECT& rect, CRect& out) const;

    // Special shapes (kind in Reshape): dividers, sections and layout. See
    // SpecialKinds.h and CFigSymbolSpecial*.cpp.
    int GetDividerCount() const;
    int HasCompartments() const;
    int HasCompartmentText() const;
    // 0 while the Alt key is held down or compartment layout is switched off.
    int UsesSpecialLayout() const;
    int GetDividerDirection(int index) const;
    // The resize handle (1..9) a divider keeps its offset from when the
    // shape is stretched; 0 when it has none of its own. The rounding
    // handle of the rounded kinds belongs to the top-left corner.
    int GetDividerAnchor(int index) const;
    int DividerChangesOutline(int index) const;
    int IsDividerClamped(int index) const;
    int GetSectionResizeRule(int section) const;
    // The divider whose move grows the section by shift (which is adjusted
    // to what the kind allows), or -1; rescaled tells whether the shift was
    // rescaled to the divider's distance from the centre.
    int GetDividerForSection(int section, POINT& shift, const RECT& rect, int& rescaled) const;
    int CanGrowTextBox(int box, const RECT& rect, int horizontal) const;
    void MaskTextMargins(int box, int& left, int& right, int& top, int& bottom) const;
    // The second text-box table is the framed text-box table.
    int HasSecondTextBoxTable() const { return m_nFrames >= 1 ? 1 : 0; }
    int KeepsAnchoring() const;
    // Prepares the outline for rect and reads the kind's template parts out
    // of it; boxes points at the prepared text boxes. 0 without an outline or
    // when it does not follow the template.
    int ParseSpecialParts(const RECT& rect, SpecialOutlineParts& parts, const BYTE*& boxes) const;
    int GetDividerHandle(int index, CPoint& pt, const RECT& rect) const;
    // Keeps a proposed handle position of a divider where the shape stays
    // drawable and each section keeps its minimum size (at least 32 × 16).
    int LimitDividerPoint(int index, const RECT& rect, CPoint& pt, int minCount, const SIZE* mins,
                          int skipSection) const;

    // Rewrites the symbol so that handle `handle` comes to `point` in the
    // figure rectangle: 1 when done or nothing had to change; 0 when the
    // handle has no position, the rectangle is empty or the symbol lacks the
    // layout of its kind (records before the mismatch stay rewritten). With
    // bRawPoints the points are moved without their anchoring.
    int MoveSpecialHandle(int handle, const RECT& rect, const POINT& point, int bRawPoints);

    // Stretching one compartment (CFigSymbolStretch.cpp): the band of text
    // box `box` in which a size change is taken up, in symbol units; 0 when
    // the kind refuses it for the new size.
    int GetStretchRegion(int box, const SIZE& newSize, CFltRect& region) const;
    CFltRect GetStretchRegionRect(int box, const SIZE& newSize) const;
    // Re-anchors every coordinate of the symbol from the old figure size to
    // the new one so that only the box's stretch region changes size.
    int ResizeTextBoxRegion(int box, const SIZE& oldSize, const SIZE& newSize);
    // Load-time repair: the hot zone and the second program follow the
    // outline's points. 1 when done or not needed, 0 when the counts differ.
    int SyncSpecialOutlines();
    // Where the figure drawing puts an embedded sub-symbol; 0 when the kind
    // shows an icon glyph there or its outline cannot be located.
    int GetSubSymbolRect(const RECT& figRect, const SIZE& size, int margin, CRect& out, int leastMargin,
                         int leastSize) const;
    int HasOrdinaryOutline() const;
    // Kinds 124 and 138..140: the name tab encloses text box 0 again.
    void ReshapeNameTab();

    // Compartment regions and text-box fitting (CFigSymbolRegions.cpp), in
    // figure units of the rectangle. The side flags of a box (bit 0 left,
    // 1 top, 2 right, 3 bottom fixed: no margin) are its frame value.
    int GetCompartmentRegion(int box, const RECT& rect, CFltRect& region) const;
    int GetTextBoxMargins(int box, const RECT& rect, int& left, int& right, int& top, int& bottom) const;
    int FitTextBoxToMargins(int box, const RECT& rect, int left, int right, int top, int bottom);
    int GetTextBoxSideFlags(int box) const;

    // For rounded kinds, the least figure size that keeps the corner rounding
    // (handle 0's offsets × 9 / 4); 0, 0 for others.
    void GetLeastCornerSize(const RECT& rect, SIZE& size) const;
    int HasMiddleRows() const;

    // Hooks for the kind of a symbol name and whether a symbol has divider
    // handle 0 on a 100 × 100 rectangle. By default (and after null) the
    // special-shape table of SpecialKinds.h answers; tests may install others.
    using KindFromNameFn = int (*)(const std::string& name);
    using HasDividerHandleFn = bool (*)(const CFigSymbol& symbol);
    static void SetReshapeKindHooks(KindFromNameFn kindFromName, HasDividerHandleFn hasDivider);

protected:
    int Classify() const override { return ClassifyFigSymbolName(m_strName); }
};

// Glyph kinds keep a regular shape when drawn into a square.
bool IsGlyphKind(int kind);

// Figure coordinates back into symbol space: x' = (x - left) × 2048 / width,
// modes cleared; nothing for an empty rectangle.
void ToSymbolUnits(CFltPoint& pt, const RECT& rect);
void RectToSymbolUnits(CFltRect& r, const RECT& rect);

// The work copy of the program being drawn, one a thread (bands of an export
// are drawn on several).
struct OutlineWorkState {
    std::array<BYTE, kFigSymbolProgramSize> bytes{};
    int length = 0;
    CRect rect;
    int divX = 0;   // width - 1
    int divY = 0;   // height - 1
};
extern thread_local OutlineWorkState g_outlineWork;

// Back to the start state (work copy, hooks).
void ResetFigSymbolState();
