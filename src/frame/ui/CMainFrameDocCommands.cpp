// The commands the diagram document handles itself, routed to the active
// document, with their update rules from the document's state. The frame's
// own rules (installed after these) take over for the ids they name.
#include "frame/ui/CMainFrame.h"

#include "controls/CEndSymbolButton.h"
#include "controls/CPaletteMenu.h"
#include "core/Trace.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/DocCommandSeams.h"
#include "document/DocCommands.h"
#include "editing/LabelMenu.h"
#include "editing/SizeToText.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "editing/ui/ViewContextMenu.h"
#include "editing/ui/ViewPointCommands.h"
#include "platform/Ansi.h"
#include "shapes/CShapeDef.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Toolbar boxes whose edit field takes the Delete key for itself; the boxes
// carry their command id in the property "commandId".
constexpr int kFontSizeBoxId = 32776;
constexpr int kZoomBoxId = 32779;

// The edit field of such a box when the keyboard focus is in it (the box or
// its field holds the focus; the frame's focus child counts while the frame
// is not active).
QLineEdit* BarEditWithFocus(const QWidget& frame)
{
    QWidget* focus = QApplication::focusWidget();
    if (!focus)
        focus = frame.focusWidget();
    auto* box = qobject_cast<QComboBox*>(focus);
    if (!box && focus)
        box = qobject_cast<QComboBox*>(focus->parentWidget());
    if (!box || !box->lineEdit())
        return nullptr;
    const int id = box->property("commandId").toInt();
    return id == kFontSizeBoxId || id == kZoomBoxId ? box->lineEdit() : nullptr;
}

void PassDeleteKey(QLineEdit* edit)
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(edit, &down);
    QApplication::sendEvent(edit, &up);
}

bool ShowsCheck(int id)
{
    return id == 33072 || id == 33073 || id == 36555 || id == 32822 || id == 32814 || AttachModeOfCommand(id) >= 0 ||
           (id >= 33030 && id <= 33033) ||
           (id >= 36540 && id <= 36554) || (id >= 33056 && id <= 33061);
}

// Commands whose whole action is one call on the document, with the trace
// line they write first (none when empty).
struct SimpleCommand {
    int id;
    const char* trace;
    void (*run)(CKavoDoc& doc);
};

const SimpleCommand kSimpleCommands[] = {
    {33064, "USER  Flip connectors\n", [](CKavoDoc& d) { d.FlipSelCons(); }},
    {33027, "USER  Front\n", [](CKavoDoc& d) { d.BringToFront(); }},
    {32780, "USER  Front Next\n", [](CKavoDoc& d) { d.BringForwardOne(); }},
    {32778, "USER  Back Next\n", [](CKavoDoc& d) { d.SendBackOne(); }},
    {33028, "USER  Back\n", [](CKavoDoc& d) { d.SendToBack(); }},
    {33029, "", [](CKavoDoc& d) { d.SelectAll(); }},
    {33034, "", [](CKavoDoc& d) { d.DeselectAllObjs(); }},
    {32787, "", [](CKavoDoc& d) { OnEditText(d); }},
    {32791, "", [](CKavoDoc& d) { OnInsertSymbol(d); }},
    {32801, "", [](CKavoDoc& d) { d.NewStyleFrom(0); }},
    {32802, "", [](CKavoDoc& d) { d.NewStyleFrom(2); }},
    {32803, "", [](CKavoDoc& d) { d.NewStyleFrom(1); }},
    {32804, "", [](CKavoDoc& d) { d.UpdateStyleFrom(0); }},
    {32805, "", [](CKavoDoc& d) { d.UpdateStyleFrom(2); }},
    {32806, "", [](CKavoDoc& d) { d.UpdateStyleFrom(1); }},
    {32822, "", [](CKavoDoc& d) { d.OnActivateContainer(); }},
    {32814, "", [](CKavoDoc& d) { d.OnUseConPts(); }},
    {32818, "", [](CKavoDoc& d) { d.OnGroup(); }},
    {32819, "", [](CKavoDoc& d) { d.OnUngroup(); }},
    {32820, "", [](CKavoDoc& d) { d.OnUngroupAll(); }},
    {32821, "", [](CKavoDoc& d) { d.OnRegroup(); }},
    {40004, "", [](CKavoDoc& d) { d.OnSameWidth(); }},
    {40005, "", [](CKavoDoc& d) { d.OnSameHeight(); }},
    {40006, "", [](CKavoDoc& d) { d.OnSameSize(); }},
    {40009, "", [](CKavoDoc& d) { OnSizeToText(d); }},
    {33122, "", [](CKavoDoc& d) { d.OnAttachLblToFig(); }},
    {33123, "", [](CKavoDoc& d) { d.OnDetachLbl(); }},
};

void ReleaseMouseAfter()
{
    if (const auto& release = GetDocCommandSeams().releaseMouseAtCursor)
        release();
}

// The logical point of the view where its context menu was opened.
CPoint MenuLogicalPoint(const CKavoView& view)
{
    const CPoint screen = GetRightClickPoint();
    const QPoint client = view.viewport()->mapFromGlobal(QPoint(screen.x, screen.y));
    return view.ClientPtToLogical(CPoint(client.x(), client.y()));
}

bool IsLabelMenuCommand(int id)
{
    return id == kCmdAddConLblHere || id == kCmdAddLatLblHere || id == kCmdFlowLblSlot1 || id == kCmdFlowLblSlot2 ||
           FigLblCodeOfCommand(id) != 0;
}

} // namespace

void CMainFrame::InstallDocCommands()
{
    // Insert Symbol picks from the figure symbol gallery.
    InstallSymbolGallerySeam();
    // The end-symbol palettes' "..." entry browses the symbol files.
    CEndSymbolButton::SetGallery([](QWidget* button, const std::string& current, std::string* chosen) {
        CShapeDef symbol;
        if (!RunEndSymbolGallery(button, current, symbol))
            return false;
        *chosen = symbol.m_strName;
        return true;
    });
    // Edit Text finds the text area under the mouse cursor of the active view.
    GetDocCommandSeams().cursorLogicalPos = [](POINT& logical) {
        const CKavoView* v = GetActiveKavoView();
        if (!v)
            return false;
        const QPoint client = v->mapFromGlobal(QCursor::pos());
        logical = v->ClientPtToLogical(CPoint(client.x(), client.y()));
        return true;
    };
    // Add Self-Transition loops a connector through the document's points.
    GetDocCommandSeams().makeSelfLoopCon = [](CKavoDoc& doc, CFigure& fig, const std::vector<POINT>& points) {
        return doc.MakeSelfLoopCon(fig, points);
    };
    // The view's double click opens the properties sheets through the
    // commands.
    GetTextEntrySeams().sendCommand = [this](int id) { OnCommand(id); };
    // Typing over a connector without a label makes its label and opens the
    // editor on it with the typed character, the typing inside the label's
    // one step.
    GetTextEntrySeams().createConLbl = [](CKavoView& view, CConnector* con, const CPoint& logical, char ch) {
        if (!view.CreateConLbl(con, logical))
            return false;
        const CStaple* staple = view.GetDocument()->FindConOrLatLblStaple(con);
        return staple && staple->m_pFig1 && view.EditNewLabel(staple->m_pFig1, ch);
    };
    // Typing over empty space makes a free label there, edited the same way.
    GetTextEntrySeams().createLbl = [](CKavoView& view, const CPoint& logical, char ch) {
        CFigure* label = view.CreateLbl(logical);
        return label && view.EditNewLabel(label, ch);
    };
    // The context menu's label items act where the menu was opened.
    for (int id = kCmdAddConLblHere; id <= kCmdAddLatLblHere; ++id)
        if (IsLabelMenuCommand(id))
            m_commands.SetHandler(id, [this, id] {
                if (CKavoView* v = GetActiveView())
                    v->OnLabelMenuCommand(id, MenuLogicalPoint(*v));
            });
    // The connector and figure items act where the menu was opened too.
    const std::pair<int, bool (*)(CKavoView&, const CPoint&)> pointCommands[] = {
        {kCmdAddJunctionHere, AddJunctionHere},
        {kCmdSnipConHere, SnipConnectorHere},
        {kCmdAddSelfRefHere, AddSelfRefHere},
    };
    for (const auto& [id, run] : pointCommands)
        m_commands.SetHandler(id, [this, run = run] {
            if (CKavoView* v = GetActiveView())
                run(*v, MenuLogicalPoint(*v));
        });
    const auto onDoc = [this](std::function<void(CKavoDoc&)> fn) {
        return [this, fn] {
            if (CKavoDoc* d = GetActiveDocument())
                fn(*d);
        };
    };
    // The connector menu's "Terminator" items set the end symbol on the
    // connector end the menu was opened at.
    for (int id = kTerminatorFirstCmd; id <= kTerminatorLastCmd; ++id)
        m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { RunTerminatorCommand(d, id); }));
    for (const SimpleCommand& c : kSimpleCommands)
        m_commands.SetHandler(c.id, onDoc([c](CKavoDoc& d) {
            if (*c.trace)
                DiagPrintf("%s", c.trace);
            c.run(d);
        }));
    m_commands.SetHandler(33072, onDoc([this](CKavoDoc& d) {
        OnToggleGrid(d);
        UpdateSubmenuStates();
    }));
    m_commands.SetHandler(33073, onDoc([this](CKavoDoc& d) {
        OnToggleSnap(d);
        UpdateSubmenuStates();
    }));
    m_commands.SetHandler(57643, onDoc([this](CKavoDoc& d) {
        DiagPrintf("USER  Undo\n");
        // A gesture holding objects of the document (a connector being
        // drawn) ends before undo replaces them.
        if (CKavoView* v = GetActiveView()) {
            v->CloseTextEditor();
            v->CancelGesture();
        }
        d.UndoLastStep();
        UpdateSubmenuStates();
    }));
    m_commands.SetHandler(57632, onDoc([this](CKavoDoc& d) {
        if (QLineEdit* edit = BarEditWithFocus(*this))
            PassDeleteKey(edit);
        else
            OnEditClear(d);
    }));
    m_commands.SetHandler(57635, onDoc([](CKavoDoc& d) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        OnEditCut(d);
        QApplication::restoreOverrideCursor();
    }));
    m_commands.SetHandler(33039, onDoc([](CKavoDoc& d) {
        d.DeleteJunctions();
        ReleaseMouseAfter();
    }));
    // The connectors at the junctions come apart, their ends pulled back by
    // twice the view's hit tolerance.
    m_commands.SetHandler(33071, onDoc([this](CKavoDoc& d) {
        const CKavoView* v = GetActiveView();
        d.DeleteJunctsSnip(2 * (v ? v->m_nHitTolerance : 1));
        ReleaseMouseAfter();
    }));
    for (const DocCommand& c : DocCommandTable()) {
        const int id = c.id;
        if (ConShapeOfCommand(id) >= 0 || PenStyleOfCommand(id) >= 0 || (id >= 36540 && id <= 36543) ||
            (id >= 33059 && id <= 33061))
            m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { OnConnectorCommand(d, id); }));
        else if (id >= 36550 && id <= 36554)
            m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { OnFigureLineCommand(d, id); }));
        else if (id >= 33056 && id <= 33058)
            m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { OnArrowsCommand(d, id); }));
        else if (AttachModeOfCommand(id) >= 0)
            m_commands.SetHandler(id, onDoc([this, id](CKavoDoc& d) {
                d.SetAttachMode(AttachModeOfCommand(id));
                UpdateSubmenuStates();
            }));
        m_commands.SetUpdate(id, [this, id](CmdUI& ui) {
            const CKavoDoc* d = GetActiveDocument();
            const DocCommandState st = d ? GetDocCommandState(*d, id) : DocCommandState();
            ui.Enable(st.enabled);
            if (ShowsCheck(id))
                ui.SetCheck(st.checked);
        });
    }
    // Drop Shadow turns the shadow on when its item is not checked now (the
    // check its update rule shows; the action has flipped its own already);
    // it needs the Figures menu that shows it.
    m_commands.SetHandler(36555, onDoc([this](CKavoDoc& d) {
        if (!FindTopMenu(AnsiToQString("F&igures")))
            return;
        SetDropShadow(d, !GetDocCommandState(d, 36555).checked);
    }));
}
