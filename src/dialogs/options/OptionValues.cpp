#include "dialogs/options/OptionValues.h"

#include "core/Settings.h"
#include "richtext/TextUtils.h"

namespace {
constexpr const char* kSectionMark = "\\sect ";
constexpr int kMaxBranchText = 255;

const OptionCheckItem kGeneral[kGeneralItems] = {
    {690, &SelectAfterFigureCreate, OptionCheckItem::Plain},
    {691, &SelectAfterConnectorCreate, OptionCheckItem::Plain},
    {692, &AutoOpen, OptionCheckItem::Plain},
    {693, &AutoEditOnCreate, OptionCheckItem::Plain},
    {695, &AutoLabelOnCreate, OptionCheckItem::Plain},
    {696, &DoubleClickEditsText, OptionCheckItem::Plain},
    {697, &NonRectBounds, OptionCheckItem::Plain},
    {752, &ExportWholeLines, OptionCheckItem::Plain},
    {756, &SnapToConLblSlots, OptionCheckItem::Plain},
    {817, &SnapToLatLblSlots, OptionCheckItem::Plain},
    {757, &SnapToFlwLblSlots, OptionCheckItem::Plain},
    {758, &SnapToFigLblSlots, OptionCheckItem::Plain},
    {794, &SnapToFigLblPrimarySlotOnly, OptionCheckItem::Plain},
    {787, &SnapToFlows, OptionCheckItem::Plain},
    {785, &EnableOldBranchLabels, OptionCheckItem::Plain},
    {821, &PromptForApplyToGroups, OptionCheckItem::Plain},
    {822, &UndoableNavigation, OptionCheckItem::Plain},
    {823, &AutoDeleteOrphanCons, OptionCheckItem::Plain},
    {824, &LimitedWorkspace, OptionCheckItem::Plain},
    {830, &FullPathCaptions, OptionCheckItem::Plain},
    {834, &WarnOutsideMargins, OptionCheckItem::Plain},
    {865, &NoSplash, OptionCheckItem::Plain},
    {885, &DisplayQuality, OptionCheckItem::IsOne},
};

const OptionCheckItem kView[kViewItems] = {
    {711, &ShowStatusBar, OptionCheckItem::Plain},
    {850, &ShowStdToolBar, OptionCheckItem::Plain},
    {706, &ShowPropertyBar, OptionCheckItem::Plain},
    {851, &CollapsedStyleBar, OptionCheckItem::Inverted},
    {707, &ShowRulers, OptionCheckItem::Plain},
    {708, &ShowPage, OptionCheckItem::Plain},
    {710, &ShowConnectionPoints, OptionCheckItem::Plain},
    {712, &ShowConnectionGuides, OptionCheckItem::Plain},
};

const OptionColor kColors[kOptionColors] = {
    {1290, "Page:", &PageColor, 0xFFFFFF},
    {1234, "Off page:", &OffPageColor, 0xFCFCCC},
    {1293, "Margins:", &MarginsColor, 0x808080},
    {1295, "Grid:", &GridColor, 0xC0C0C0},
    {1311, "Handles:", &HandleColor, 255},
    {1327, "Reshape:", &ReshapeHandleColor, 0xFFFF},
    {1312, "Connection points:", &ConPtColor, 300284},
};
} // namespace

bool OptionItemChecked(const OptionCheckItem& item)
{
    switch (item.kind) {
    case OptionCheckItem::Inverted: return *item.setting == 0;
    case OptionCheckItem::IsOne: return *item.setting == 1;
    default: return *item.setting != 0;
    }
}

int OptionItemValue(const OptionCheckItem& item, bool checked)
{
    return item.kind == OptionCheckItem::Inverted ? (checked ? 0 : 1) : (checked ? 1 : 0);
}

std::span<const OptionCheckItem> GeneralOptionItems()
{
    return kGeneral;
}

std::span<const OptionCheckItem> ViewOptionItems()
{
    return kView;
}

int ViewItemToggleCommand(int item)
{
    switch (item) {
    case kViewStdToolBar: return 32826;
    case kViewPropertyBar: return 32824;
    case kViewStyleBar: return 32825;
    default: return 0;
    }
}

std::span<const OptionColor> OptionColors()
{
    return kColors;
}

OptionValues OptionValues::FromSettings()
{
    OptionValues v;
    v.metric = Metric;
    v.scaleImport = ScaleImport >= kScaleImportLow && ScaleImport <= kScaleImportHigh ? ScaleImport
                                                                                       : kScaleImportShown;
    for (int i = 0; i < kGeneralItems; ++i)
        v.general[size_t(i)] = OptionItemChecked(kGeneral[i]);
    v.gridDots = ShowGridAsDots;
    for (int i = 0; i < kViewItems; ++i)
        v.view[size_t(i)] = OptionItemChecked(kView[i]);
    for (int i = 0; i < 6; ++i)
        v.zoom[size_t(i)] = Zoom[i];
    v.screenHeight = ScreenHeight;
    for (int i = 0; i < kOptionColors; ++i)
        v.colors[size_t(i)] = *kColors[i].setting;
    v.autoBackup = AutoBackup;
    v.autoSave = AutoSave;
    v.autoSaveMinutes = AutoSaveMinutes >= kAutoSaveLow && AutoSaveMinutes <= kAutoSaveHigh ? AutoSaveMinutes
                                                                                            : kAutoSavePageDefault;
    v.autoLabelDecision = AutoLabelDecision;
    v.branchLabels = SplitBranchLabels(AutoLabelDecisionTxt);
    return v;
}

std::array<std::string, kBranchLabels> SplitBranchLabels(const std::string& text)
{
    std::array<std::string, kBranchLabels> labels;
    for (int i = 0; i < kBranchLabels; ++i)
        ExtractSubStringByDelim(text, kSectionMark, i + 1, labels[size_t(i)]);
    return labels;
}

std::string JoinBranchLabels(const std::array<std::string, kBranchLabels>& labels)
{
    std::string text;
    for (int i = 0; i < kBranchLabels; ++i)
        ReplaceSubStringByDelim(text, kSectionMark, i + 1, labels[size_t(i)], kMaxBranchText);
    return text;
}
