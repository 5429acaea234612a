// Update rules of the commands that act on particular selected objects:
// arranging, sizing, the property sheets, labels and figure hyperlinks. Each
// reads the active document's selection; without a document every one of
// them is disabled.
#include "frame/ui/CMainFrame.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/ArrangeUnits.h"
#include "document/CKavoDoc.h"
#include "document/FlowDetach.h"
#include "document/HyperlinkCommands.h"
#include "document/Trunks.h"
#include "frame/SelectionKinds.h"

namespace {
using namespace selkind;

using Rule = bool (*)(const CKavoDoc&);

const CFigure* OnlySelectedFigure(const CKavoDoc& d)
{
    return d.GetSelCount() == 1 ? d.GetFirstSelFig(kAnyFigure, kAllObjects) : nullptr;
}

bool TwoLabelParts(const CKavoDoc& d)
{
    // A plain figure and a label that no staple holds yet.
    if (d.GetSelCount() != 2 || d.GetSelFigCount() != 2)
        return false;
    const CFigure* label = d.GetFirstSelFig(kLabels, kAllObjects);
    return label && !label->IsStapled() && d.GetFirstSelFig(kPlainFigures, kAllObjects);
}

bool PinnedLabelAlone(const CKavoDoc& d)
{
    const CFigure* f = OnlySelectedFigure(d);
    return f && f->m_bLabel && f->IsStapled();
}

// The one selected object when it is a lateral label of a trunk
// association (and trunk diagrams are switched on).
const CFigure* OnlyTrunkLatLabel(const CKavoDoc& d)
{
    if (!IsTrunkDiagrams() || d.GetSelCount() != 1)
        return nullptr;
    const CDiagObj* o = *d.m_pSelList->begin();
    const auto* f = o->GetType() == kObjFigure ? static_cast<const CFigure*>(o) : nullptr;
    return f && f->IsTrunkLatLabel() ? f : nullptr;
}

// A figure of its own, alone among the plain figures, that its two
// connectors could pass by.
bool CanDetachOneFromFlow(const CKavoDoc& d)
{
    if (d.CountSelFigs(kPlainFigures, kUngrouped) != 1)
        return false;
    CConnector *a = nullptr, *b = nullptr;
    return CanDetachFigFromFlow(d, d.GetFirstSelFig(kPlainFigures, kUngrouped), a, b);
}

struct SelectionRule {
    int first, last;
    Rule enabled;
};

const SelectionRule kRules[] = {
    // Align: two units; Space Evenly: three (connector labels left out).
    {33190, 33195, [](const CKavoDoc& d) { return CountArrangeUnits(d, true, true) > 1; }},
    {40013, 40020, [](const CKavoDoc& d) { return CountArrangeUnits(d, true, false) > 2; }},
    {40004, 40006, [](const CKavoDoc& d) { return d.CountSelFigs(kPlainFigures, kGroupScope) > 1; }},
    {40010, 40012, [](const CKavoDoc& d) { return ShowPage != 0 && d.GetSelFigCount() > 0; }},
    {40009, 40009, [](const CKavoDoc& d) { return d.GetFirstSelFig(kTextAreas, kGroupScope) != nullptr; }},
    // The property sheets of figures, connectors and labels.
    {33054, 33054, [](const CKavoDoc& d) { return d.GetFirstSelFig(kPlainFigures, kGroupScope) != nullptr; }},
    {33063, 33063, [](const CKavoDoc& d) { return d.GetFirstSelCon(kAnyConnector, kGroupScope) != nullptr; }},
    {33120, 33120, [](const CKavoDoc& d) { return d.GetFirstSelFig(kLabels, kGroupScope) != nullptr; }},
    {33122, 33122, &TwoLabelParts},
    {33123, 33123, &PinnedLabelAlone},
    {ID_SET_HYPERLINK, ID_SET_HYPERLINK,
     [](const CKavoDoc& d) {
         const CFigure* f = OnlySelectedFigure(d);
         return f && !f->IsInvisible();
     }},
    {ID_OPEN_HYPERLINK, ID_OPEN_HYPERLINK,
     [](const CKavoDoc& d) {
         const CFigure* f = OnlySelectedFigure(d);
         return f && !f->m_strLink.empty();
     }},
    {ID_OPEN_PARENT_LINK, ID_OPEN_PARENT_LINK, [](const CKavoDoc& d) { return d.HasParentLink(); }},
    {32818, 32818, [](const CKavoDoc& d) { return d.CanGroup(); }},
    {32819, 32820, [](const CKavoDoc& d) { return d.SelHasGroupedObj(); }},
    {32821, 32821, [](const CKavoDoc& d) { return d.m_lastUngroup.GetCount() > 0; }},
    // Detach: a pinned figure alone whose figure link the document finds.
    {32832, 32832, [](const CKavoDoc& d) { return d.CanDetach(); }},
    {32815, 32815, &CanDetachOneFromFlow},
};

// Label text rotation in tenths of a degree, by command 36534..36536.
constexpr int kRotations[] = {0, 900, 2700};
} // namespace

void CMainFrame::InstallSelectionRules()
{
    for (const SelectionRule& r : kRules)
        for (int id = r.first; id <= r.last; ++id)
            m_commands.SetUpdate(id, [this, rule = r.enabled](CmdUI& ui) {
                const CKavoDoc* d = GetActiveDocument();
                ui.Enable(d && rule(*d));
            });
    // Rotation needs the property bar, a selection mode and a label that can
    // turn; the item of its present angle is the chosen one.
    for (int i = 0; i < 3; ++i)
        m_commands.SetUpdate(36534 + i, [this, i](CmdUI& ui) {
            const CKavoDoc* d = GetActiveDocument();
            const CFigure* label = d && ShowPropertyBar && (g_nUIMode == 0 || g_nUIMode == 1)
                                       ? d->GetFirstSelFig(kRotatableLabels, kUngrouped)
                                       : nullptr;
            ui.Enable(label != nullptr);
            ui.SetRadio(label && label->m_nTextRotate == kRotations[i]);
        });
    // The direction indicator of an association's lateral label: the item
    // of its present direction is the chosen one.
    for (int i = 0; i < 3; ++i) {
        m_commands.SetUpdate(kCmdAssocDirNone + i, [this, i](CmdUI& ui) {
            const CKavoDoc* d = GetActiveDocument();
            const CFigure* label = d ? OnlyTrunkLatLabel(*d) : nullptr;
            ui.Enable(label != nullptr);
            ui.SetCheck(label && label->AssociationIndicator == i);
        });
        m_commands.SetHandler(kCmdAssocDirNone + i, [this, i] {
            if (CKavoDoc* d = GetActiveDocument())
                d->OnAssociationDirection(kCmdAssocDirNone + i);
        });
    }
    m_commands.SetHandler(32832, [this] {
        if (CKavoDoc* d = GetActiveDocument())
            d->OnDetach();
    });
    m_commands.SetHandler(32815, [this] {
        if (CKavoDoc* d = GetActiveDocument())
            d->DetachSelFromFlow();
    });
    // The document turns every selected label it may in one undo step.
    for (int i = 0; i < 3; ++i)
        m_commands.SetHandler(36534 + i, [this, i] {
            CKavoDoc* d = GetActiveDocument();
            if (d && d->GetSelFigCount() > 0)
                d->ApplyTextRotationToSel(kRotations[i]);
        });
}
