#include "dialogs/sheets/CConSheetData.h"

#include "core/Settings.h"
#include "dialogs/sheets/StyleNames.h"
#include "document/CKavoDoc.h"
#include "richtext/TextUtils.h"
#include "shapes/CConStylesLibrary.h"

#include <utility>

CConStylesLibrary* CConSheetData::Library() const
{
    return doc ? doc->GetConStyles() : nullptr;
}

const CConStyle* CConSheetData::CurrentStyle() const
{
    const CConStylesLibrary* lib = Library();
    return lib && curStyle >= 0 ? lib->GetAt(curStyle) : nullptr;
}

bool CConSheetData::Pending() const
{
    if (IsStyles())
        return mask.CountSet() > 0;
    return static_cast<const CConPropMask&>(mask).CountSet() > 0 || styleFlag != 0;
}

void CConSheetData::ClearChanges()
{
    mask.SetAll(0);
    styleFlag = 0;
}

void CConSheetData::SettleDiffers()
{
    const std::pair<ConDiffers, int32_t CConPropMask::*> written[] = {
        {kDiffEnd1Size, &CConPropMask::m_bEnd1Length},   {kDiffEnd2Size, &CConPropMask::m_bEnd2Length},
        {kDiffLineWidth, &CConPropMask::m_bLineWidth},   {kDiffEndBorder, &CConPropMask::m_bEndBorderWidth},
        {kDiffFlowSize, &CConPropMask::m_bFISize},       {kDiffFlowSpacing, &CConPropMask::m_bFISpacing},
        {kDiffFlowBorder, &CConPropMask::m_bFIBdrWidth},
    };
    for (const auto& [flag, field] : written)
        if (mask.*field)
            differs[flag] = 0;
    if (styleFlag)
        differs[kDiffStyle] = 0;
}

void CConSheetData::SetBits(DWORD bits, bool on)
{
    SetFlagBits(props.Behavior, bits, 0, on);
    MarkBits(bits);
}

void LoadConSheetStyle(CConSheetData& data, int index)
{
    data.curStyle = index;
    const CConStyle* style = data.CurrentStyle();
    data.attrs = CConStyleAttrs();
    if (!style) {
        // "<All>" and a sheet without styles start from plain defaults.
        data.props = CConProps();
        data.props.Color = data.props.FIFillClr = data.props.FIBdrClr = 0xC0C0C0;
        data.props.PenStyle = 0;
        data.props.FIType = -1;
        data.props.Behavior = FigFlagSet();
        data.props.BindToStyle = 0;
        return;
    }
    data.props = style->m_props;
    CConStyleAttrs& a = data.attrs;
    a.description = style->Description;
    a.category = style->Category;
    a.autoLabel = style->AutoLabel;
    a.autoLabelText = style->AutoLabelText;
    a.labelPosition = style->AutoLabelPosition;
    a.stamp = style->FragmentCreation;
    a.stampLength = style->FragmentLength;
    a.stampAngle = style->FragmentAngle;
    // The style bar's connector row is what the user sees (a button may
    // have been dragged off it): its layout decides once it is defined.
    const CStyleMenuLayout& bar = data.doc->m_conButtons;
    a.styleBarButton = bar.IsDefined() ? bar.FindName(style->m_strName) >= 0 : style->HasButton;
    a.inDropMenu = style->InMenu;
}

std::string ProposeConStyleName(const std::string& start, const CConStylesLibrary& library)
{
    return ProposeUniqueStyleName(start, [&library](const std::string& name) { return library.FindByName(name) >= 0; });
}

void RememberLastEnds(const CConSheetData& data)
{
    CKavoDoc* doc = data.doc;
    if (!doc)
        return;
    const CConPropMask& m = data.mask;
    if (m.m_bEnd1Length || m.m_bEnd2Length) {
        const int length = m.m_bEnd2Length ? data.props.End2Length : data.props.End1Length;
        doc->m_nLastEndLen = length;
        LastEndLen = length;
    }
    if (m.m_bEnd1 || m.m_bEnd2) {
        const int symbol = m.m_bEnd2 ? data.props.End2 : data.props.End1;
        const CShapeDef* shape = doc->m_endSymbols.GetAt(symbol);
        if (shape && shape->m_strName != "null") {
            doc->m_strLastEnd = shape->m_strName;
            LastEnd = shape->m_strName;
        }
    }
}
