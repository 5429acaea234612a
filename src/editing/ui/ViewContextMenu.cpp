#include "editing/ui/ViewContextMenu.h"

#include "core/MessageBeep.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/EndSymbolCmds.h"
#include "document/FlowAtPoint.h"
#include "document/LabelPlacement.h"
#include "document/Trunks.h"
#include "editing/LabelMenu.h"
#include "editing/ui/CKavoView.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QMenu>

#include <initializer_list>
#include <vector>

namespace {
ContextMenuSeams g_seams;
CPoint g_rightClick;

// The connector end the "Terminator" submenu was built for; its end-symbol
// commands act on it. Kept by id, so that a connector deleted meanwhile is
// not touched.
struct TerminatorTarget {
    const CKavoDoc* doc = nullptr;
    int32_t conId = -1;
    int end = 0;
};
TerminatorTarget g_terminator;

constexpr int kConnectorDrawMode = 4;
constexpr size_t kMaxItemText = 255;

// Adds items to one menu level.
class MenuWriter {
public:
    explicit MenuWriter(ContextMenu& items) : m_items(items) {}

    // A copy of the main menu's item; false when it is not there.
    bool Main(const char* top, int id, const char* sub = "")
    {
        std::string text;
        if (!g_seams.mainMenuText || !g_seams.mainMenuText(top, sub, id, text))
            return false;
        if (text.size() > kMaxItemText)
            text.resize(kMaxItemText);
        m_items.push_back(ContextMenuItem{id, text, true, false, {}});
        return true;
    }
    // The main menu's item only when its command is enabled.
    bool MainIfEnabled(const char* top, int id, const char* sub = "")
    {
        return IsEnabled(id) && Main(top, id, sub);
    }
    void Text(int id, const std::string& text, bool enabled = true)
    {
        m_items.push_back(ContextMenuItem{id, text, enabled, false, {}});
    }
    void Res(UINT stringId, int id, bool enabled = true)
    {
        const char* text = FindResString(stringId);
        Text(id, text ? text : "", enabled);
    }
    // A submenu of the main menu's items under top > sub; nothing when none
    // is there.
    void MainSub(const char* top, const char* sub, std::initializer_list<int> ids)
    {
        ContextMenuItem menu{0, sub, true, false, {}};
        MenuWriter w(menu.children);
        for (int id : ids)
            id == 0 ? w.Sep() : (void)w.Main(top, id, sub);
        if (!menu.children.empty())
            m_items.push_back(menu);
    }
    ContextMenu& Sub(const std::string& text)
    {
        m_items.push_back(ContextMenuItem{0, text, true, false, {}});
        return m_items.back().children;
    }
    void Sep() { m_items.push_back(ContextMenuItem{}); }
    size_t Count() const { return m_items.size(); }
    static bool IsEnabled(int id) { return !g_seams.isEnabled || g_seams.isEnabled(id); }

private:
    ContextMenu& m_items;
};

enum class MenuKind { None, Figure, Label, Connector };

// All selected objects of one kind decide the menu; a mixed or empty
// selection gives none.
MenuKind KindOfSelection(const CKavoDoc& doc)
{
    int figures = 0, labels = 0, connectors = 0, n = 0;
    for (const CDiagObj* o : *doc.m_pSelList) {
        ++n;
        if (o->GetType() == kObjConnector)
            ++connectors;
        else if (o->GetType() == kObjFigure)
            ++(static_cast<const CFigure*>(o)->m_bLabel ? labels : figures);
    }
    if (n == 0)
        return MenuKind::None;
    return figures == n ? MenuKind::Figure : labels == n ? MenuKind::Label : connectors == n ? MenuKind::Connector
                                                                                             : MenuKind::None;
}

void GeneralMenu(MenuWriter& w)
{
    w.MainIfEnabled("&Edit", 32821, "&Grouping");
    w.Main("&Edit", 57643);
    w.MainIfEnabled("&Edit", 57637);
    w.Sep();
    w.Main("F&igures", 32791);
    w.Main("&Insert", 32785);
    w.Sep();
    for (int id : {57603, 57604, 57607, 57602})
        w.Main("&File", id);
}

CFigure* FirstSelectedFigure(const CKavoDoc& doc)
{
    for (CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjFigure)
            return static_cast<CFigure*>(o);
    return nullptr;
}

int CountSelectedRedundantJunctions(const CKavoDoc& doc)
{
    int n = 0;
    for (const CDiagObj* o : *doc.m_pSelList)
        n += o->GetType() == kObjFigure && static_cast<const CFigure*>(o)->IsRedundantJct() ? 1 : 0;
    return n;
}

// The items that act at the clicked point of a connector or junction.
bool AppendConPointItems(MenuWriter& w, const CKavoDoc& doc, const POINT& pt, int tolerance)
{
    const size_t before = w.Count();
    if (CConnector* con = doc.ConFromPoint(pt.x, pt.y, tolerance, false)) {
        if (!doc.FindConOrLatLblStaple(con)) {
            w.Res(759, 33041);
            w.Res(868, 33075);
        }
        if (!con->HasFlags(1, 0)) {
            w.Res(730, 33040);
            w.Res(725, 33038);
        }
    }
    CDiagObj* hit = doc.ObjFromPoint(pt.x, pt.y, tolerance, false, -1, 0, 0);
    if (hit && hit->GetType() == kObjFigure && static_cast<CFigure*>(hit)->IsRedundantJct()) {
        const int selected = CountSelectedRedundantJunctions(doc);
        std::string text = FindResString(2021) ? FindResString(2021) : "";
        if (selected == 1 && !text.empty())
            text.pop_back();
        w.Text(33039, text);
        if (selected == 1)
            w.Res(2068, 33071);
    }
    return w.Count() != before;
}

// The two flow-label sides of the flow; a side that has a label is greyed.
void AppendFlowLabelItems(MenuWriter& w, const CKavoDoc& doc, const FlowAtPoint& flow)
{
    const char* title = FindResString(773);
    MenuWriter sub(w.Sub(title ? title : ""));
    sub.Res(774, kCmdFlowLblSlot1, !doc.FindFlowLblStaple(flow.con, flow.fig, 1));
    sub.Res(775, kCmdFlowLblSlot2, !doc.FindFlowLblStaple(flow.con, flow.fig, 2));
}

// The end symbols that may go on the connector's end nearer the point, the
// end's own checked; nothing when no end or no symbol is offered.
void AppendTerminatorItems(MenuWriter& w, const CKavoDoc& doc, const CConnector* con, const POINT& pt)
{
    int end = 0;
    std::vector<UINT> ids;
    if (ListEndSymbolCmds(doc, con, ids) <= 0 || !doc.PickConEnd(con, pt, end))
        return;
    const int current = end == 1 ? con->m_props.End1 : con->m_props.End2;
    ContextMenu& sub = w.Sub("Terminator");
    for (UINT id : ids) {
        const int index = int(id) - kTerminatorFirstCmd;
        const CShapeDef* symbol = doc.m_endSymbols.GetAt(index);
        sub.push_back(ContextMenuItem{int(id), symbol ? symbol->m_strName : "", true, index == current, {}});
    }
    g_terminator = TerminatorTarget{&doc, con->m_nId, end};
}

// The twelve figure-label positions; a position that has a label is greyed.
void AppendFigLabelItems(MenuWriter& w, const CKavoDoc& doc, const CFigure* fig)
{
    // Position codes of the commands 33042..33053, in command order.
    static constexpr int kCodes[12] = {1, 2, 3, 4, 5, 6, 9, 8, 7, 12, 11, 10};
    static constexpr struct {
        UINT text;
        int command;
    } kRows[12] = {{762, 33043}, {768, 33049}, {771, 33052}, {765, 33046}, {761, 33042}, {763, 33044},
                   {764, 33045}, {766, 33047}, {767, 33048}, {769, 33050}, {770, 33051}, {772, 33053}};
    const char* title = FindResString(760);
    MenuWriter sub(w.Sub(title ? title : ""));
    for (int i = 0; i < 12; ++i) {
        if (i == 4)
            sub.Sep();
        const int code = kCodes[kRows[i].command - 33042];
        sub.Res(kRows[i].text, kRows[i].command, !HasFigLabelAt(doc, fig, code));
    }
}

void AppendDirectionItems(MenuWriter& w, const CFigure* label)
{
    ContextMenu& sub = w.Sub("Direction Indicator");
    const char* names[3] = {"None", "Forward", "Backward"};
    for (int i = 0; i < 3; ++i)
        sub.push_back(ContextMenuItem{32828 + i, names[i], true, label->AssociationIndicator == i, {}});
}

void FigureItems(MenuWriter& w, bool one)
{
    w.Sep();
    w.MainSub("F&igures", "Border &Width", {36550, 36551, 36552, 36553, 36554});
    if (one) {
        w.Main("&Edit", 32787);
        w.Main("F&igures", 32771);
        w.Main("F&igures", 32772);
        w.Main("F&igures", 32804);
        w.Main("F&igures", 32801);
        w.Sep();
        if (MenuWriter::IsEnabled(32822))
            w.Text(32822, "Active Container");
    }
    w.Main("F&igures", 33054);
}

void LabelItems(MenuWriter& w, bool one)
{
    w.Sep();
    if (one) {
        w.Main("&Edit", 32787);
        w.MainSub("&Labels", "&Rotate", {36534, 36535, 36536});
        w.Main("F&igures", 32771);
        w.Main("F&igures", 32772);
        w.Main("&Labels", 32806);
        w.Main("&Labels", 32803);
        w.Sep();
    }
    w.Main("&Labels", 33120);
}

// Line width, pattern, curvature and arrows: the connector menu's and the
// connector-drawing mode's.
void ConnectorSubmenus(MenuWriter& w)
{
    w.MainSub("&Connectors", "Line &Width", {36540, 36541, 36542, 36543});
    w.MainSub("&Connectors", "&Line Pattern", {36544, 36545, 36546, 36547, 36548, 36549});
    w.MainSub("&Connectors", "&Curvature", {33030, 33031, 33032, 33033});
    ContextMenu& arrows = w.Sub("A&rrows");
    MenuWriter a(arrows);
    for (int id : {33056, 33057, 33058, 0, 33059, 33060, 33061, 0})
        id == 0 ? a.Sep() : (void)a.Main("&Connectors", id, "A&rrows");
    a.Main("&Connectors", 33062);
}

void ConnectorItems(MenuWriter& w)
{
    w.Sep();
    w.Main("&Connectors", 33064);
    ConnectorSubmenus(w);
    w.Main("&Connectors", 32805);
    w.Main("&Connectors", 32802);
    w.Main("&Connectors", 33063);
}

void CommonItems(MenuWriter& w, bool anything)
{
    if (anything)
        w.Sep();
    for (int id : {57635, 57634, 57632})
        w.Main("&Edit", id);
    w.Sep();
    w.MainSub("&Edit", "&Grouping", {32818, 32819, 32820, 32821});
    w.MainSub("&Edit", "&Order", {33027, 33028, 32780, 32778});
}

// No separator at either end or next to another, in every level; a
// submenu left empty goes.
void Tidy(ContextMenu& items)
{
    ContextMenu out;
    for (ContextMenuItem& item : items) {
        const bool isMenu = item.id == 0 && !item.text.empty();
        if (isMenu) {
            Tidy(item.children);
            if (item.children.empty())
                continue;
        }
        const bool isSep = item.id == 0 && !isMenu;
        if (isSep && (out.empty() || (out.back().id == 0 && out.back().children.empty())))
            continue;
        out.push_back(std::move(item));
    }
    while (!out.empty() && out.back().id == 0 && out.back().children.empty())
        out.pop_back();
    items = std::move(out);
}

void KeepRightClick(CKavoView& view, const CPoint& client)
{
    const QPoint global = view.viewport()->mapToGlobal(QPoint(client.x, client.y));
    g_rightClick = CPoint(global.x(), global.y());
}

void FillQMenu(QMenu& menu, const ContextMenu& items)
{
    for (const ContextMenuItem& item : items) {
        if (!item.children.empty()) {
            FillQMenu(*menu.addMenu(AnsiToQString(item.text)), item.children);
            continue;
        }
        if (item.id == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(AnsiToQString(item.text));
        action->setEnabled(item.enabled && MenuWriter::IsEnabled(item.id));
        if (item.checked) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, [id] {
            if (g_seams.runCommand)
                g_seams.runCommand(id);
        });
    }
}
} // namespace

ContextMenuSeams& GetContextMenuSeams()
{
    return g_seams;
}

void ResetContextMenuSeams()
{
    g_seams = ContextMenuSeams();
    g_rightClick = CPoint();
    g_terminator = TerminatorTarget();
}

CPoint GetRightClickPoint()
{
    return g_rightClick;
}

bool RunTerminatorCommand(CKavoDoc& doc, int id)
{
    if (id < kTerminatorFirstCmd || id > kTerminatorLastCmd || g_terminator.doc != &doc)
        return false;
    CDiagObj* obj = doc.m_pObjList->FindById(g_terminator.conId, kObjConnector);
    if (!obj || !doc.m_endSymbols.GetAt(id - kTerminatorFirstCmd))
        return false;
    doc.SetConEndSymbol(static_cast<CConnector*>(obj), g_terminator.end, id - kTerminatorFirstCmd);
    return true;
}

ContextMenu BuildObjectMenu(CKavoView& view, const CPoint& client)
{
    ContextMenu items;
    CKavoDoc* doc = view.GetDocument();
    if (!doc)
        return items;
    view.CloseTextEditor();
    const CPoint pt = view.ClientPtToLogical(client);
    const int tolerance = view.m_nHitTolerance;
    KeepRightClick(view, client);
    MenuWriter w(items);

    g_terminator = TerminatorTarget();

    // A flow beside its connector: its label items and the common ones.
    FlowAtPoint flow;
    if (FindFlowAt(*doc, pt, tolerance, flow)) {
        AppendFlowLabelItems(w, *doc, flow);
        w.MainIfEnabled("&Labels", 33122);
        CommonItems(w, true);
        Tidy(items);
        return items;
    }

    CDiagObj* hit = doc->ObjFromPoint(pt.x, pt.y, tolerance, false, -1, 0, 0);
    const bool grouped = hit && hit->m_pGroup;
    MenuKind kind = MenuKind::None;
    if (hit && hit->GetType() == kObjFigure) {
        if (!hit->m_bSelected)
            doc->SelectObj(hit, 1, 0, 0);
        kind = static_cast<CFigure*>(hit)->m_bLabel ? MenuKind::Label : MenuKind::Figure;
    } else if (hit && hit->GetType() == kObjConnector) {
        if (!hit->m_bSelected)
            doc->SelectConAndEnds(static_cast<CConnector*>(hit), 1, 0, false);
        kind = MenuKind::Connector;
    }
    if (grouped) {
        kind = MenuKind::None;
    } else if (!hit) {
        kind = KindOfSelection(*doc);
        if (kind == MenuKind::None) {
            GeneralMenu(w);
            Tidy(items);
            return items;
        }
    }

    if (IsTrunkDiagrams() && hit && !grouped && hit->GetType() == kObjConnector)
        AppendTerminatorItems(w, *doc, static_cast<CConnector*>(hit), pt);
    if (!grouped) {
        AppendConPointItems(w, *doc, pt, tolerance);
        w.MainIfEnabled("&Labels", 33122);
    }
    const int selFigs = doc->GetSelFigCount();
    CFigure* firstFig = FirstSelectedFigure(*doc);
    if (kind == MenuKind::Figure && selFigs == 1) {
        if (MenuWriter::IsEnabled(32832))
            w.Text(32832, "Detach");
        if (MenuWriter::IsEnabled(32815))
            w.Text(32815, "Detach From Flow");
    }
    if (kind == MenuKind::Label && selFigs == 1 && firstFig) {
        if (IsTrunkDiagrams() && firstFig->IsTrunkLatLabel())
            AppendDirectionItems(w, firstFig);
        w.MainIfEnabled("&Labels", 33123);
    }
    if (kind == MenuKind::Figure && selFigs == 1 && firstFig && !firstFig->m_pGroup && !firstFig->IsInvisible())
        AppendFigLabelItems(w, *doc, firstFig);
    CommonItems(w, w.Count() > 0);
    if (kind == MenuKind::Figure)
        FigureItems(w, selFigs == 1);
    else if (kind == MenuKind::Label)
        LabelItems(w, selFigs == 1);
    else if (kind == MenuKind::Connector)
        ConnectorItems(w);
    Tidy(items);
    return items;
}

ContextMenu BuildConnectorModeMenu(CKavoView& view, const CPoint& client)
{
    ContextMenu items;
    CKavoDoc* doc = view.GetDocument();
    if (!doc)
        return items;
    view.CloseTextEditor();
    KeepRightClick(view, client);
    const CPoint pt = view.ClientPtToLogical(client);
    MenuWriter w(items);
    CDiagObj* hit = doc->ObjFromPoint(pt.x, pt.y, view.m_nHitTolerance, false, -1, 0, 0);
    if (hit && hit->GetType() == kObjFigure && !hit->m_pGroup) {
        const auto* fig = static_cast<CFigure*>(hit);
        if (!fig->IsInvisible() && !fig->m_bLabel) {
            const char* text = FindResString(799);
            w.Text(33037, text ? text : "");
        }
    }
    ConnectorSubmenus(w);
    Tidy(items);
    return items;
}

void ShowContextMenu(CKavoView& view, const CPoint& client)
{
    ShowContextMenu(view, g_nUIMode == kConnectorDrawMode ? CKavoView::kConnectorMenu : CKavoView::kObjectMenu,
                    client);
}

void InstallContextMenus(CKavoView& view)
{
    CKavoView* target = &view;
    view.m_contextMenuHook = [target](int kind, const CPoint& client) {
        // The connection-point mode's menu is that mode's own.
        if (kind == CKavoView::kObjectMenu || kind == CKavoView::kConnectorMenu)
            ShowContextMenu(*target, kind, client);
        else if (kind == CKavoView::kConPtMenu)
            RunConPtMenu(*target, client);
    };
}

void ShowContextMenu(CKavoView& view, int kind, const CPoint& client)
{
    const ContextMenu items =
        kind == CKavoView::kConnectorMenu ? BuildConnectorModeMenu(view, client) : BuildObjectMenu(view, client);
    if (items.empty()) {
        MessageBeep(0x30);
        return;
    }
    const CPoint at(g_rightClick.x + 2, g_rightClick.y + 2);
    if (g_seams.showMenu) {
        g_seams.showMenu(items, at);
        return;
    }
    QMenu menu(&view);
    FillQMenu(menu, items);
    menu.exec(QPoint(at.x, at.y));
}
