// The frame's own commands (zoom, display toggles, windows) and the update
// rules that enable, check and label the commands of the menus.
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CKavoFrm.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "dialogs/CZoomIntervalsDlg.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "platform/Ansi.h"
#include "render/ViewPaint.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace {
// Submenus greyed when none of their commands is enabled.
struct SubmenuRule {
    const char* top;
    const char* sub;
    std::vector<int> ids;
};

const std::vector<SubmenuRule>& SubmenuRules()
{
    static const std::vector<SubmenuRule> rules = {
        {"F&igures", "Space &Evenly", {40013}},
        {"F&igures", "&Align", {33190}},
        {"F&igures", "&Center on Page", {40012}},
        {"&Edit", "Paste &As", {57637}},
        {"F&igures", "&Make Same Size", {40006}},
        {"F&igures", "Border &Width", {36551}},
        {"&Labels", "&Rotate", {36534}},
        {"&Connectors", "Line &Width", {36540}},
        {"&Connectors", "&Line Pattern", {36544}},
        {"&Connectors", "&Curvature", {33030}},
        {"&Connectors", "A&rrows", {33059}},
        {"&Edit", "&Order", {33027}},
        {"&Edit", "&Grouping", {32818, 32819, 32820, 32821}},
    };
    return rules;
}

// The modes of the mode buttons.
const int kModeSelect = 0, kModeSelectText = 1, kModeText = 3, kModeZoom = 5, kModeConPoints = 7;

int SelectedCount(const CKavoDoc* doc)
{
    return doc && doc->m_pSelList ? doc->m_pSelList->GetCount() : 0;
}

bool SelectionIsOneInvisibleFigure(const CKavoDoc* doc)
{
    if (SelectedCount(doc) != 1)
        return false;
    const CDiagObj* obj = *doc->m_pSelList->begin();
    return obj->GetType() == kObjFigure && static_cast<const CFigure*>(obj)->IsInvisible();
}
} // namespace

void CMainFrame::InstallViewCommands()
{
    auto onView = [this](void (CKavoView::*fn)()) {
        return [this, fn] {
            if (CKavoView* v = GetActiveView())
                (v->*fn)();
        };
    };
    m_commands.SetHandler(36511, onView(&CKavoView::OnZoomInKey));
    m_commands.SetHandler(36512, onView(&CKavoView::OnZoomOutKey));
    m_commands.SetHandler(36514, onView(&CKavoView::OnZoomPrevPage));
    m_commands.SetHandler(36515, onView(&CKavoView::OnZoomNextPage));
    m_commands.SetHandler(36517, onView(&CKavoView::OnZoomInButton));
    m_commands.SetHandler(36518, onView(&CKavoView::OnZoomOutButton));
    m_commands.SetHandler(36520, onView(&CKavoView::OnZoomPageWidth));
    m_commands.SetHandler(36521, onView(&CKavoView::OnZoomWholePage));
    m_commands.SetHandler(36523, onView(&CKavoView::OnZoomAllObjects));
    m_commands.SetHandler(36524, onView(&CKavoView::OnZoomSelectedObjects));
    m_commands.SetHandler(36522, [this] {
        if (CKavoView* v = GetActiveView(); v && v->OnZoomSetIntervals(&RunZoomIntervalsDialog))
            RelabelZoomMenu();
    });
    for (int i = 0; i < 6; ++i)
        m_commands.SetHandler(36525 + i, [this, i] {
            if (CKavoView* v = GetActiveView())
                v->OnZoomPreset(i);
        });
    // Keys of commands that are on no menu (keyboard zoom, the mode buttons):
    // their actions live on the frame.
    for (const auto& [id, text] : {std::pair{36511, "Zoom in\tPlus"}, {36512, "Zoom out\tMinus"},
                                   {36500, "Select Mode\tF3"}, {36503, "Seltext Mode\tF4"},
                                   {36501, "Text Mode\tF5"}, {36504, "Connection Point Tool\tF6"},
                                   {36502, "Zoom Mode\tF7"}})
        addAction(m_commands.Add(id, text));

    m_commands.SetHandler(33083, [this] {
        DiagPrintf("USER  Toggle show rulers\n");
        ShowRulers = !ShowRulers;
        for (QMdiSubWindow* child : m_mdiArea->subWindowList())
            if (auto* v = qobject_cast<CKavoView*>(child->widget()))
                v->RedrawFrameNow();
        UpdateSubmenuStates();
        CfgSaveAll();
    });
    m_commands.SetHandler(33085, [this] {
        DiagPrintf("USER  Toggle show page\n");
        ShowPage = !ShowPage;
        for (QMdiSubWindow* child : m_mdiArea->subWindowList())
            if (auto* v = qobject_cast<CKavoView*>(child->widget()))
                v->OnUpdate(nullptr, 0, nullptr);
        UpdateSubmenuStates();
        CfgSaveAll();
    });
    m_commands.SetHandler(33124, [this] {
        DiagPrintf("USER  Toggle AutoLabel\n");
        AutoLabelOnCreate = !AutoLabelOnCreate;
        UpdateSubmenuStates();
        CfgSaveAll();
    });
    // UI-mode commands: with a document only.
    const std::pair<int, int> modes[] = {{36500, 0}, {36503, 1}, {36501, 3}, {36502, 5}, {36504, 7}, {36558, 6}};
    for (const auto& [id, mode] : modes)
        m_commands.SetHandler(id, [this, mode = mode] {
            if (GetActiveDocument())
                EnterUIMode(mode, 0);
        });
    // The bars' own toggles are installed with the bars (CMainFrameBars.cpp).
    m_commands.SetHandler(57650, [this] { CascadeChildFrames(*m_mdiArea); });
    m_commands.SetHandler(57651, [this] { m_mdiArea->tileSubWindows(); });
    m_commands.SetHandler(57665, [this] { close(); });
}

void CMainFrame::InstallUpdateRules()
{
    auto doc = [this] { return GetActiveDocument(); };
    auto view = [this] { return GetActiveView(); };
    m_commands.SetUpdate(57643, [doc](CmdUI& ui) {
        CKavoDoc* d = doc();
        std::string text = "&Undo\tCtrl+Z";
        const bool can = d && d->GetUndoMenuState(text);
        ui.Enable(can);
        ui.SetText(can ? text : std::string("&Undo"));
    });
    // Delete, Copy and Cut serve the open text editor as well: Delete
    // always, Copy and Cut while it has text marked.
    const auto editor = [view]() -> const CTextDialog* { return view() ? view()->TextEditor() : nullptr; };
    m_commands.SetUpdate(57632, [doc, editor](CmdUI& ui) {
        ui.Enable(doc() && (editor() || SelectedCount(doc()) > 0));
    });
    for (int id : {57634, 57635})
        m_commands.SetUpdate(id, [doc, editor](CmdUI& ui) {
            ui.Enable(doc() && ((editor() && editor()->HasSelection()) ||
                                (SelectedCount(doc()) > 0 && !SelectionIsOneInvisibleFigure(doc()))));
        });
    m_commands.SetUpdate(32768, [doc](CmdUI& ui) {
        ui.Enable(SelectedCount(doc()) > 0 && !SelectionIsOneInvisibleFigure(doc()));
    });
    for (int id : {32780, 32778})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(SelectedCount(doc()) == 1); });
    for (int id : {33027, 33028, 33034})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(SelectedCount(doc()) > 0); });
    for (int id : {33029, 40003})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) {
            ui.Enable(doc() && doc()->m_pObjList && !doc()->m_pObjList->IsEmpty());
        });
    for (int id : {36520, 36521})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(ShowPage && doc() && HasPageSize(*doc())); });
    m_commands.SetUpdate(36523, [doc](CmdUI& ui) {
        ui.Enable(doc() && doc()->m_pObjList && !doc()->m_pObjList->IsEmpty());
    });
    m_commands.SetUpdate(36524, [doc](CmdUI& ui) { ui.Enable(SelectedCount(doc()) > 0); });
    for (int id : {36514, 36515})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(doc() && ShowPage); });
    // The zoom commands are the view's: with no view there is no handler
    // for them, and a button without one is shown disabled.
    for (int id : {36511, 36512, 36517, 36518, 36522, 36525, 36526, 36527, 36528, 36529, 36530})
        m_commands.SetUpdate(id, [view](CmdUI& ui) { ui.Enable(view() != nullptr); });
    for (int id : {33082, 32823})
        m_commands.SetUpdate(id, [](CmdUI& ui) { ui.Enable(true); });
    for (int id : {36539, 33070, 36560, 32785})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(doc() != nullptr); });
    m_commands.SetUpdate(36559, [doc](CmdUI& ui) { ui.Enable(doc() && !doc()->GetPathName().empty()); });
    m_commands.SetUpdate(33083, [doc](CmdUI& ui) {
        ui.Enable(doc() != nullptr);
        ui.SetCheck(ShowRulers != 0);
    });
    m_commands.SetUpdate(33085, [](CmdUI& ui) { ui.SetCheck(ShowPage != 0); });
    for (int id : {32824, 33087})
        m_commands.SetUpdate(id, [](CmdUI& ui) { ui.SetCheck(ShowPropertyBar != 0); });
    m_commands.SetUpdate(32825, [](CmdUI& ui) { ui.SetCheck(CollapsedStyleBar == 0); });
    m_commands.SetUpdate(32826, [](CmdUI& ui) { ui.SetCheck(ShowStdToolBar != 0); });
    m_commands.SetUpdate(33124, [](CmdUI& ui) { ui.SetCheck(AutoLabelOnCreate != 0); });
    m_commands.SetUpdate(33029, [doc](CmdUI& ui) {
        ui.Enable(doc() && doc()->m_pObjList && !doc()->m_pObjList->IsEmpty());
    });
    // Mode buttons: the current mode's button is chosen and disabled.
    // The Select Mode (Esc) button stands for the remembered select mode.
    const std::pair<int, const int*> modes[] = {{36500, &kModeSelect}, {36503, &kModeSelectText},
                                                {36501, &kModeText},   {36502, &kModeZoom},
                                                {36504, &kModeConPoints}, {36558, &SelectMode}};
    for (const auto& [id, mode] : modes)
        m_commands.SetUpdate(id, [view, mode = mode](CmdUI& ui) {
            const bool child = view() != nullptr;
            ui.Enable(child && g_nUIMode != *mode);
            ui.SetRadio(child && g_nUIMode == *mode);
        });
    for (int id : {57602, 57603, 57604, 57607, 57648, 57609, 36537, 36538})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(doc() != nullptr); });
    // Revert needs a diagram saved before and changed since.
    m_commands.SetUpdate(36570, [doc](CmdUI& ui) {
        const CKavoDoc* d = doc();
        ui.Enable(d && !d->GetPathName().empty() && d->IsModified());
    });
}

void CMainFrame::UpdateSubmenuStates()
{
    for (const SubmenuRule& rule : SubmenuRules()) {
        QMenu* top = FindTopMenu(AnsiToQString(rule.top));
        if (!top)
            continue;
        for (QAction* item : top->actions()) {
            if (!item->menu() || item->text() != AnsiToQString(rule.sub))
                continue;
            bool any = false;
            for (int id : rule.ids)
                any = any || m_commands.QueryCmdState(id).enabled;
            item->setEnabled(any);
        }
    }
}
