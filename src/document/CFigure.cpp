#include "document/CFigure.h"

#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "shapes/CFigSymbol.h"
#include "shapes/StockNameKind.h"

CFigure::CFigure(int x, int y, int height, int width, const CFigProps& props, int style, int label,
                 const std::string& text, const std::string& secondText, const CreateArgs& args, CKavoDoc* doc)
    : CDiagObj(doc), m_nStyle(style), m_props(props), m_rect(x, y, x, y), m_bLabel(label)
{
    DiagPrintf("ACDC: Fig %d, clear attached\n", m_nId);
    SetText(text, secondText, -1);
    if (args.labelPreset) {
        m_props.TextFormat = WORD((m_props.TextFormat & 0xFFAA) | 0x22);
        SetFigFlagsPresetD(m_props.Behavior);
    }
    const FigFlagSet saved = m_props.Behavior;
    if (args.clearVerticalCentring)
        m_props.Behavior.high &= ~DWORD(16 | 32);
    if (args.newFigureSizing) {
        m_props.Behavior.low |= 0x200000;
        m_props.Behavior.low &= ~DWORD(128 | 256);
        m_props.Behavior.high &= ~DWORD(128 | 64 | 2 | 1);
    }
    SetBounds(CRect(x, y, x + (width > 0 ? width : 0), y + (height > 0 ? height : 0)), true);
    m_props.Behavior = saved;
    SyncConPtsFromStyle();
}

CFigure::CFigure(CKavoDoc* doc) : CDiagObj(doc)
{
    ClearContents();
}

CFigure::CFigure(const CFigure& o) : CDiagObj(o)
{
    CopyFields(o);
    m_bSelected = 0;
    m_bVisited = 0;
}

CFigure& CFigure::operator=(const CFigure& o)
{
    if (this != &o) {
        CDiagObj::operator=(o);
        CopyFields(o);
    }
    return *this;
}

void CFigure::CopyFields(const CFigure& o)
{
    m_nStyle = o.m_nStyle;
    m_props = o.m_props;
    m_outline = o.m_outline;
    m_bLabel = o.m_bLabel;
    TerminalJct = o.TerminalJct;
    AutoDelJct = o.AutoDelJct;
    AssociationIndicator = o.AssociationIndicator;
    m_nTextRotate = o.m_nTextRotate;
    m_dIndicatorAngle = o.m_dIndicatorAngle;
    m_pIndicatorCon = o.m_pIndicatorCon;
    m_strText = o.m_strText;
    m_strSecondText = o.m_strSecondText;
    m_strLink = o.m_strLink;
    m_rect = o.m_rect;
    m_bHasConPts = o.m_bHasConPts;
    m_pConPts.reset();
    if (o.m_pConPts) {
        m_pConPts = std::make_unique<CConPtList>();
        m_pConPts->CopyFrom(*o.m_pConPts);
    }
    // The attached connectors are attached again by the caller; the count
    // is kept so that the figure still classes as a junction meanwhile.
    m_pAttachedCon1 = m_pAttachedCon2 = nullptr;
    m_nConnected = o.m_nConnected;
}

CFigure::~CFigure()
{
    ReleasePicture();
}

void CFigure::ReleasePicture()
{
    if (HasPicture()) {
        m_props.m_nGraphicType = 0;
        m_props.Graphic = nullptr;
        m_outline.Clear();
    }
}

void CFigure::ClearContents()
{
    ReleasePicture();
    ResetStockKind();
    m_dIndicatorAngle = 0;
    AssociationIndicator = 0;
    TerminalJct = AutoDelJct = 0;
    m_nTextRotate = 0;
    m_pIndicatorCon = nullptr;
    m_strText.clear();
    m_strSecondText.clear();
    m_strLink.clear();
    m_bVisited = m_bSelected = 0;
    m_nId = 0;
    m_pAttachedCon1 = m_pAttachedCon2 = nullptr;
    m_nConnected = 0;
    m_bHasConPts = 0;
    m_pConPts.reset();
    m_nStyle = -1;
    m_props.SetDefaults();
    m_bLabel = 0;
    m_outline.Clear();
}

FigFlagSet CFigure::SetPropFlags(DWORD low, DWORD high, DWORD maskLow, DWORD maskHigh)
{
    FigFlagSet& f = m_props.Behavior;
    f.low = (low & maskLow) | (f.low & ~maskLow);
    f.high = (high & maskHigh) | (f.high & ~maskHigh);
    return f;
}

const CFigSymbol* CFigure::GetSymbol() const
{
    return m_pDoc ? m_pDoc->m_figSymbols.GetAt(m_props.Symbol) : nullptr;
}

const CFigStyle* CFigure::GetStyle() const
{
    return m_pDoc ? m_pDoc->m_figStyles.GetAt(m_nStyle) : nullptr;
}

// The style's kind when the style names one, else the kind of the symbol
// the figure is drawn with: interfaces and sockets are known by their symbol.
int CFigure::ClassifyStockKind() const
{
    const CFigStyle* style = GetStyle();
    const int kind = style ? ClassifyFigStyleName(style->m_strName) : -1;
    if (kind != -1)
        return kind;
    const CFigSymbol* symbol = GetSymbol();
    return symbol ? symbol->GetKind() : -1;
}

// ---- classification

bool CFigure::IsStyleBlank() const
{
    if (HasPicture())
        return false;
    const CFigSymbol* s = GetSymbol();
    return s && s->m_nFillPos < 0 && s->m_nOutlinePos < 0;
}

bool CFigure::IsInvisible() const
{
    return !HasPicture() && IsStyleBlank() && !HasText() && m_nConnected > 0;
}

bool CFigure::IsTwoWayJct() const
{
    return IsInvisible() && m_nConnected == 2;
}

bool CFigure::IsRedundantJct() const
{
    return IsTwoWayJct() && !TerminalJct;
}

bool CFigure::IsBranchJct() const
{
    return IsInvisible() && !IsRedundantJct();
}

bool CFigure::IsHollow() const
{
    if (HasPicture() || IsInvisible())
        return true;
    const CFigSymbol* s = GetSymbol();
    return s && s->m_nFillPos >= 0;
}

bool CFigure::HasTextAreas() const
{
    return !HasPicture() && !IsInvisible() && GetTextAreaCount() > 0;
}

namespace {
int StapleType(const CFigure& f)
{
    return f.m_pStaple ? f.m_pStaple->m_nType : 0;
}
} // namespace

bool CFigure::IsConLabel() const
{
    return m_bLabel && StapleType(*this) == kStapleConLabel;
}

bool CFigure::IsLatLabel() const
{
    return m_bLabel && StapleType(*this) == kStapleLatLabel;
}

bool CFigure::IsFigLabel() const
{
    return m_bLabel && StapleType(*this) == kStapleFigLabel && m_pStaple->m_pFig2 == this;
}

bool CFigure::IsFlowLabel() const
{
    return m_bLabel && StapleType(*this) == kStapleFlowLabel && m_pStaple->m_pFig2 == this;
}

bool CFigure::IsFreeLabel() const
{
    return m_bLabel && !IsFlowLabel() && !IsFigLabel() && !IsConLabel() && m_nConnected == 0;
}

bool CFigure::IsPlainFig() const
{
    return !m_bLabel && !IsInvisible() && !IsInGroup();
}

bool CFigure::IsVisibleFig() const
{
    return !m_bLabel && !IsInvisible();
}

bool CFigure::IsFigWithoutCons() const
{
    return !m_bLabel && !IsInvisible() && m_nConnected == 0;
}

bool CFigure::CanRotateText() const
{
    return m_bLabel && !IsConLabel() && !IsLatLabel() && !IsFlowLabel() && !IsInvisible() && !HasPicture() &&
           GetTextAreaCount() == 1 && m_nConnected == 0;
}

bool CFigure::IsNotFixedSize() const
{
    constexpr DWORD kExpandHorz = 0x4000, kExpandVert = 0x20000;
    return (m_props.Behavior.low & (kExpandHorz | kExpandVert)) != 0;
}

bool CFigure::IsPartition() const
{
    const CFigSymbol* s = GetSymbol();
    return s && !s->m_strName.empty() && s->m_strName[0] == '[';
}

bool CFigure::ShadowAllowed() const
{
    if (HasPicture() && HasOutline())
        return true;
    if (IsInvisible() || m_props.m_fill.m_nKind == 0 || !IsHollow())
        return false;
    const CFigSymbol* s = GetSymbol();
    return !s || s->Reshape == 0;
}

void CFigure::GetShadow(CShadowSpec& out) const
{
    out.m_nType = 0;
    if (m_pDoc && m_props.Shadow && ShadowAllowed()) {
        m_pDoc->GetShadowSettings(&out);
        out.m_nType = 1;
    }
}

bool CFigure::HasOutline() const
{
    return GetOutlineSource() != 0;
}
