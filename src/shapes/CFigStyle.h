#pragma once
// A figure or label style (told apart by Label): its texts, default size, the
// figure properties of figures made from it, its own connection points and
// hot zone, and the initial texts of its symbol's text boxes.
#include "shapes/CConPtList.h"
#include "shapes/CFigProps.h"
#include "shapes/CStyle.h"
#include "geometry/CHotZone.h"

#include <array>
#include <memory>
#include <vector>

class SymbolLibrary;
class CFigSymbol;

// The initial texts of a symbol's text boxes, shared between a style and the
// figures made from it until one of them needs its own copy.
using TextBoxInitTexts = std::vector<std::string>;

class CFigStyle : public CStyle {
public:
    static constexpr size_t kMaxAutoLabelText = 512;
    static constexpr size_t kMaxDefaultText = 512;
    static constexpr size_t kMaxTextInits = 1024;
    static constexpr int kTextInitBytes = 36;

    int32_t DisplayText = 0;
    int32_t Label = 0;            // 1: a label style
    int32_t m_nTextInitCount = 0;
    std::array<BYTE, kTextInitBytes> m_textInitBytes{};
    CFigProps m_props;
    int32_t AutoLabel = 0;
    std::string AutoLabelText;
    CConPtList m_conPts;
    CHotZone m_hotZone;
    int32_t Height = 172;         // default size of a new figure, logical units
    int32_t Width = 256;
    std::string DefaultText;
    std::string TextInits;
    std::shared_ptr<TextBoxInitTexts> m_pTextBoxInits;

    CFigStyle() = default;
    CFigStyle(const CFigStyle& o) : CStyle() { *this = o; }
    CFigStyle& operator=(const CFigStyle& o);

    void Reset();
    // Integer points become symbol-space points; refused below 4 or above 2048.
    int SetHotZone(int count, const POINT* points);
    const CFigSymbol* GetFigSymbol(const SymbolLibrary* symbols) const;
    int HasHotZone(const SymbolLibrary* symbols) const;
    // The style's own hot zone, else its symbol's, with anchored points fitted
    // to the size; 0 when neither exists.
    int GetHotZonePoints(std::vector<CFltPoint>& points, const SymbolLibrary* symbols, const SIZE& size) const;
    // Those points mapped onto the target rectangle as integer points.
    int ScaleSymbolOutline(std::vector<CPoint>& out, const SymbolLibrary* symbols, const RECT& target) const;
    // DefaultText, else the name, else "Label".
    void GetLabelText(std::string& out) const;
    void ClearBindToStyle() { m_props.BindToStyle = 0; }

protected:
    int Classify() const override { return ClassifyFigStyleName(m_strName); }
};

// Fits anchored symbol points to a target size: with m the smaller side, an x
// of mode 1 becomes x × m / W and one of another non-zero mode
// 2048 − (2048 − x) × m / W; y likewise with H. Nothing without a size.
void AdjustAnchoredSymbolPoints(std::vector<CFltPoint>& points, const SIZE& size);
