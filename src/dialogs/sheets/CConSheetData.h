#pragma once
// What the connector sheets edit: one working copy of the connector
// properties plus the attributes only a style has, the change mask that says
// what the user touched, and the flags that say which values differ among
// several selected connectors. The pages read and write it; the sheets
// write back only what is flagged.
#include "document/ConStyleEdits.h"
#include "shapes/CConPropMask.h"
#include "shapes/CConProps.h"

#include <string>

class CConStyle;
class CConStylesLibrary;
class CKavoDoc;

// The style-only attributes (defaults are those of a new or reset sheet).
struct CConStyleAttrs {
    std::string description;
    std::string category;
    int autoLabel = 0;
    std::string autoLabelText;     // rich text, sections separated by "\sect "
    int labelPosition = 1;         // 0 in-line, 1 above or right, -1 below or left
    int stamp = 0;
    double stampLength = 0.0;      // logical units
    int stampAngle = 90;           // 0, 90, 180 or 270 degrees
    int styleBarButton = 0;
    int inDropMenu = 0;
};

// Which values differ among the selected connectors.
enum ConDiffers {
    kDiffStyle,
    kDiffEnd1Size,
    kDiffEnd2Size,
    kDiffLineWidth,
    kDiffEndBorder,
    kDiffFlowSize,
    kDiffFlowSpacing,
    kDiffFlowBorder,
    kDiffCount,
};

// The flag word's bits the pages edit.
constexpr DWORD kConOrthoManual = 0x1, kConOrthoOff = 0x20, kConDots = 0x4;
constexpr DWORD kConRounded = 0x10, kConCurved = 0x2, kConSmoothed = 0x8;
constexpr DWORD kConNoFlow = 0x40, kConNoJogs = 0x80, kConNoPrint = 0x40000000;
constexpr int kConStyleAll = -3;   // the styles sheet's "<All>"
constexpr int kConStyleDiffers = -2;

struct CConSheetData {
    enum Type { kProperties = 1, kStyles = 2 };

    CKavoDoc* doc = nullptr;
    int type = kProperties;
    int curStyle = -1;
    CConProps props;
    bool several = false;
    int differs[kDiffCount] = {};
    CConStyleAttrs attrs;
    CConPropMaskEx mask;
    // The properties sheet's choice of style (the based-on combo).
    int styleFlag = 0;

    bool IsStyles() const { return type == kStyles; }
    CConStylesLibrary* Library() const;
    const CConStyle* CurrentStyle() const;
    // Something was changed that OK or Apply would write.
    bool Pending() const;
    void ClearChanges();
    // After an apply the connectors share every value it wrote: those
    // fields show it instead of staying empty.
    void SettleDiffers();
    // Flag-word bits changed by a page: set or cleared in the working copy and
    // added to the changed bits.
    void SetBits(DWORD bits, bool on);
    void MarkBits(DWORD bits) { mask.m_behavior.low |= bits; }
};

// Loads the working copy from the style (or the defaults of a sheet without
// one) and its style-only attributes.
void LoadConSheetStyle(CConSheetData& data, int index);

// Style names are fixed fields of 30 characters: a proposal longer than that
// loses characters before its trailing number, and is stepped until no
// style has it.
std::string ProposeConStyleName(const std::string& start, const CConStylesLibrary& library);

// Remembers the end sizes and symbols an apply flagged, for the document and
// the program (end 2 wins; the "null" symbol is not remembered).
void RememberLastEnds(const CConSheetData& data);
