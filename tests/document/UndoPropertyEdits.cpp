// The edits of the undo property test (see UndoPropertyEdits.h). Each edit
// chooses its objects from what the document holds when it runs and does
// nothing when there is nothing to choose.
#include "UndoPropertyEdits.h"

#include "core/Settings.h"
#include "document/CStaple.h"
#include "document/DocCommandSeams.h"
#include "document/DocCommands.h"
#include "document/FigPropValues.h"
#include "document/FontChoice.h"
#include "document/UndoRecordsStaple.h"
#include "shapes/DividedShapeSetup.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {
std::vector<CFigure*> Figs(CKavoDoc& doc)
{
    std::vector<CFigure*> out;
    doc.ForEachFigure([&](CFigure* f) { out.push_back(f); });
    return out;
}

std::vector<CConnector*> Cons(CKavoDoc& doc)
{
    std::vector<CConnector*> out;
    doc.ForEachConnector([&](CConnector* c) { out.push_back(c); });
    return out;
}

template <class T>
T* Pick(EditArgs& a, const std::vector<T*>& from)
{
    return from.empty() ? nullptr : from[size_t(a.Below(int(from.size())))];
}

CFigure* PickFig(CKavoDoc& doc, EditArgs& a)
{
    return Pick(a, Figs(doc));
}

CConnector* PickCon(CKavoDoc& doc, EditArgs& a)
{
    return Pick(a, Cons(doc));
}

CDiagObj* PickObj(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CDiagObj*> all(doc.m_pObjList->begin(), doc.m_pObjList->end());
    return Pick(a, all);
}

CStaple* PickStaple(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CStaple*> all;
    for (CDiagObj* o : *doc.m_pStapleList)
        all.push_back(static_cast<CStaple*>(o));
    return Pick(a, all);
}

CGroup* PickGroup(CKavoDoc& doc, EditArgs& a)
{
    return Pick(a, doc.m_groupList);
}

std::string SomeText(EditArgs& a)
{
    static const char* texts[] = {"", "one", "two", "{\\b three}", "four\\sect five"};
    return texts[a.Below(5)];
}

// One operation as one undo step.
template <class Fn>
void InStep(CKavoDoc& doc, int code, Fn fn)
{
    doc.UndoBeginStep(code);
    fn();
    doc.UndoEndStep();
}

// Group flags follow their members, as selecting a grouped object does.
void SyncGroupFlags(CKavoDoc& doc)
{
    for (CGroup* g : doc.m_groupList) {
        g->m_bSelected = 0;
        for (const CGroup::Member& m : g->m_members)
            if (m.obj && m.obj->m_bSelected)
                g->m_bSelected = 1;
    }
}

// ---- objects

void CreateFigure(CKavoDoc& doc, EditArgs& a)
{
    const int style = a.Below(doc.m_figStyles.GetCount());
    const CFigProps* props = doc.m_figStyles.GetProps(style);
    auto* fig = new CFigure(a.Range(-400, 400), a.Range(-400, 400), a.Range(20, 200), a.Range(20, 300),
                            props ? *props : CFigProps(), style, 0, SomeText(a), "", CFigure::CreateArgs(), &doc);
    if (!doc.AddNewFig(UDMAC_CREATEFIG, fig, a.Chance(50)))
        delete fig;
}

void CreateLabelledFigure(CKavoDoc& doc, EditArgs& a)
{
    auto* fig = new CFigure(a.Range(-400, 400), a.Range(-400, 400), 80, 120, CFigProps(), -1, 0, "", "",
                            CFigure::CreateArgs(), &doc);
    if (!doc.AddNewFig(UDMAC_CREATEFIG, fig, a.Chance(50), true, "Name"))
        delete fig;
}

void DuplicateConnector(CKavoDoc& doc, EditArgs& a)
{
    if (CConnector* c = PickCon(doc, a))
        InStep(doc, UDMAC_DUPLICATE, [&] { doc.DuplicateCon(c); });
}

void CreateJunction(CKavoDoc& doc, EditArgs& a)
{
    const POINT pt{a.Range(-400, 400), a.Range(-400, 400)};
    InStep(doc, UDMAC_ADDJUNCT, [&] { doc.CreateFigAt(pt, 1); });
}

void CreateConnector(CKavoDoc& doc, EditArgs& a)
{
    CFigure* end1 = a.Chance(90) ? PickFig(doc, a) : nullptr;
    CFigure* end2 = a.Chance(90) ? PickFig(doc, a) : nullptr;
    const int style = a.Below(doc.m_conStyles.GetCount());
    const CConProps* props = doc.m_conStyles.GetProps(style);
    const POINT p1 = end1 ? POINT(end1->GetCenter()) : POINT{a.Range(-400, 400), 0};
    const POINT p2 = end2 ? POINT(end2->GetCenter()) : POINT{0, a.Range(-400, 400)};
    InStep(doc, UDMAC_CREATECON, [&] {
        doc.CreateCon(end1, end2, -1, -1, p1, p2, style, props ? *props : CConProps());
    });
}

void MoveFigures(CKavoDoc& doc, EditArgs& a)
{
    const int n = a.Range(1, 3);
    const int dx = a.Range(-50, 50), dy = a.Range(-50, 50);
    InStep(doc, UDMAC_MOVEOBJS, [&] {
        for (int i = 0; i < n; ++i) {
            CFigure* f = PickFig(doc, a);
            CRect rc = f ? f->m_rect : CRect();
            rc.OffsetRect(dx, dy);
            if (!f || !doc.SetFigRect(f, rc))
                return;
        }
        doc.UpdateAllStaples(1);
    });
}

// A connector's first figure moved straight above (or beside) its second:
// a straight connector's route then fixes its orientation hint.
void MoveFigureInLine(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CConnector*> joined;
    for (CConnector* c : Cons(doc))
        if (c->m_pFig1 && c->m_pFig2)
            joined.push_back(c);
    CConnector* c = Pick(a, joined);
    const bool above = a.Chance(70);
    const int gap = a.Range(20, 200);
    if (!c)
        return;
    CFigure* f = c->m_pFig1;
    const CRect& g = c->m_pFig2->m_rect;
    const CPoint centre = g.CenterPoint();
    const int w = f->m_rect.Width(), h = f->m_rect.Height();
    const CRect rc = above ? CRect(centre.x - w / 2, g.top - gap - h, centre.x - w / 2 + w, g.top - gap)
                           : CRect(g.left - gap - w, centre.y - h / 2, g.left - gap, centre.y - h / 2 + h);
    InStep(doc, UDMAC_MOVEOBJS, [&] {
        if (doc.MoveFigToRect(f, rc))
            doc.UpdateAllStaples(1);
    });
}

void ResizeFigure(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    if (!f)
        return;
    const CRect rc(f->m_rect.left, f->m_rect.top, f->m_rect.left + a.Range(10, 300), f->m_rect.top + a.Range(10, 300));
    InStep(doc, UDMAC_RESIZEFIG, [&] {
        if (doc.SetFigRect(f, rc))
            doc.UpdateAllStaples(1);
    });
}

void ChangeOrder(CKavoDoc& doc, EditArgs& a)
{
    CDiagObj* o = PickObj(doc, a);
    const int pos = a.Range(1, std::max(1, doc.m_pObjList->GetCount()));
    if (o)
        InStep(doc, UDMAC_FRONTNXT, [&] { doc.MoveObjInList(o, pos); });
}

void EditText(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int area = a.Range(-1, 2);
    const std::string text = SomeText(a), second = a.Chance(30) ? SomeText(a) : std::string();
    if (f)
        InStep(doc, UDMAC_TEXTEDIT, [&] { doc.SetFigTextArea(f, area, text, second); });
}

void CutObjects(CKavoDoc& doc, EditArgs& a)
{
    const int n = a.Range(1, 2);
    InStep(doc, UDMAC_CUTOBJS, [&] {
        for (int i = 0; i < n; ++i)
            if (CDiagObj* o = PickObj(doc, a); !o || !doc.CutObj(o, -1))
                return;
    });
}

void CutStaple(CKavoDoc& doc, EditArgs& a)
{
    if (CStaple* s = PickStaple(doc, a))
        InStep(doc, UDMAC_DETACHLBL, [&] { doc.CutStaple(s, -1); });
}

// ---- groups

void Group(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CDiagObj*> members;
    const int n = a.Range(2, 3);
    for (int i = 0; i < n; ++i)
        if (CDiagObj* o = PickObj(doc, a); o && std::find(members.begin(), members.end(), o) == members.end())
            members.push_back(o);
    if (members.size() < 2)
        return;
    InStep(doc, UDMAC_GROUP, [&] {
        auto* g = new CGroup();
        for (CDiagObj* o : members)
            g->AddMember(o, o->m_nId, true);
        if (!doc.AddGroupWithId(g)) {
            delete g;
            return;
        }
        for (CDiagObj* o : members)
            o->m_pGroup = g;
        SyncGroupFlags(doc);
    });
}

void Ungroup(CKavoDoc& doc, EditArgs& a)
{
    if (CGroup* g = PickGroup(doc, a))
        InStep(doc, UDMAC_UNGROUP, [&] { doc.CutGroup(g, -1); });
}

void LeaveGroups(CKavoDoc& doc, EditArgs& a)
{
    CDiagObj* o = PickObj(doc, a);
    if (o && o->m_pGroup)
        InStep(doc, UDMAC_UNGROUP, [&] { doc.RemoveFromGroups(o); });
}

// ---- staples

// The objects a staple is about to pin, with the staple each points at.
struct Pins {
    std::vector<std::pair<CDiagObj*, CStaple*>> saved;
    explicit Pins(std::initializer_list<CDiagObj*> objs)
    {
        for (CDiagObj* o : objs)
            saved.emplace_back(o, o->m_pStaple);
    }
    void Restore() const
    {
        for (const auto& [o, s] : saved)
            o->m_pStaple = s;
    }
};

// Makes a staple inside the step (making it pins its objects) and adds it;
// when that fails the objects point where they did before and it goes.
template <class Make>
void AddStaple(CKavoDoc& doc, int code, std::initializer_list<CDiagObj*> objs, Make make)
{
    InStep(doc, code, [&] {
        const Pins pins(objs);
        auto* s = new CStaple(&doc);
        make(*s);
        if (doc.AddStapleWithId(s)) {
            doc.UpdateAllStaples(1);
            return;
        }
        pins.Restore();
        delete s;
    });
}

void StapleFigureLabel(CKavoDoc& doc, EditArgs& a)
{
    CFigure* fig = PickFig(doc, a);
    CFigure* label = PickFig(doc, a);
    const int p[4] = {a.Below(256), a.Below(256), a.Below(256), a.Below(256)};
    const int dx = a.Range(-20, 20), dy = a.Range(-20, 20);
    if (fig && label && fig != label)
        AddStaple(doc, UDMAC_STAPLELBL, {fig, label},
                  [&](CStaple& s) { s.MakeFigLbl(fig, p[0], p[1], label, p[2], p[3], dx, dy); });
}

void StapleConnectorLabel(CKavoDoc& doc, EditArgs& a)
{
    CConnector* con = PickCon(doc, a);
    CFigure* label = PickFig(doc, a);
    if (con && label && con->m_pFig1 != label && con->m_pFig2 != label)
        AddStaple(doc, UDMAC_CREATECONLBL, {con, label},
                  [&](CStaple& s) { s.MakeConLbl(con, con->GetMidPoint(), label, 127, 127); });
}

void LinkFigures(CKavoDoc& doc, EditArgs& a)
{
    CFigure* leader = PickFig(doc, a);
    CFigure* linked = PickFig(doc, a);
    const int p[4] = {a.Below(256), a.Below(256), a.Below(256), a.Below(256)};
    const int dx = a.Range(-20, 20), dy = a.Range(-20, 20);
    if (leader && linked && leader != linked)
        AddStaple(doc, UDMAC_STAPLELBL, {leader, linked},
                  [&](CStaple& s) { s.MakeFigLink(leader, p[0], p[1], linked, p[2], p[3], dx, dy); });
}

void SlideStaple(CKavoDoc& doc, EditArgs& a)
{
    CStaple* s = PickStaple(doc, a);
    const int pos = a.Below(256), dx = a.Range(-10, 10);
    if (s)
        InStep(doc, UDMAC_SLIDELBL, [&] {
            if (!LogStapleState(doc, s))
                return;
            s->ConPos = pos;
            s->OffsetX += dx;
        });
}

// ---- properties

void FlipConnector(CKavoDoc& doc, EditArgs& a)
{
    if (CConnector* c = PickCon(doc, a))
        InStep(doc, UDMAC_FLIP, [&] { doc.FlipCon(c); });
}

void FigureProps(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int style = a.Below(doc.m_figStyles.GetCount());
    const COLORREF color = a.Next() & 0xFFFFFF;
    if (f)
        InStep(doc, UDMAC_FIGPROPS, [&] {
            if (!doc.LogFigureState(f))
                return;
            f->m_props.BorderColor = color;
            f->m_nStyle = style;
        });
}

void ConnectorProps(CKavoDoc& doc, EditArgs& a)
{
    CConnector* c = PickCon(doc, a);
    const int width = a.Range(1, 9), hint = a.Below(3);
    // Sometimes the straight bit too, whose route fixes the hint.
    const uint32_t toggled = a.Chance(50) ? 0x3 : 0x2;
    if (c)
        InStep(doc, UDMAC_CONPROPS, [&] {
            if (!doc.LogConnectorState(UDOC_CONPROPS, c))
                return;
            c->m_props.LineWidth = width;
            c->m_props.Behavior.low ^= toggled;
            c->m_nOrientHint = hint;
        });
}

void FigureColors(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const COLORREF color = a.Next() & 0xFFFFFF;
    if (f)
        InStep(doc, UDMAC_COLORSCHEME, [&] {
            if (!doc.LogFigColors(f))
                return;
            f->m_props.TextColor = color;
            f->m_props.m_fill.m_crColor1 = color;
        });
}

void ConnectorColors(CKavoDoc& doc, EditArgs& a)
{
    CConnector* c = PickCon(doc, a);
    const COLORREF color = a.Next() & 0xFFFFFF;
    if (c)
        InStep(doc, UDMAC_COLORSCHEME, [&] {
            if (doc.LogConColors(c))
                c->m_props.Color = color;
        });
}

void TextRotation(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int16_t rot = int16_t(a.Below(4) * 900);
    if (f)
        InStep(doc, UDMAC_TXTROTATE, [&] {
            if (doc.LogTextRotation(f))
                f->m_nTextRotate = rot;
        });
}

void AddConnectionPoint(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const CFltPoint pt(float(a.Below(4096)), float(a.Below(4096)));
    if (f)
        InStep(doc, UDMAC_ADDCONPT, [&] {
            if (!doc.LogFigConPts(f))
                return;
            if (!f->m_pConPts)
                f->m_pConPts = std::make_unique<CConPtList>();
            f->m_bHasConPts = 1;
            f->m_pConPts->AddConPt(pt, "p", 0, true, -1);
        });
}

void DirectionIndicator(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int value = a.Below(3);
    if (f)
        InStep(doc, UDMAC_SETASSIND, [&] {
            if (doc.LogFigAssInd(f))
                f->AssociationIndicator = value;
        });
}

void EndSymbol(CKavoDoc& doc, EditArgs& a)
{
    CConnector* c = PickCon(doc, a);
    const int end = a.Range(1, 2), index = a.Below(doc.m_endSymbols.GetCount());
    if (c && doc.m_endSymbols.GetCount() > 0)
        InStep(doc, UDMAC_SETCONENDSYMBOL, [&] {
            if (doc.LogConEndSymbol(c, end))
                (end == 1 ? c->m_props.End1 : c->m_props.End2) = index;
        });
}

// ---- styles and document settings

void FigStyleProps(CKavoDoc& doc, EditArgs& a)
{
    CFigStyle* s = doc.m_figStyles.GetAt(a.Below(doc.m_figStyles.GetCount()));
    const int width = a.Range(20, 400);
    const COLORREF color = a.Next() & 0xFFFFFF;
    if (s)
        InStep(doc, UDMAC_FIGSTYLES, [&] {
            if (!doc.LogFigStyleProps(s))
                return;
            s->Width = width;
            s->m_props.BorderColor = color;
        });
}

void ConStyleProps(CKavoDoc& doc, EditArgs& a)
{
    CConStyle* s = doc.m_conStyles.GetAt(a.Below(doc.m_conStyles.GetCount()));
    const int width = a.Range(1, 9);
    if (s)
        InStep(doc, UDMAC_CONSTYLES, [&] {
            if (doc.LogConStyleProps(s))
                s->m_props.LineWidth = width;
        });
}

void StyleColors(CKavoDoc& doc, EditArgs& a)
{
    const COLORREF color = a.Next() & 0xFFFFFF;
    const bool figures = a.Chance(50);
    InStep(doc, UDMAC_COLORSCHEME, [&] {
        if (figures && doc.LogFigStyleColors()) {
            for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
                doc.m_figStyles.GetAt(i)->m_props.BorderColor = color;
        } else if (!figures && doc.LogConStyleColors()) {
            for (int i = 0; i < doc.m_conStyles.GetCount(); ++i)
                doc.m_conStyles.GetAt(i)->m_props.Color = color;
        }
    });
}

void WholeStyle(CKavoDoc& doc, EditArgs& a)
{
    const bool figures = a.Chance(50);
    const int index = a.Range(1, 3);
    const COLORREF color = a.Next() & 0xFFFFFF;
    InStep(doc, figures ? UDMAC_FIGSTYLE : UDMAC_CONSTYLE, [&] {
        if (figures) {
            CFigStyle* s = doc.m_figStyles.GetAt(index);
            if (s && doc.LogFigStyleState(s))
                s->m_props.TextColor = color;
        } else {
            CConStyle* s = doc.m_conStyles.GetAt(index);
            if (s && doc.LogConStyleState(s))
                s->m_props.End1FillColor = color;
        }
    });
}

void Shadow(CKavoDoc& doc, EditArgs& a)
{
    CShadowSpec spec = doc.m_shadowSpec;
    spec.m_nOffsetX = a.Range(0, 12);
    spec.m_nType = a.Below(2);
    doc.SetShadowSettings(spec);
}

void LineSpacing(CKavoDoc& doc, EditArgs& a)
{
    const int mode = a.Below(3);
    const float value = float(a.Range(1, 8)) / 2;
    InStep(doc, UDMAC_SETLINESPACING, [&] { doc.SetLineSpacing(mode, value); });
}

void Margins(CKavoDoc& doc, EditArgs& a)
{
    SetFigMargins(doc, a.Range(1, 30), a.Range(1, 30), a.Range(1, 30), a.Range(1, 30), a.Chance(50));
}

// ---- the property sheet and the text-format command on the selection

// The group question is answered by the setting, so that the only prompt an
// edit shows is the undo log's.
template <class Fn>
void WithoutGroupQuestion(EditArgs& a, Fn fn)
{
    const int prompt = PromptForApplyToGroups, apply = ApplyToGroups;
    PromptForApplyToGroups = 0;
    ApplyToGroups = a.Chance(50);
    fn();
    PromptForApplyToGroups = prompt;
    ApplyToGroups = apply;
}

void SheetProps(CKavoDoc& doc, EditArgs& a)
{
    FigPropValues v;
    CFigPropMask m;
    v.props.BorderColor = COLORREF(a.Below(0x1000000));
    m.m_bBorderColor = a.Chance(50);
    v.props.m_fill.m_crColor1 = COLORREF(a.Below(0x1000000));
    m.m_fill.m_bColor1 = a.Chance(30);
    v.props.Behavior.low = DWORD(a.Next());
    m.m_behavior.low = a.Chance(30) ? DWORD(a.Next()) & 0xFF : 0;
    v.x = a.Range(-300, 300);
    v.y = a.Range(-300, 300);
    m.m_bSheet[kSheetX] = m.m_bSheet[kSheetY] = a.Chance(30);
    v.width = a.Range(0, 400);
    v.height = a.Range(0, 400);
    m.m_bSheet[kSheetWidth] = a.Chance(40);
    m.m_bSheet[kSheetHeight] = a.Chance(40);
    v.text = SomeText(a);
    m.m_bSheet[kSheetText] = a.Chance(20);
    const int styles = doc.m_figStyles.GetCount();
    v.style = styles ? a.Below(styles) : -1;
    m.m_bSheet[kSheetStyle] = a.Chance(15);
    m.m_bSheet[kSheetConPts] = a.Chance(10);   // back to the style's points
    const int target = a.Below(3);
    WithoutGroupQuestion(a, [&] { doc.ApplyPropsToSelection(target, v, m); });
}

// A loop from a figure's top side back to it through a junction above it,
// on two connection points of its own: what a resize keeps in shape.
void SelfLoop(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int inset = a.Range(0, 30), spread = a.Range(5, 60), above = a.Range(10, 80);
    if (!f || f->IsInvisible() || f->m_rect.Width() <= 0 || f->m_rect.Height() <= 0)
        return;
    const CRect r = f->m_rect;
    const CPoint mid = r.CenterPoint();
    auto norm = [&](int x, int y) {
        return CFltPoint(float((x - r.left) * 2048.0 / r.Width()), float(std::min(y - r.top, r.Height()) * 2048.0 / r.Height()));
    };
    InStep(doc, UDMAC_ADDSELFREF, [&] {
        if (!doc.LogFigConPts(f))
            return;
        if (!f->m_pConPts)
            f->m_pConPts = std::make_unique<CConPtList>();
        f->m_bHasConPts = 1;
        const int32_t p1 = f->m_pConPts->AddConPt(norm(mid.x - spread, r.top + inset), "", 0, true, -1);
        const int32_t p2 = f->m_pConPts->AddConPt(norm(mid.x + spread, r.top + inset), "", 0, true, -1);
        CFigure* j = doc.CreateFigAt(CPoint(mid.x - 7, r.top - above), 1);
        if (!j || p1 <= 0 || p2 <= 0)
            return;
        const CConProps props;
        if (doc.CreateCon(f, j, p1, -1, mid, j->GetCenter(), -1, props))
            doc.CreateCon(j, f, -1, p2, j->GetCenter(), mid, -1, props);
    });
}

// Selects a figure with connection points of its own (not undoable), so
// that the sheet's size changes meet loops.
void SelectFigureWithPoints(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CFigure*> figs;
    for (CFigure* f : Figs(doc))
        if (f->m_pConPts && f->m_pConPts->GetCount() > 0)
            figs.push_back(f);
    if (CFigure* f = Pick(a, figs)) {
        doc.ClearSelection();
        doc.Select(f);
        SyncGroupFlags(doc);
    }
}

// The sheet's font, format, reflow and fit flags, marked-up texts and shapes.
void SheetTextProps(CKavoDoc& doc, EditArgs& a)
{
    static const char* texts[] = {"\\b one\\b0  two", "one\\line two", "\\fs24 big\\fs16  \\qr right",
                                  "a \\softline b", "x\\sect y"};
    static const char* faces[] = {"Arial", "Courier New", "Times New Roman"};
    static const WORD formats[] = {0x22, 0x11, 0x44, 0x12, 0x41};
    FigPropValues v;
    CFigPropMask m;
    v.props.m_font.m_lf.lfWeight = a.Chance(50) ? 700 : 400;
    v.props.m_font.m_lf.lfHeight = -a.Range(6, 20);
    v.props.m_font.m_lf.lfItalic = BYTE(a.Below(2));
    SetLogFontFace(v.props.m_font.m_lf, faces[a.Below(3)]);
    m.m_bFont = a.Chance(40);
    v.props.TextFormat = formats[a.Below(5)];
    m.m_bTextFormat = a.Chance(40);
    v.props.TextColor = COLORREF(a.Below(0x1000000));
    m.m_bTextColor = a.Chance(30);
    static const DWORD bits[] = {kFigFlagReflowText, 0x80, 0x100, 0x10000, 0x40000};
    for (DWORD bit : bits)
        if (a.Chance(20)) {
            m.m_behavior.low |= bit;
            if (a.Chance(50))
                v.props.Behavior.low |= bit;
        }
    v.text = texts[a.Below(5)];
    m.m_bSheet[kSheetText] = a.Chance(30);
    v.props.Symbol = a.Below(std::max(1, doc.m_figSymbols.GetCount()));
    m.m_bShape = a.Chance(15);
    v.width = a.Range(20, 300);
    m.m_bSheet[kSheetWidth] = a.Chance(20);
    const int target = a.Below(3);
    // With the figure margins in force a special shape that comes in is set
    // up for them; the mode itself is the document's, kept as it was.
    const int32_t marginMode = doc.m_nFigMarginMode;
    doc.m_nFigMarginMode = a.Chance(30) ? 1 : 0;
    WithoutGroupQuestion(a, [&] { doc.ApplyPropsToSelection(target, v, m); });
    doc.m_nFigMarginMode = marginMode;
}

void FontCommand(CKavoDoc& doc, EditArgs& a)
{
    static const char* faces[] = {"", "Arial", "Courier New"};
    FontChoice c;
    c.bold = a.Range(-1, 1);
    c.italic = a.Range(-1, 1);
    c.underline = a.Range(-1, 1);
    c.height = a.Chance(50) ? a.Range(6, 24) : 0;
    c.color = a.Chance(30) ? int64_t(a.Below(0x1000000)) : -1;
    c.face = faces[a.Below(3)];
    doc.ApplyFontToSel(c);
}

void TextFormat(CKavoDoc& doc, EditArgs& a)
{
    static const WORD formats[] = {0x22, 0x11, 0x44, 0x12, 0x41};
    const WORD format = formats[a.Below(5)];
    WithoutGroupQuestion(a, [&] { doc.ApplyTextFormatToSel(format); });
}

// ---- commands of the document on the selected connectors and figures

void ConnectorCommand(CKavoDoc& doc, EditArgs& a)
{
    static const int ids[] = {33030, 33031, 33032, 33033, 36540, 36543, 36544, 36549, 33059, 33061};
    const int id = ids[a.Below(10)];
    WithoutGroupQuestion(a, [&] { OnConnectorCommand(doc, id); });
}

void ArrowsCommand(CKavoDoc& doc, EditArgs& a)
{
    static const char* ends[] = {"null", "block", "block (solid)"};
    doc.m_strLastEnd = ends[a.Below(3)];
    doc.m_nLastEndLen = a.Range(10, 60);
    OnArrowsCommand(doc, 33056 + a.Below(3));
}

void FigureLineCommand(CKavoDoc& doc, EditArgs& a)
{
    const int id = 36550 + a.Below(5);
    WithoutGroupQuestion(a, [&] { OnFigureLineCommand(doc, id); });
}

// ---- inserted symbols, loop connectors, delete and cut

void InsertSymbol(CKavoDoc& doc, EditArgs& a)
{
    static const char* names[] = {"ins", "[ins", "ins:1"};
    CFigSymbol sym = *doc.m_figSymbols.GetAt(1);
    sym.SetName(names[a.Below(3)]);
    sym.FixedAspect = a.Below(2);
    sym.Height = a.Chance(50) ? a.Range(10, 200) : 0;
    sym.Width = a.Range(10, 300);
    const int smart = SmartDefaults;
    SmartDefaults = a.Below(2);
    GetDocCommandSeams().symbolGallery = [&](CFigSymbol& chosen) {
        chosen = sym;
        return true;
    };
    OnInsertSymbol(doc);
    GetDocCommandSeams().symbolGallery = nullptr;
    SmartDefaults = smart;
}

void AddLoopConnector(CKavoDoc& doc, EditArgs& a)
{
    CFigure* f = PickFig(doc, a);
    const int kind = a.Range(0, 8), radius = a.Range(0, 200);
    GetDocCommandSeams().makeSelfLoopCon = [](CKavoDoc& d, CFigure& fig, const std::vector<POINT>& pts) {
        return d.CreateCon(&fig, nullptr, -1, -1, pts.front(), pts[1], -1, CConProps());
    };
    doc.AddSelfRef(f, kind, radius);
    GetDocCommandSeams().makeSelfLoopCon = nullptr;
}

void DeleteSelection(CKavoDoc& doc, EditArgs&)
{
    OnEditClear(doc);
}

void CutSelection(CKavoDoc& doc, EditArgs&)
{
    GetDocCommandSeams().copySelection = [](CKavoDoc&) { return 1; };
    OnEditCut(doc);
    GetDocCommandSeams().copySelection = nullptr;
}

// ---- not undoable, or undoable only with the navigation switch

void Navigate(CKavoDoc& doc, EditArgs& a)
{
    const bool zoom = a.Chance(50);
    const int x = a.Range(-500, 500), y = a.Range(-500, 500);
    InStep(doc, zoom ? UDMAC_ZOOM : UDMAC_PAN, [&] { doc.LogView(x, y, zoom ? 1.5 : 1.0); });
}

void ChangeSelection(CKavoDoc& doc, EditArgs& a)
{
    doc.ClearSelection();
    const int n = a.Below(4);
    for (int i = 0; i < n; ++i)
        doc.Select(PickObj(doc, a));
    SyncGroupFlags(doc);
}
// ---- selection with its cascades, moves, z-order, group commands, flow edits

void SelectWithCascade(CKavoDoc& doc, EditArgs& a)
{
    CDiagObj* o = PickObj(doc, a);
    const int mode = a.Range(1, 3);
    if (o)
        doc.SelectObj(o, mode, 0, 0);
}

void SelectInRectangle(CKavoDoc& doc, EditArgs& a)
{
    const int x = a.Range(-500, 300), y = a.Range(-500, 300);
    doc.SelectInRect(CRect(x, y, x + a.Range(50, 800), y + a.Range(50, 800)), a.Range(1, 2));
}

void MoveSelected(CKavoDoc& doc, EditArgs& a)
{
    const int dx = a.Range(-60, 60), dy = a.Range(-60, 60);
    doc.MoveSelection(dx, dy, 0, false);
}

void ZOrderCommand(CKavoDoc& doc, EditArgs& a)
{
    switch (a.Below(4)) {
    case 0: doc.BringToFront(); break;
    case 1: doc.SendToBack(); break;
    case 2: doc.BringForwardOne(); break;
    default: doc.SendBackOne(); break;
    }
}

void GroupCommands(CKavoDoc& doc, EditArgs& a)
{
    switch (a.Below(4)) {
    case 0: doc.OnGroup(); break;
    case 1: doc.OnUngroup(); break;
    case 2: doc.OnUngroupAll(); break;
    default: doc.OnRegroup(); break;
    }
}

void FlowCommands(CKavoDoc& doc, EditArgs& a)
{
    switch (a.Below(3)) {
    case 0: doc.DeleteJunctions(); break;
    case 1: doc.FlipSelCons(); break;
    default: doc.DetachSelFromFlow(); break;
    }
}

void MergeAtJunction(CKavoDoc& doc, EditArgs& a)
{
    std::vector<CFigure*> jcts;
    for (CFigure* f : Figs(doc))
        if (f->IsRedundantJct())
            jcts.push_back(f);
    CFigure* j = Pick(a, jcts);
    const bool relabel = a.Chance(50);
    CConnector *c1 = nullptr, *c2 = nullptr;
    if (j && doc.GetConsOnFig(j, c1, c2))
        InStep(doc, UDMAC_DELJUNCTS, [&] { doc.MergeConsAtJct(c1, c2, relabel); });
}

void CutWithCascade(CKavoDoc& doc, EditArgs& a)
{
    if (CDiagObj* o = PickObj(doc, a))
        InStep(doc, UDMAC_CUTOBJS, [&] { doc.CutObjAndCascade(o); });
}

void SnapFigureToGrid(CKavoDoc& doc, EditArgs& a)
{
    if (CFigure* f = PickFig(doc, a))
        InStep(doc, UDMAC_MOVEOBJS, [&] { doc.SnapObjToGrid(f); });
}
} // namespace

const std::vector<UndoPropertyEdit>& UndoPropertyEditTable()
{
    static const std::vector<UndoPropertyEdit> table = {
        {"create figure", 14, CreateFigure},
        {"create labelled figure", 2, CreateLabelledFigure},
        {"duplicate connector", 2, DuplicateConnector},
        {"create junction", 4, CreateJunction},
        {"create connector", 12, CreateConnector},
        {"move figures", 8, MoveFigures},
        {"move figure in line", 3, MoveFigureInLine},
        {"resize figure", 4, ResizeFigure},
        {"change order", 4, ChangeOrder},
        {"edit text", 6, EditText},
        {"cut objects", 6, CutObjects},
        {"cut staple", 2, CutStaple},
        {"group", 5, Group},
        {"ungroup", 3, Ungroup},
        {"leave groups", 3, LeaveGroups},
        {"staple figure label", 3, StapleFigureLabel},
        {"staple connector label", 3, StapleConnectorLabel},
        {"link figures", 3, LinkFigures},
        {"slide staple", 2, SlideStaple},
        {"flip connector", 3, FlipConnector},
        {"figure properties", 3, FigureProps},
        {"connector properties", 3, ConnectorProps},
        {"figure colours", 2, FigureColors},
        {"connector colours", 2, ConnectorColors},
        {"text rotation", 2, TextRotation},
        {"add connection point", 2, AddConnectionPoint},
        {"direction indicator", 1, DirectionIndicator},
        {"end symbol", 2, EndSymbol},
        {"figure style properties", 1, FigStyleProps},
        {"connector style properties", 1, ConStyleProps},
        {"style colours", 1, StyleColors},
        {"whole style", 1, WholeStyle},
        {"shadow", 1, Shadow},
        {"line spacing", 1, LineSpacing},
        {"margins", 1, Margins},
        {"sheet properties", 3, SheetProps},
        {"text format", 2, TextFormat},
        {"self loop", 3, SelfLoop},
        {"select figure with points", 3, SelectFigureWithPoints},
        {"sheet text properties", 3, SheetTextProps},
        {"font command", 2, FontCommand},
        {"connector command", 2, ConnectorCommand},
        {"arrows command", 2, ArrowsCommand},
        {"figure line command", 1, FigureLineCommand},
        {"insert symbol", 3, InsertSymbol},
        {"add loop connector", 2, AddLoopConnector},
        {"delete selection", 2, DeleteSelection},
        {"cut selection", 1, CutSelection},
        {"navigate", 3, Navigate},
        {"change selection", 6, ChangeSelection},
        {"select with cascade", 4, SelectWithCascade},
        {"select in rectangle", 2, SelectInRectangle},
        {"move selection", 6, MoveSelected},
        {"z-order command", 3, ZOrderCommand},
        {"group command", 4, GroupCommands},
        {"flow command", 3, FlowCommands},
        {"merge at junction", 2, MergeAtJunction},
        {"cut with cascade", 2, CutWithCascade},
        {"snap figure to grid", 1, SnapFigureToGrid},
    };
    return table;
}
