#pragma once
// The appearance record of a figure or label, held by value by every figure,
// figure style and the document's defaults and copied whole between them.
#include "shapes/CFigPropMask.h"
#include "shapes/FillDescription.h"
#include "shapes/CFontDesc.h"
#include "platform/GlobalMem.h"
#include "shapes/FigFlags.h"

#include <string>

class CFigSymbol;

class CFigProps {
public:
    COLORREF BorderColor = 0;
    COLORREF TextColor = 0;
    int32_t BorderWidth = 1;
    int32_t Shadow = 0;
    int32_t Symbol = 0;           // index in the document's figure-symbol library
    int32_t Icon = -1;            // second symbol drawn as the icon, -1 none
    CFontDesc m_font;
    WORD TextFormat = 0x22;       // horizontal 1 right, 2 centre, 4 left; vertical 16/32/64
    FigFlagSet Behavior{0x24012, 0x330};
    int32_t m_nGraphicType = 0;   // picture kind; non-zero when the figure shows a picture
    HGLOBAL Graphic = nullptr;    // the shared picture while m_nGraphicType is set
    int32_t BindToStyle = 1;
    int32_t PenStyle = 0;
    int32_t HideText = 0;
    CFillSpec m_fill;

    void SetDefaults() { *this = CFigProps(); }
    bool HasGraphic() const { return m_nGraphicType != 0 && Graphic != nullptr; }
    int operator==(const CFigProps& o) const;

    // The defaults, then everything zero, icon -1, no fill, and the behaviour
    // word of a cleared figure.
    void Clear();
    // The defaults for a style sheet: plain (label-like, symbol 1, no fill) or
    // a symbol figure (symbol 0, white fill); TextFormat rebuilt from the word.
    void ResetForSheet(int plain);
    // Replaces one alignment group of TextFormat; with alsoBehavior the
    // matching expansion bit too, reporting the changed bits in changed[2].
    int SetTextAlign(unsigned bit, int alsoBehavior, DWORD* changed);
    void ClearFill() { m_fill.m_nKind = 0; }
    void SetFillForSymbol(const CFigSymbol* symbol);
    void CopyMasked(const CFigProps* source, const CFigPropMask* mask);
    // The properties a new figure takes from its symbol.
    void InitForSymbol(const CFigSymbol* symbol);

private:
    void ApplyStubPreset(int p);
    void ApplySpecialPreset(int a, int b, int c, int d);
    void AlignByName(const std::string& name, bool stub);
};
