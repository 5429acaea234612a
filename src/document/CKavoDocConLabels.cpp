// Labels on connectors: the styles a label setting names, the size a new
// label of each kind takes, and the automatic label a connector of a style
// with one gets when it is drawn.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/FigTextFitHook.h"

#include <cmath>
#include <memory>

namespace {
// The size measuring starts from, and the size of a new label when the
// document has no label style to measure.
constexpr int kNewLblWidth = 30, kNewLblHeight = 70;
// Connector labels centre their text on the line.
constexpr WORD kConLblAlign = 2 | 32;

// The last size measured for one getter, kept while the style's look and
// texts stay the same: the getters run on every mouse move in text mode.
struct NewLblSizeCache {
    bool valid = false;
    CFigProps props;
    std::string text, inits;
    CSize size;
};
NewLblSizeCache g_newLblCache1, g_newLblCache2, g_newLblCache3, g_newLblCache4;

// The extent of the style's default text laid out in its look: a label of
// the style made off the document and sized to its text.
CSize MeasureNewLbl(const CKavoDoc& doc, const CFigStyle* style, int index, NewLblSizeCache& cache)
{
    if (!style)
        return CSize(kNewLblWidth, kNewLblHeight);
    if (cache.valid && cache.props == style->m_props && cache.text == style->DefaultText &&
        cache.inits == style->TextInits)
        return cache.size;
    CFigProps props = style->m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    auto* owner = const_cast<CKavoDoc*>(&doc);
    CFigure probe(0, 0, kNewLblHeight, kNewLblWidth, props, index, 1, style->DefaultText, style->TextInits,
                  CFigure::CreateArgs(), owner);
    if (g_pfnSizeFigToText)
        g_pfnSizeFigToText(owner, &probe);
    cache.valid = true;
    cache.props = style->m_props;
    cache.text = style->DefaultText;
    cache.inits = style->TextInits;
    cache.size = CSize(probe.m_rect.Width(), probe.m_rect.Height());
    return cache.size;
}

// The style the setting names, else the current label style; with neither
// (no current label style chosen) there is no style to measure.
CSize SizeFor(const CKavoDoc& doc, const std::string& name, NewLblSizeCache& cache)
{
    int index = -1;
    const CFigStyle& style = doc.GetLblStyleNamed(name, index);
    return MeasureNewLbl(doc, index >= 0 ? &style : nullptr, index, cache);
}
} // namespace

const CFigStyle& CKavoDoc::GetLblStyleNamed(const std::string& name, int& index) const
{
    index = name.empty() ? -1 : m_figStyles.FindByName(name);
    if (index >= 0)
        return *m_figStyles.GetAt(index);
    index = m_nCurLblStyle;
    return m_curLblStyle;
}

int CKavoDoc::GetConLblStyleIndex() const
{
    return m_strConLabelStyle.empty() ? -1 : m_figStyles.FindByName(m_strConLabelStyle);
}

int CKavoDoc::GetFlowLblStyleIndex() const
{
    return m_strFlowLabelStyle.empty() ? -1 : m_figStyles.FindByName(m_strFlowLabelStyle);
}

int CKavoDoc::GetAutoLblStyleIndex() const
{
    return m_strAutoLabelStyle.empty() ? -1 : m_figStyles.FindByName(m_strAutoLabelStyle);
}

CSize CKavoDoc::GetNewLblSize() const
{
    return SizeFor(*this, std::string(), g_newLblCache1);
}

CSize CKavoDoc::GetConLblStyleSize() const
{
    return SizeFor(*this, m_strConLabelStyle, g_newLblCache1);
}

CSize CKavoDoc::GetNewLatLblSize() const
{
    return SizeFor(*this, m_strConLabelStyle, g_newLblCache3);
}

CSize CKavoDoc::GetNewFlowLblSize() const
{
    return SizeFor(*this, m_strFlowLabelStyle, g_newLblCache2);
}

CSize CKavoDoc::GetNewFigLblSize() const
{
    return SizeFor(*this, m_strAutoLabelStyle, g_newLblCache4);
}

int CKavoDoc::GetLatLblOffset(const CConnector* con) const
{
    const int offset = GetConLblGap();
    if (!con || con->m_pFig1 || con->m_pFig2)
        return offset;
    const CConStyle* style = con->m_nStyle >= 0 ? m_conStyles.GetAt(con->m_nStyle) : nullptr;
    const long length = std::lround(std::hypot(double(con->EndPoint2.x - con->EndPoint1.x),
                                               double(con->EndPoint2.y - con->EndPoint1.y)));
    return style && style->FragmentCreation && length == style->FragmentLength ? offset * 2 : offset;
}

bool CKavoDoc::PutLblInFrontOfCon(CFigure* label, const CConnector* con)
{
    const int at = m_pObjList->Find(con);
    if (at < 0 || m_pObjList->Find(label) == at + 1)
        return at >= 0;
    // 1-based: the place right after the connector once the label is out.
    const int from = m_pObjList->Find(label);
    return MoveObjInList(label, from < at ? at + 1 : at + 2);
}

CStaple* CKavoDoc::StapleLblAsConLbl(CFigure* label, CConnector* con, const POINT& pt)
{
    if (!con || !label || !label->m_bLabel || label->IsStapled())
        return nullptr;
    if (!LogFigureState(label))
        return nullptr;
    InvalidateObj(label);
    SetFigFlagsPresetD(label->m_props.Behavior);
    label->m_props.SetTextAlign(kConLblAlign & 7, 1, nullptr);
    label->m_props.SetTextAlign(kConLblAlign & 0x70, 1, nullptr);
    SetAlignFlags(label->m_props.Behavior, label->m_props.TextFormat);
    CStaple* staple = CreateConLblStaple(con, pt, label);
    if (staple) {
        InvalidateObj(label);
        SetModifiedFlag(true);
    }
    return staple;
}

CFigure* CKavoDoc::CreateAutoConLbl(CConnector* con, const std::string& text, int side)
{
    if (!con || con->m_pGroup || FindConOrLatLblStaple(con))
        return nullptr;
    int index = -1;
    const CFigStyle& style = GetLblStyleNamed(m_strConLabelStyle, index);
    CFigProps props = style.m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    SetAlignFlags(props.Behavior, props.TextFormat);
    const CPoint mid = con->GetMidPoint();
    auto made = std::make_unique<CFigure>(mid.x, mid.y, style.Height, style.Width, props, index, 1,
                                          text.empty() ? style.DefaultText : text, std::string(),
                                          CFigure::CreateArgs(), this);
    // Sized to its text before it goes in, it stands centred on the middle.
    if (g_pfnSizeFigToText)
        g_pfnSizeFigToText(this, made.get());
    const CSize size = made->m_rect.Size();
    made->SetRectNoUndo(CRect(CPoint(mid.x - size.cx / 2, mid.y - size.cy / 2), size));
    CFigure* label = AddNewFig(-1, made.get(), !SelectAfterConnectorCreate);
    if (!label) {
        ResetUndoLog();
        return nullptr;
    }
    made.release();
    if (!PutLblInFrontOfCon(label, con))
        return nullptr;
    const bool beside = m_curConStyle.AutoLabelPosition != 0;
    const int offset = GetLatLblOffset(con);
    const CStaple* staple = beside ? StapleLblAsLatLbl(label, con, mid, side == 1 ? offset : -offset, 0)
                                   : StapleLblAsConLbl(label, con, mid);
    return staple ? label : nullptr;
}
