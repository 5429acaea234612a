#include "frame/ui/OptionsCommand.h"

#include "platform/Prompt.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "dialogs/options/COptionsSheet.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "render/CZoomMapping.h"

#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include <algorithm>
#include <cmath>
#include <set>

namespace {
constexpr int kCmdOptions = 33082;
constexpr int kCmdZoomBox = 32779;
constexpr int kCmdCollapsedStyles = 36565;
constexpr UINT IDS_CONPT_COLOR_UNUSED = 724;
constexpr int kGeneralLimitedWorkspace = 18, kGeneralFullPath = 19, kGeneralDisplayQuality = 22;
constexpr int kViewStatusBar = 0, kViewRulers = 4;
constexpr int kColorConPts = 6;
// A screen height within the field's rounding of the old one is the old one.
constexpr double kHeightTolerance = 0.001;

std::vector<CKavoView*> Views(CMainFrame& frame)
{
    std::vector<CKavoView*> views;
    for (QMdiSubWindow* child : frame.MdiArea()->subWindowList())
        if (auto* v = qobject_cast<CKavoView*>(child->widget()))
            views.push_back(v);
    return views;
}

std::set<CKavoDoc*> Documents(CMainFrame& frame)
{
    std::set<CKavoDoc*> docs;
    for (CKavoView* v : Views(frame))
        if (v->GetDocument())
            docs.insert(v->GetDocument());
    return docs;
}

// Stores a plain value when it differs; whether it did.
template <class T>
bool StoreIfChanged(T& setting, const T& wanted)
{
    if (setting == wanted)
        return false;
    setting = wanted;
    return true;
}

void RefillZoomBox(CMainFrame& frame)
{
    frame.RelabelZoomMenu();
    auto* box = qobject_cast<QComboBox*>(frame.GetBarControlForCmd(kCmdZoomBox));
    if (!box)
        return;
    const QString typed = box->currentText();
    box->clear();
    for (int z : Zoom)
        box->addItem(QString("%1%").arg(z));
    box->setEditText(typed);
}

struct FollowUps {
    bool redraw = false, rescale = false, relayout = false, titles = false, autosave = false, zoom = false,
         styles = false, conPtNote = false;
};

void StoreGeneral(const OptionValues& w, FollowUps& f)
{
    if (StoreIfChanged(Metric, w.metric))
        f.relayout = f.redraw = true;
    StoreIfChanged(ScaleImport, w.scaleImport);
    const auto items = GeneralOptionItems();
    for (int i = 0; i < kGeneralItems; ++i) {
        const OptionCheckItem& item = items[size_t(i)];
        if (OptionItemChecked(item) == w.general[size_t(i)])
            continue;
        *item.setting = OptionItemValue(item, w.general[size_t(i)]);
        f.rescale |= i == kGeneralLimitedWorkspace;
        f.titles |= i == kGeneralFullPath;
        if (i == kGeneralDisplayQuality)
            f.styles = f.redraw = true;
    }
}

void StoreView(CMainFrame& frame, const OptionValues& w, FollowUps& f)
{
    if (StoreIfChanged(ShowGridAsDots, w.gridDots))
        f.redraw = true;
    const auto items = ViewOptionItems();
    for (int i = 0; i < kViewItems; ++i) {
        const OptionCheckItem& item = items[size_t(i)];
        if (OptionItemChecked(item) == w.view[size_t(i)])
            continue;
        // The bars' own toggle commands flip their settings: the value is
        // not stored here as well, or the second flip would undo the first.
        if (const int toggle = ViewItemToggleCommand(i)) {
            frame.OnCommand(toggle);
            continue;
        }
        *item.setting = OptionItemValue(item, w.view[size_t(i)]);
        if (i == kViewStatusBar)
            frame.statusBar()->setVisible(ShowStatusBar != 0);
        else if (i == kViewRulers)
            for (CKavoView* v : Views(frame))
                v->RedrawFrameNow();
        else
            f.redraw = true;
    }
}

void StoreZoomAndColors(CKavoDoc* active, const OptionValues& w, FollowUps& f)
{
    int zoom[6];
    std::copy(w.zoom.begin(), w.zoom.end(), zoom);
    if (!std::equal(zoom, zoom + 6, Zoom)) {
        SortZoomTable(zoom);
        std::copy(zoom, zoom + 6, Zoom);
        f.zoom = true;
    }
    if (std::fabs(w.screenHeight - ScreenHeight) > kHeightTolerance) {
        ScreenHeight = w.screenHeight;
        f.rescale = f.redraw = true;
    }
    const auto colors = OptionColors();
    for (int i = 0; i < kOptionColors; ++i)
        if (StoreIfChanged(*colors[size_t(i)].setting, w.colors[size_t(i)])) {
            // Handle and reshape brushes are made from the settings at each
            // drawing: the redraw shows them.
            f.redraw = true;
            f.conPtNote |= i == kColorConPts && !(active && active->IsShowingConPts());
        }
}

void StoreSaveAndLabels(const OptionValues& w, FollowUps& f)
{
    StoreIfChanged(AutoBackup, w.autoBackup);
    f.autosave |= StoreIfChanged(AutoSave, w.autoSave);
    f.autosave |= StoreIfChanged(AutoSaveMinutes, w.autoSaveMinutes);
    StoreIfChanged(AutoLabelDecision, w.autoLabelDecision);
    if (SplitBranchLabels(AutoLabelDecisionTxt) != w.branchLabels)
        AutoLabelDecisionTxt = JoinBranchLabels(w.branchLabels);
}

void RunFollowUps(CMainFrame& frame, const FollowUps& f)
{
    if (f.zoom)
        RefillZoomBox(frame);
    if (f.rescale)
        for (CKavoView* v : Views(frame))
            v->SetScrollSizesForView(v->GetViewAnchorPoint(kAnchorTopLeft), float(v->GetZoomFactor()));
    if (f.relayout)
        for (CKavoDoc* d : Documents(frame))
            UpdatePageLayout(*d);
    if (f.conPtNote)
        MsgBoxResPrintf(MB_ICONINFORMATION, IDS_CONPT_COLOR_UNUSED);
    if (f.autosave)
        frame.ResetAutoSaveTimer();
    if (f.titles) {
        for (CKavoDoc* d : Documents(frame))
            if (!d->GetPathName().empty())
                d->SetPathName(d->GetPathName(), false);
        frame.RefreshFrameTitles();
    }
    if (f.styles)
        if (QWidget* samples = frame.GetBarControlForCmd(kCmdCollapsedStyles))
            samples->update();
    if (f.redraw)
        for (CKavoDoc* d : Documents(frame))
            d->UpdateAllViews(nullptr, 0, nullptr);
}
} // namespace

void ApplyOptionValues(CMainFrame& frame, const OptionValues& wanted)
{
    FollowUps f;
    StoreGeneral(wanted, f);
    StoreView(frame, wanted, f);
    StoreZoomAndColors(frame.GetActiveDocument(), wanted, f);
    StoreSaveAndLabels(wanted, f);
    RunFollowUps(frame, f);
    CfgSaveAll();
}

void InstallOptionsCommand(CMainFrame& frame)
{
    frame.Commands().SetHandler(kCmdOptions, [&frame] {
        DiagPrintf("USER  Modify preferences\n");
        CloseActiveTextEditor();
        OptionValues wanted = OptionValues::FromSettings();
        if (RunOptionsSheet(&frame, wanted))
            ApplyOptionValues(frame, wanted);
    });
}
