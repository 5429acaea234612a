#include "document/DocCommands.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kFigCreateMode = 2;
constexpr int kConCreateMode = 4;
constexpr DWORD kConShapeBits = 0x1a;

const int kConWidths[] = {2, 3, 5, 11};          // 36540..36543
const int kFigWidths[] = {0, 2, 3, 5, 11};       // 36550..36554
const int kPenStyles[] = {0, 2, 1, 3, 4, 5};     // 36544..36549
const int kConShapes[] = {0, 2, 8, 16};          // 33030..33033
const int kArrowLengths[] = {18, 36, 53};        // 33059..33061

// A connector property by command: the current connector style in the
// creation mode, else the selection.
void ApplyConValue(CKavoDoc& doc, const CConProps& props, const CConPropMask& mask)
{
    if (g_nUIMode == kConCreateMode) {
        doc.m_curConStyle.m_props.CopyMasked(&props, &mask);
        doc.ClearCurConStyleMark();
        return;
    }
    doc.ApplyConProps(props, mask);
}

void ApplyFigValue(CKavoDoc& doc, const CFigProps& props, const CFigPropMask& mask)
{
    if (g_nUIMode == kFigCreateMode) {
        doc.m_curFigStyle.m_props.CopyMasked(&props, &mask);
        doc.ClearCurStyleMark();
        return;
    }
    FigPropValues v;
    v.props = props;
    doc.ApplyPropsToSelection(2, v, mask);
}

// The arrows of one record: the end gets the new symbol (with white fill and
// the last length, or the other end's fill and length when that end has a
// symbol) or loses it; an end that keeps a symbol stays as it is.
void SetArrowEnds(CConProps& p, CConPropMask& m, int end1, int end2, int length)
{
    const auto one = [&](int32_t& sym, COLORREF& fill, int32_t& len, int32_t& mSym, int32_t& mFill, int32_t& mLen,
                         int32_t otherSym, COLORREF otherFill, int32_t otherLen, int want) {
        if (want != 0 && sym == 0) {
            sym = want;
            fill = otherSym ? otherFill : COLORREF(0xFFFFFF);
            len = otherSym ? otherLen : length;
            mSym = mFill = mLen = 1;
        } else if (want == 0 && sym != 0) {
            sym = 0;
            mSym = 1;
        }
    };
    one(p.End1, p.End1FillColor, p.End1Length, m.m_bEnd1, m.m_bEnd1FillColor, m.m_bEnd1Length, p.End2,
        p.End2FillColor, p.End2Length, end1);
    one(p.End2, p.End2FillColor, p.End2Length, m.m_bEnd2, m.m_bEnd2FillColor, m.m_bEnd2Length, p.End1,
        p.End1FillColor, p.End1Length, end2);
}

} // namespace

const std::vector<DocCommand>& DocCommandTable()
{
    static const std::vector<DocCommand> table = {
        {33072, "Show or hide visible grid\nVisible Grid On/Off"},
        {33073, "Turns on/off snap\nSnap to Grid On/Off"},
        {33064, "&Flip"},
        {57643, "&Undo\tCtrl+Z"},
        {33027, "&Front"},
        {32780, "Fr&ont One\tCtrl+Plus"},
        {32778, "Back O&ne\tCtrl+Minus"},
        {33028, "&Back"},
        {57632, "Delete\tDel"},
        {57635, "Cu&t\tCtrl+X"},
        {33039, "Delete &Junction(s)"},
        {33071, ""},
        {33029, "&Select All\tCtrl+A"},
        {33034, "&Deselect All"},
        {32785, "Insert &Graphic..."},
        {32787, "&Edit Text"},
        {32791, "&Insert Symbol..."},
        {33030, "&Straight"},
        {33031, "&Curved"},
        {33032, "S&moothed"},
        {33033, "&Rounded"},
        {36540, "&Fine\t1/2 pt"},
        {36541, "&Medium\t3/4 pt"},
        {36542, "&Heavy\t1.5 pt"},
        {36543, "&Very Heavy\t3 pt"},
        {36550, "&None"},
        {36551, "&Fine\t1/2 pt"},
        {36552, "&Medium\t3/4 pt"},
        {36553, "&Heavy\t1.5 pt"},
        {36554, "&Very Heavy\t3 pt"},
        {36544, "&Solid"},
        {36545, "&Dotted"},
        {36546, "D&ashed"},
        {36547, "Dash-D&ot-Dash"},
        {36548, "Das&h-Dot-Dot-Dash"},
        {36549, "&No Line"},
        {36555, "&Drop Shadow"},
        {33056, "&No Arrows"},
        {33057, "Arrow at &End"},
        {33058, "Arrows at &Both Ends"},
        {33059, "&Small Arrows"},
        {33060, "&Medium Arrows"},
        {33061, "&Large Arrows"},
        {33062, "Shape and &Details..."},
        {32801, "New Style &From..."},
        {32802, "&New Style From..."},
        {32803, "&New Style From..."},
        {32804, "&Update Style From..."},
        {32805, "&Update Style From..."},
        {32806, "Up&date Style From..."},
        {32822, "Activate/De-activate container"},
        {32807, "&Freeform (no attach)"},
        {32808, "&Centers"},
        {32810, "Click &Point"},
        {32814, "&Use Connection Points"},
    };
    return table;
}

const DocCommand* FindDocCommand(int id)
{
    const auto& t = DocCommandTable();
    const auto it = std::find_if(t.begin(), t.end(), [id](const DocCommand& c) { return c.id == id; });
    return it == t.end() ? nullptr : &*it;
}

int AttachModeOfCommand(int id)
{
    switch (id) {
    case 32807: return 0;
    case 32808: return 1;
    case 32810: return 3;
    default: return -1;
    }
}

int ConShapeOfCommand(int id)
{
    return id >= 33030 && id <= 33033 ? kConShapes[id - 33030] : -1;
}

int PenStyleOfCommand(int id)
{
    return id >= 36544 && id <= 36549 ? kPenStyles[id - 36544] : -1;
}

bool OnConnectorCommand(CKavoDoc& doc, int id)
{
    CConProps p;
    CConPropMask m;
    if (const int shape = ConShapeOfCommand(id); shape >= 0) {
        p.Behavior.low = DWORD(shape);
        m.m_behavior.low = kConShapeBits;
    } else if (id >= 36540 && id <= 36543) {
        p.LineWidth = kConWidths[id - 36540];
        m.m_bLineWidth = 1;
    } else if (const int pen = PenStyleOfCommand(id); pen >= 0) {
        p.PenStyle = pen;
        m.m_bPenStyle = 1;
    } else if (id >= 33059 && id <= 33061) {
        // The length is remembered for new arrows as well.
        const int len = kArrowLengths[id - 33059];
        doc.m_nLastEndLen = len;
        LastEndLen = len;
        p.End1Length = p.End2Length = len;
        m.m_bEnd1Length = m.m_bEnd2Length = 1;
    } else {
        return false;
    }
    ApplyConValue(doc, p, m);
    return true;
}

bool OnFigureLineCommand(CKavoDoc& doc, int id)
{
    if (id < 36550 || id > 36554)
        return false;
    CFigProps p;
    CFigPropMask m;
    p.BorderWidth = kFigWidths[id - 36550];
    m.m_bBorderWidth = 1;
    ApplyFigValue(doc, p, m);
    return true;
}

void SetFigLineStyle(CKavoDoc& doc, int penStyle)
{
    CFigProps p;
    CFigPropMask m;
    p.PenStyle = penStyle;
    m.m_bPenStyle = 1;
    ApplyFigValue(doc, p, m);
}

void SetDropShadow(CKavoDoc& doc, bool on)
{
    CFigProps p;
    CFigPropMask m;
    p.Shadow = on ? 1 : 0;
    m.m_bShadow = 1;
    ApplyFigValue(doc, p, m);
}

bool OnArrowsCommand(CKavoDoc& doc, int id)
{
    if (id < 33056 || id > 33058)
        return false;
    const std::string last = doc.m_strLastEnd == "null" ? "block" : doc.m_strLastEnd;
    const std::string name1 = id == 33058 ? last : "null";
    const std::string name2 = id == 33056 ? "null" : last;
    const int end1 = doc.m_endSymbols.FindByName(name1), end2 = doc.m_endSymbols.FindByName(name2);
    if (end1 < 0 || end2 < 0)
        return true;
    if (g_nUIMode == kConCreateMode) {
        CConPropMask m;
        SetArrowEnds(doc.m_curConStyle.m_props, m, end1, end2, doc.m_nLastEndLen);
        doc.ClearCurConStyleMark();
        return true;
    }
    // Each connector is worked out from its own ends, so that a mixed
    // selection ends up with the arrows the command names on every one.
    std::vector<CConnector*> cons;
    for (CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjConnector)
            cons.push_back(static_cast<CConnector*>(o));
    if (cons.empty())
        return true;
    doc.UndoBeginStep(UDMAC_CONPROPS);
    for (CConnector* c : cons) {
        CConProps p = c->m_props;
        CConPropMask m;
        SetArrowEnds(p, m, end1, end2, doc.m_nLastEndLen);
        if (m.CountSet() == 0)
            continue;
        if (!doc.LogConnectorState(UDOC_CONPROPS, c))
            break;
        doc.InvalidateObj(c);
        c->m_props.CopyMasked(&p, &m);
        doc.InvalidateObj(c);
        doc.SetModifiedFlag(true);
    }
    doc.UndoEndStep();
    return true;
}

void OnToggleGrid(CKavoDoc& doc)
{
    DiagPrintf("USER  Toggle show grid\n");
    doc.m_bShowGrid = doc.m_bShowGrid ? 0 : 1;
    ShowGrid = doc.m_bShowGrid;
    doc.UpdateAllViews(nullptr, 0, nullptr);
    CfgSaveAll();
}

void OnToggleSnap(CKavoDoc& doc)
{
    DiagPrintf("USER  Toggle snap\n");
    doc.m_bAlignToGrid = doc.m_bAlignToGrid ? 0 : 1;
    AlignToGrid = doc.m_bAlignToGrid;
    CfgSaveAll();
}

namespace {

// Selection look-ups of the rules: filter kinds and group scopes.
constexpr int kLabels = 2, kConnectors = 3, kBordered = 4, kTextAreas = 5, kPlain = 7, kRedundantJcts = 8;
constexpr int kUngrouped = 0, kAllObjects = 1, kGroupScope = 2;
constexpr DWORD kActiveContainer = 0x20000000;

// The one selected object of the kind has a style of the right sort.
bool CanUpdateStyle(const CKavoDoc& doc, int kind)
{
    if (kind == 2) {
        const CConnector* c = doc.GetFirstSelCon(kConnectors, kUngrouped);
        return c && doc.m_conStyles.GetAt(c->m_nStyle);
    }
    const int filter = kind == 1 ? kLabels : kPlain;
    const CFigure* f = doc.CountSelFigs(filter, kAllObjects) == 1 ? doc.GetFirstSelFig(filter, kAllObjects) : nullptr;
    const CFigStyle* s = f && f->m_nStyle != -1 ? doc.m_figStyles.GetAt(f->m_nStyle) : nullptr;
    return s && (s->Label != 0) == (kind == 1);
}

} // namespace

DocCommandState GetDocCommandState(const CKavoDoc& doc, int id)
{
    DocCommandState st;
    const bool sel = doc.HasSelection();
    const bool conMode = g_nUIMode == kConCreateMode, figMode = g_nUIMode == kFigCreateMode;
    // The value lists read the first matching selected object, grouped ones
    // as the apply-to-groups settings say.
    const CConnector* con = doc.GetFirstSelCon(kConnectors, kGroupScope);
    const CFigure* fig = doc.GetFirstSelFig(kBordered, kGroupScope);
    switch (id) {
    case 33072: st.enabled = true; st.checked = doc.m_bShowGrid != 0; return st;
    case 33073: st.enabled = true; st.checked = doc.m_bAlignToGrid != 0; return st;
    case 57643: st.enabled = doc.CanUndo() != 0; return st;
    // Flipping acts on connectors of their own, not on members of a group.
    case 33064: st.enabled = doc.GetFirstSelCon(kConnectors, kUngrouped) != nullptr; return st;
    case 33027: case 32780: case 32778: case 33028: case 33034:
        st.enabled = sel;
        return st;
    case 57632: st.enabled = sel || IsActiveViewEditingText(); return st;
    case 57635: st.enabled = sel && CanCutToClipboard(); return st;
    // Only a junction that a flow merely passes through can go.
    case 33039: case 33071: st.enabled = doc.GetFirstSelFig(kRedundantJcts, kUngrouped) != nullptr; return st;
    case 32807: case 32808: case 32810:
        st.enabled = true;
        st.checked = doc.m_nAttachMode == AttachModeOfCommand(id);
        return st;
    case 32814: st.enabled = true; st.checked = doc.m_bEnableConPts != 0; return st;
    case 33029: st.enabled = doc.GetObjCount() > 0; return st;
    case 32787: st.enabled = doc.CountSelFigs(kTextAreas, kAllObjects) == 1 && !IsActiveViewEditingText(); return st;
    case 33062: st.enabled = con != nullptr; return st;
    // New Style From: one figure or one label of its own; the connector
    // variant is always offered and finds its connector when run.
    case 32801: st.enabled = doc.CountSelFigs(kPlain, kUngrouped) == 1; return st;
    case 32803: st.enabled = doc.CountSelFigs(kLabels, kUngrouped) == 1; return st;
    case 32802: st.enabled = true; return st;
    case 32804: st.enabled = CanUpdateStyle(doc, 0); return st;
    case 32806: st.enabled = CanUpdateStyle(doc, 1); return st;
    case 32805: st.enabled = CanUpdateStyle(doc, 2); return st;
    case 32822: {
        const CFigure* box = doc.CountSelFigs(kPlain, kGroupScope) == 1 ? doc.GetFirstSelFig(kPlain, kGroupScope)
                                                                         : nullptr;
        st.enabled = box && box->IsPartition();
        st.checked = st.enabled && (box->m_props.Behavior.low & kActiveContainer) != 0;
        return st;
    }
    default: break;
    }
    // Connector values: enabled on a selected connector or in the connector
    // mode; checked when the value is the one of the connector shown.
    const CConProps* cp = conMode ? &doc.m_curConStyle.m_props : con ? &con->m_props : nullptr;
    if (ConShapeOfCommand(id) >= 0) {
        st.enabled = cp != nullptr;
        st.checked = cp && int(cp->Behavior.low & kConShapeBits) == ConShapeOfCommand(id);
    } else if (id >= 36540 && id <= 36543) {
        st.enabled = cp != nullptr;
        st.checked = cp && cp->LineWidth == kConWidths[id - 36540];
    } else if (PenStyleOfCommand(id) >= 0) {
        st.enabled = cp != nullptr;
        st.checked = cp && cp->PenStyle == PenStyleOfCommand(id);
    } else if (id >= 33059 && id <= 33061) {
        st.enabled = cp != nullptr;
        // The end that has a symbol decides; with both, both must agree.
        const int len = kArrowLengths[id - 33059];
        if (cp)
            st.checked = !cp->End1 ? cp->End2Length == len
                                   : cp->End1Length == len && (!cp->End2 || cp->End2Length == len);
    } else if (id >= 33056 && id <= 33058) {
        st.enabled = cp != nullptr;
        if (cp)
            st.checked = id == 33056 ? (!cp->End1 && !cp->End2)
                                     : id == 33057 ? (!cp->End1 && cp->End2) : (cp->End1 && cp->End2);
    } else if ((id >= 36550 && id <= 36554) || id == 36555) {
        const CFigProps* fp = figMode ? &doc.m_curFigStyle.m_props : fig ? &fig->m_props : nullptr;
        st.enabled = fp != nullptr;
        st.checked = fp && (id == 36555 ? fp->Shadow != 0 : fp->BorderWidth == kFigWidths[id - 36550]);
    } else {
        st.enabled = FindDocCommand(id) != nullptr;
    }
    return st;
}
