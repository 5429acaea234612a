#include "core/SettingsTable.h"

#include "core/Settings.h"

#include <cstring>

// The variables, at their built-in defaults; ResetSettings restores these.
PlacementSettings Placement;
int g_nShowPageState = 1;
double ScreenHeight = 9.0;
int CropMarks = 1;
std::string OpenDir;
std::string SaveAsDir;
std::string LinkDir;
int First = 1;
int64_t LastUpdateCheck = 0;
int ChkUpReminderDays = 30;
int SelectMode = 0;
int Metric = 0;
int GridX = 0;
int GridY = 0;
int SnapX = 0;
int SnapY = 0;
int RoundedRadius = 16;
int EnableConPts = 1;
int AttachMode = 1;
int ConnectorJogs = 1;
int ConnectorJogRadius = 18;
int JunctionDots = 0;
int EnableOldBranchLabels = 0;
int OversizeTextRect = 1;
int ShowRulers = 1;
int ShowConnectionPoints = 0;
int ShowStatusBar = 1;
int ShowConnectionGuides = 0;
int ShowPropertyBar = 1;
int ShowStdToolBar = 1;
int ShowPage = 1;
int CollapsedStyleBar = 0;
int AutoOpen = 1;
int ShowGrid = 1;
int ShowGridAsDots = 1;
int AlignToGrid = 1;
int AlignToGridConPts = 0;
int RemindStyles = 1;
int WarnNoUndoScale = 1;
int WarnNoUndoStyles = 1;
int WarnOutsideMargins = 1;
int AutoEditOnCreate = 0;
int ExpPct = 100;
int ExpAntialias = 1;
int ExpTransp = 0;
COLORREF PageColor = 0xFFFFFF;
COLORREF OffPageColor = 0xFCFCCC;
COLORREF MarginsColor = 0x808080;
COLORREF GridColor = 0xC0C0C0;
COLORREF HandleColor = 0x0000FF;
COLORREF ReshapeHandleColor = 0x00FFFF;
COLORREF ConPtColor = 0x0494FC;
int AutoLabelDecision = 0;
int AutoLabelOnCreate = 1;
std::string AutoLabelDecisionTxt;
int SnapToConLblSlots = 1;
int SnapToFlwLblSlots = 1;
int SnapToLatLblSlots = 1;
int SnapToFlows = 1;
int SnapToFigLblPrimarySlotOnly = 1;
int EnableAutoOrthogonal = 1;
int SnapToFigLblSlots = 2;
int FigLblPrimarySector = 8;
int ShowLabelFeedback = 1;
int PreviewSave = 1;
int ConPointMarks = 0;
int ScaleImport = 100;
int HandleSize = 7;
std::string HtmlExtension;
std::string HtmlFolder;
int HtmlScale = 100;
int HtmlQuality = 85;
int HtmlColorBits = 24;
int HtmlInclDiagrams = 1;
int HtmlInclDocs = 0;
int HtmlInclURLs = 1;
COLORREF BitmapBackgroundColor = 0xFFFFFF;
int AutoStyleButtons = 1;
int ShowStyleBarCombos = 1;
int HTMLGraphicFormat = 4;
int FullPathCaptions = 0;
int UseWizard = 1;
int LimitedWorkspace = 1;
int AutoDeleteOrphanCons = 1;
int UndoableNavigation = 1;
COLORREF ShadowColor = 0x000000;
int ShadowX = 8;
int ShadowY = 8;
int ShadowBlurRadius = 4;
int ShadowOpacity = 153;
int SelectAfterFigureCreate = 0;
int SelectAfterConnectorCreate = 0;
int DoubleClickEditsText = 0;
int AutoSave = 0;
int AutoBackup = 0;
int AutoSaveMinutes = 10;
int LastEndLen = 36;
std::string LastEnd;
int NonRectBounds = 1;
int ImportTranspEdges = 1;
int ImportCleanBackground = 1;
int SmartDefaults = 1;
int ShiftToSlide = 0;
int SmartGrowth = 1;
int ResizeByStretching = 1;
int ExportWholeLines = 0;
int RelativeLinks = 1;
int PromptForApplyToGroups = 1;
int ApplyToGroups = 0;
int FullColorIcons = 1;
int NoSplash = 0;
int DisplayQuality = 1;
int ExpType = 0;
int ImpType = 0;
std::string ExpDir;
std::string ImpDir;
int ClipEachObject = 0;
COLORREF PaletteColors[16] = {0xFFFFFF, 0xC0C0C0, 0x828282, 0x000000, 0xFFFF00, 0xFF0000, 0xA00000, 0x800080, 0x0080FF, 0x0000FF, 0x400080, 0x004080, 0x00FF00, 0x008000, 0xFF8080, 0x00FFFF};
int Zoom[6] = {25, 50, 80, 100, 150, 200};

namespace {
// Window positions: any point of a desktop of several screens.
constexpr int kScreenLo = -32768, kScreenHi = 32767;
// A placement that was saved records its length; 0 means none was.
constexpr int kPlacementLength = 44;
const int kPlacementLengths[] = {0, kPlacementLength, kEndOfSet};
// 0 never, or the reminder dialog's choices.
const int kReminderDays[] = {0, 15, 30, 60, 90, kEndOfSet};
// 0 freeform, 1 centres, 3 click point; 2 is an old spelling of 1.
const int kAttachModes[] = {0, 1, 2, 3, kEndOfSet};
// 4 JPEG, 5 PNG, 7 GIF.
const int kHtmlGraphicFormats[] = {4, 5, 7, kEndOfSet};

const SettingDef kTable[] = {
    {"Placement", "Left", SettingKind::Int, &Placement.Left, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "Top", SettingKind::Int, &Placement.Top, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "Right", SettingKind::Int, &Placement.Right, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "Bottom", SettingKind::Int, &Placement.Bottom, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "Length", SettingKind::Int, &Placement.Length, 0, 0.0, 0, 0, kPlacementLength, kPlacementLengths},
    {"Placement", "Flags", SettingKind::Int, &Placement.Flags, 0, 0.0, 0, 0, 7},
    {"Placement", "MinimizedX", SettingKind::Int, &Placement.MinimizedX, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "MinimizedY", SettingKind::Int, &Placement.MinimizedY, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "MaximizedX", SettingKind::Int, &Placement.MaximizedX, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"Placement", "MaximizedY", SettingKind::Int, &Placement.MaximizedY, 0, 0.0, 0, kScreenLo, kScreenHi},
    {"System", "ScreenHeight", SettingKind::Real, &ScreenHeight, 0, 9.0, 0},
    {"System", "CropMarks", SettingKind::Int, &CropMarks, 1, 0.0, 0, 0, 1},
    {"System", "OpenDir", SettingKind::Text, &OpenDir, 0, 0.0, 0},
    {"System", "SaveAsDir", SettingKind::Text, &SaveAsDir, 0, 0.0, 0},
    {"System", "LinkDir", SettingKind::Text, &LinkDir, 0, 0.0, 0},
    {"System", "First", SettingKind::Int, &First, 1, 0.0, 0, 0, 1},
    {"System", "LastUpdateCheck", SettingKind::Time, &LastUpdateCheck, 0, 0.0, 0, 0, INT_MAX},
    {"System", "ChkUpReminderDays", SettingKind::Int, &ChkUpReminderDays, 30, 0.0, 0, 0, 90, kReminderDays},
    {"Palette", "Color1", SettingKind::Color, &PaletteColors[0], 0xFFFFFF, 0.0, 0},
    {"Palette", "Color2", SettingKind::Color, &PaletteColors[1], 0xC0C0C0, 0.0, 0},
    {"Palette", "Color3", SettingKind::Color, &PaletteColors[2], 0x828282, 0.0, 0},
    {"Palette", "Color4", SettingKind::Color, &PaletteColors[3], 0x000000, 0.0, 0},
    {"Palette", "Color5", SettingKind::Color, &PaletteColors[4], 0xFFFF00, 0.0, 0},
    {"Palette", "Color6", SettingKind::Color, &PaletteColors[5], 0xFF0000, 0.0, 0},
    {"Palette", "Color7", SettingKind::Color, &PaletteColors[6], 0xA00000, 0.0, 0},
    {"Palette", "Color8", SettingKind::Color, &PaletteColors[7], 0x800080, 0.0, 0},
    {"Palette", "Color9", SettingKind::Color, &PaletteColors[8], 0x0080FF, 0.0, 0},
    {"Palette", "Color10", SettingKind::Color, &PaletteColors[9], 0x0000FF, 0.0, 0},
    {"Palette", "Color11", SettingKind::Color, &PaletteColors[10], 0x400080, 0.0, 0},
    {"Palette", "Color12", SettingKind::Color, &PaletteColors[11], 0x004080, 0.0, 0},
    {"Palette", "Color13", SettingKind::Color, &PaletteColors[12], 0x00FF00, 0.0, 0},
    {"Palette", "Color14", SettingKind::Color, &PaletteColors[13], 0x008000, 0.0, 0},
    {"Palette", "Color15", SettingKind::Color, &PaletteColors[14], 0xFF8080, 0.0, 0},
    {"Palette", "Color16", SettingKind::Color, &PaletteColors[15], 0x00FFFF, 0.0, 0},
    {"Options", "SelectMode", SettingKind::Int, &SelectMode, 0, 0.0, 0, 0, 1},
    {"Options", "Metric", SettingKind::Int, &Metric, kMetricDefault, 0.0, 0, 0, 1},
    {"Options", "GridX", SettingKind::Int, &GridX, kGridDefault, 0.0, 0, 8, 2560},
    {"Options", "GridY", SettingKind::Int, &GridY, kGridDefault, 0.0, 0, 8, 2560},
    {"Options", "SnapX", SettingKind::Int, &SnapX, kGridDefault, 0.0, 0, 8, 2560},
    {"Options", "SnapY", SettingKind::Int, &SnapY, kGridDefault, 0.0, 0, 8, 2560},
    {"Options", "RoundedRadius", SettingKind::Int, &RoundedRadius, 16, 0.0, 0, 0, 2560},
    {"Options", "EnableConPts", SettingKind::Int, &EnableConPts, 1, 0.0, kReadOnly, 0, 1},
    {"Options", "AttachMode", SettingKind::Int, &AttachMode, 1, 0.0, 0, 0, 3, kAttachModes},
    {"Options", "ConnectorJogs", SettingKind::Int, &ConnectorJogs, 1, 0.0, 0, 0, 1},
    {"Options", "ConnectorJogRadius", SettingKind::Int, &ConnectorJogRadius, 18, 0.0, 0, 2, 128},
    {"Options", "JunctionDots", SettingKind::Int, &JunctionDots, 0, 0.0, 0, 0, 1},
    {"Options", "EnableOldBranchLabels", SettingKind::Int, &EnableOldBranchLabels, 0, 0.0, 0, 0, 1},
    {"Options", "OversizeTextRect", SettingKind::Int, &OversizeTextRect, 1, 0.0, 0, 0, 1},
    {"Options", "ShowRulers", SettingKind::Int, &ShowRulers, 1, 0.0, 0, 0, 1},
    {"Options", "ShowConnectionPoints", SettingKind::Int, &ShowConnectionPoints, 0, 0.0, 0, 0, 1},
    {"Options", "ShowStatusBar", SettingKind::Int, &ShowStatusBar, 1, 0.0, 0, 0, 1},
    {"Options", "ShowConnectionGuides", SettingKind::Int, &ShowConnectionGuides, 0, 0.0, 0, 0, 1},
    {"Options", "ShowPropertyBar", SettingKind::Int, &ShowPropertyBar, 1, 0.0, 0, 0, 1},
    {"Options", "ShowStdToolBar", SettingKind::Int, &ShowStdToolBar, 1, 0.0, 0, 0, 1},
    {"Options", "ShowPage", SettingKind::Int, &ShowPage, 1, 0.0, 0, 0, 1},
    {"Options", "CollapsedStyleBar", SettingKind::Int, &CollapsedStyleBar, 0, 0.0, 0, 0, 1},
    {"Options", "AutoOpen", SettingKind::Int, &AutoOpen, 1, 0.0, 0, 0, 1},
    {"Options", "ShowGrid", SettingKind::Int, &ShowGrid, 1, 0.0, 0, 0, 1},
    {"Options", "ShowGridAsDots", SettingKind::Int, &ShowGridAsDots, 1, 0.0, 0, 0, 1},
    {"Options", "AlignToGrid", SettingKind::Int, &AlignToGrid, 1, 0.0, 0, 0, 1},
    {"Options", "AlignToGridConPts", SettingKind::Int, &AlignToGridConPts, 0, 0.0, 0, 0, 1},
    {"Options", "RemindStyles", SettingKind::Int, &RemindStyles, 1, 0.0, 0, 0, 1},
    {"Options", "WarnNoUndoScale", SettingKind::Int, &WarnNoUndoScale, 1, 0.0, 0, 0, 1},
    {"Options", "WarnNoUndoStyles", SettingKind::Int, &WarnNoUndoStyles, 1, 0.0, 0, 0, 1},
    {"Options", "WarnOutsideMargins", SettingKind::Int, &WarnOutsideMargins, 1, 0.0, 0, 0, 1},
    {"Options", "AutoEditOnCreate", SettingKind::Int, &AutoEditOnCreate, 0, 0.0, 0, 0, 1},
    {"Options", "Zoom1", SettingKind::Int, &Zoom[0], 25, 0.0, 0, 10, 1000},
    {"Options", "Zoom2", SettingKind::Int, &Zoom[1], 50, 0.0, 0, 10, 1000},
    {"Options", "Zoom3", SettingKind::Int, &Zoom[2], 80, 0.0, 0, 10, 1000},
    {"Options", "Zoom4", SettingKind::Int, &Zoom[3], 100, 0.0, 0, 10, 1000},
    {"Options", "Zoom5", SettingKind::Int, &Zoom[4], 150, 0.0, 0, 10, 1000},
    {"Options", "Zoom6", SettingKind::Int, &Zoom[5], 200, 0.0, 0, 10, 1000},
    {"Options", "ExpPct", SettingKind::Int, &ExpPct, 100, 0.0, 0, 10, 400},
    {"Options", "ExpAntialias", SettingKind::Int, &ExpAntialias, 1, 0.0, 0, 0, 1},
    {"Options", "ExpTransp", SettingKind::Int, &ExpTransp, 0, 0.0, 0, 0, 1},
    {"Options", "PageColor", SettingKind::Color, &PageColor, 0xFFFFFF, 0.0, 0},
    {"Options", "OffPageColor", SettingKind::Color, &OffPageColor, 0xFCFCCC, 0.0, 0},
    {"Options", "MarginsColor", SettingKind::Color, &MarginsColor, 0x808080, 0.0, 0},
    {"Options", "GridColor", SettingKind::Color, &GridColor, 0xC0C0C0, 0.0, 0},
    {"Options", "HandleColor", SettingKind::Color, &HandleColor, 0x0000FF, 0.0, 0},
    {"Options", "ReshapeHandleColor", SettingKind::Color, &ReshapeHandleColor, 0x00FFFF, 0.0, 0},
    {"Options", "ConPtColor", SettingKind::Color, &ConPtColor, 0x0494FC, 0.0, 0},
    {"Options", "AutoLabelDecision", SettingKind::Int, &AutoLabelDecision, 0, 0.0, 0, 0, 1},
    {"Options", "AutoLabelOnCreate", SettingKind::Int, &AutoLabelOnCreate, 1, 0.0, 0, 0, 1},
    {"Options", "AutoLabelDecisionTxt", SettingKind::Text, &AutoLabelDecisionTxt, 0, 0.0, 0},
    {"Options", "SnapToConLblSlots", SettingKind::Int, &SnapToConLblSlots, 1, 0.0, 0, 0, 1},
    {"Options", "SnapToFlwLblSlots", SettingKind::Int, &SnapToFlwLblSlots, 1, 0.0, 0, 0, 1},
    {"Options", "SnapToLatLblSlots", SettingKind::Int, &SnapToLatLblSlots, 1, 0.0, 0, 0, 1},
    {"Options", "SnapToFlows", SettingKind::Int, &SnapToFlows, 1, 0.0, 0, 0, 1},
    {"Options", "SnapToFigLblPrimarySlotOnly", SettingKind::Int, &SnapToFigLblPrimarySlotOnly, 1, 0.0, 0, 0, 1},
    {"Options", "EnableAutoOrthogonal", SettingKind::Int, &EnableAutoOrthogonal, 1, 0.0, kReadOnly, 0, 1},
    {"Options", "AutoStapleLabels", SettingKind::Int, nullptr, 2, 0.0, kTemporary, 0, 2},
    {"Options", "SnapToFigLblSlots", SettingKind::Int, &SnapToFigLblSlots, 2, 0.0, 0, 0, 2},
    {"Options", "FigLblPrimarySector", SettingKind::Int, &FigLblPrimarySector, 8, 0.0, 0, 1, 12},
    {"Options", "PreviewSave", SettingKind::Int, &PreviewSave, 1, 0.0, 0, 0, 1},
    {"Options", "ConPointMarks", SettingKind::Int, &ConPointMarks, 0, 0.0, 0, 0, 1},
    {"Options", "ScaleImport", SettingKind::Int, &ScaleImport, 100, 0.0, 0, 10, 400},
    {"Options", "HandleSize", SettingKind::Int, &HandleSize, 7, 0.0, 0, 3, 31},
    {"Options", "HtmlExtension", SettingKind::Text, &HtmlExtension, 0, 0.0, 0},
    {"Options", "HtmlFolder", SettingKind::Text, &HtmlFolder, 0, 0.0, 0},
    {"Options", "HtmlScale", SettingKind::Int, &HtmlScale, 100, 0.0, 0, 5, 500},
    {"Options", "HtmlQuality", SettingKind::Int, &HtmlQuality, 85, 0.0, 0, 10, 100},
    {"Options", "HtmlColorBits", SettingKind::Int, &HtmlColorBits, 24, 0.0, 0, 1, 32},
    {"Options", "HtmlInclDiagrams", SettingKind::Int, &HtmlInclDiagrams, 1, 0.0, 0, 0, 1},
    {"Options", "HtmlInclDocs", SettingKind::Int, &HtmlInclDocs, 0, 0.0, 0, 0, 1},
    {"Options", "HtmlInclURLs", SettingKind::Int, &HtmlInclURLs, 1, 0.0, 0, 0, 1},
    {"Options", "BitmapBackgroundColor", SettingKind::Color, &BitmapBackgroundColor, 0xFFFFFF, 0.0, 0},
    {"Options", "AutoStyleButtons", SettingKind::Int, &AutoStyleButtons, 1, 0.0, 0, 0, 1},
    {"Options", "ShowStyleBarCombos", SettingKind::Int, &ShowStyleBarCombos, 1, 0.0, 0, 0, 1},
    {"Options", "HTMLGraphicFormat", SettingKind::Int, &HTMLGraphicFormat, 4, 0.0, 0, 4, 7, kHtmlGraphicFormats},
    {"Preferences", "FullPathCaptions", SettingKind::Int, &FullPathCaptions, 0, 0.0, 0, 0, 1},
    {"Preferences", "UseWizard", SettingKind::Int, &UseWizard, 1, 0.0, 0, 0, 1},
    {"Preferences", "LimitedWorkspace", SettingKind::Int, &LimitedWorkspace, 1, 0.0, 0, 0, 1},
    {"Preferences", "AutoDeleteOrphanCons", SettingKind::Int, &AutoDeleteOrphanCons, 1, 0.0, 0, 0, 1},
    {"Preferences", "UndoableNavigation", SettingKind::Int, &UndoableNavigation, 1, 0.0, 0, 0, 1},
    {"Preferences", "ShadowColor", SettingKind::Color, &ShadowColor, 0x000000, 0.0, 0},
    {"Preferences", "ShadowX", SettingKind::Int, &ShadowX, 8, 0.0, 0, -2560, 2560},
    {"Preferences", "ShadowY", SettingKind::Int, &ShadowY, 8, 0.0, 0, -2560, 2560},
    {"Preferences", "ShadowBlurRadius", SettingKind::Int, &ShadowBlurRadius, 4, 0.0, 0, 0, 72},
    {"Preferences", "ShadowOpacity", SettingKind::Int, &ShadowOpacity, 153, 0.0, 0, 0, 255},
    {"Preferences", "SelectAfterFigureCreate", SettingKind::Int, &SelectAfterFigureCreate, 0, 0.0, 0, 0, 1},
    {"Preferences", "SelectAfterConnectorCreate", SettingKind::Int, &SelectAfterConnectorCreate, 0, 0.0, 0, 0, 1},
    {"Preferences", "DoubleClickEditsText", SettingKind::Int, &DoubleClickEditsText, 0, 0.0, 0, 0, 1},
    {"Preferences", "AutoSave", SettingKind::Int, &AutoSave, 0, 0.0, 0, 0, 1},
    {"Preferences", "AutoBackup", SettingKind::Int, &AutoBackup, 0, 0.0, 0, 0, 1},
    {"Preferences", "AutoSaveMinutes", SettingKind::Int, &AutoSaveMinutes, 10, 0.0, 0, 0, 60},
    {"Preferences", "LastEndLen", SettingKind::Int, &LastEndLen, 36, 0.0, 0, 0, 256},
    {"Preferences", "LastEnd", SettingKind::Text, &LastEnd, 0, 0.0, 0},
    {"Preferences", "NonRectBounds", SettingKind::Int, &NonRectBounds, 1, 0.0, 0, 0, 1},
    {"Preferences", "ImportTranspEdges", SettingKind::Int, &ImportTranspEdges, 1, 0.0, 0, 0, 1},
    {"Preferences", "ImportCleanBackground", SettingKind::Int, &ImportCleanBackground, 1, 0.0, 0, 0, 1},
    {"Preferences", "SmartDefaults", SettingKind::Int, &SmartDefaults, 1, 0.0, 0, 0, 1},
    {"Preferences", "ShiftToSlide", SettingKind::Int, &ShiftToSlide, 0, 0.0, 0, 0, 1},
    {"Preferences", "SmartGrowth", SettingKind::Int, &SmartGrowth, 1, 0.0, 0, 0, 1},
    {"Preferences", "ResizeByStretching", SettingKind::Int, &ResizeByStretching, 1, 0.0, 0, 0, 1},
    {"Preferences", "ExportWholeLines", SettingKind::Int, &ExportWholeLines, 0, 0.0, 0, 0, 1},
    {"Preferences", "RelativeLinks", SettingKind::Int, &RelativeLinks, 1, 0.0, 0, 0, 1},
    {"Preferences", "PromptForApplyToGroups", SettingKind::Int, &PromptForApplyToGroups, 1, 0.0, 0, 0, 1},
    {"Preferences", "ApplyToGroups", SettingKind::Int, &ApplyToGroups, 0, 0.0, 0, 0, 1},
    {"Preferences", "FullColorIcons", SettingKind::Int, &FullColorIcons, 1, 0.0, kReadOnly, 0, 1},
    {"Preferences", "NoSplash", SettingKind::Int, &NoSplash, 0, 0.0, 0, 0, 1},
    {"Preferences", "DisplayQuality", SettingKind::Int, &DisplayQuality, 1, 0.0, 0, 0, 1},
    {"Options", "ExpType", SettingKind::Int, &ExpType, 0, 0.0, kWriteOnly},
    {"Options", "ImpType", SettingKind::Int, &ImpType, 0, 0.0, kWriteOnly},
    {"Options", "ExpDir", SettingKind::Text, &ExpDir, 0, 0.0, kWriteOnly},
    {"Options", "ImpDir", SettingKind::Text, &ImpDir, 0, 0.0, kWriteOnly},
    {"Options", "ClipEachObject", SettingKind::Int, &ClipEachObject, 0, 0.0, kWriteOnly},
};

const char* const kWriteOrder[] = {
    "Left", "Top", "Right", "Bottom", "Length", "Flags", "MinimizedX", "MinimizedY", "MaximizedX",
    "MaximizedY", "CropMarks", "ScreenHeight", "OpenDir", "SaveAsDir", "LinkDir", "First",
    "LastUpdateCheck", "ChkUpReminderDays", "Color1", "Color2", "Color3", "Color4", "Color5",
    "Color6", "Color7", "Color8", "Color9", "Color10", "Color11", "Color12", "Color13", "Color14",
    "Color15", "Color16", "SelectMode", "Metric", "GridX", "GridY", "SnapX", "SnapY",
    "RoundedRadius", "ShowRulers", "ShowStatusBar", "ShowPropertyBar", "ShowStdToolBar",
    "ShowPage", "CollapsedStyleBar", "ShowConnectionPoints", "ShowConnectionGuides", "AutoOpen",
    "AttachMode", "ShowGrid", "ShowGridAsDots", "AlignToGrid", "AlignToGridConPts",
    "RemindStyles", "WarnNoUndoScale", "WarnNoUndoStyles", "WarnOutsideMargins",
    "AutoEditOnCreate", "Zoom1", "Zoom2", "Zoom3", "Zoom4", "Zoom5", "Zoom6", "ExpType",
    "ImpType", "ExpTransp", "ExpDir", "ImpDir", "ExpPct", "ExpAntialias", "PageColor",
    "OffPageColor", "MarginsColor", "GridColor", "HandleColor", "ReshapeHandleColor",
    "ConPtColor", "ConnectorJogs", "ConnectorJogRadius", "JunctionDots", "SnapToConLblSlots",
    "SnapToFlwLblSlots", "SnapToLatLblSlots", "SnapToFigLblSlots", "SnapToFlows",
    "FigLblPrimarySector", "SnapToFigLblPrimarySlotOnly", "EnableOldBranchLabels",
    "OversizeTextRect", "AutoLabelDecision", "AutoLabelDecisionTxt", "AutoLabelOnCreate",
    "PreviewSave", "ClipEachObject", "ConPointMarks", "ScaleImport", "HandleSize",
    "HtmlExtension", "HtmlFolder", "HtmlScale", "HtmlQuality", "HtmlColorBits",
    "HtmlInclDiagrams", "HtmlInclDocs", "HtmlInclURLs", "BitmapBackgroundColor",
    "AutoStyleButtons", "ShowStyleBarCombos", "HTMLGraphicFormat", "FullPathCaptions",
    "UseWizard", "LimitedWorkspace", "AutoDeleteOrphanCons", "UndoableNavigation", "ShadowX",
    "ShadowY", "ShadowColor", "ShadowBlurRadius", "ShadowOpacity", "SelectAfterFigureCreate",
    "SelectAfterConnectorCreate", "DoubleClickEditsText", "AutoSave", "AutoSaveMinutes",
    "AutoBackup", "LastEndLen", "LastEnd", "NonRectBounds", "ImportTranspEdges",
    "ImportCleanBackground", "SmartDefaults", "ShiftToSlide", "SmartGrowth", "ResizeByStretching",
    "ExportWholeLines", "RelativeLinks", "PromptForApplyToGroups", "ApplyToGroups", "NoSplash",
    "DisplayQuality",
    nullptr,
};
} // namespace

bool SettingValueValid(const SettingDef& d, int64_t value)
{
    // Times are 64-bit: only their lower bound applies.
    if (value < d.lo || (d.kind != SettingKind::Time && value > d.hi))
        return false;
    if (!d.set)
        return true;
    for (const int* v = d.set; *v != kEndOfSet; ++v)
        if (*v == value)
            return true;
    return false;
}

const SettingDef* SettingsTableBegin()
{
    return kTable;
}

const SettingDef* SettingsTableEnd()
{
    return kTable + sizeof kTable / sizeof kTable[0];
}

const char* const* SettingsWriteOrder()
{
    return kWriteOrder;
}

const SettingDef* FindSetting(const char* key)
{
    for (const SettingDef& d : kTable)
        if (std::strcmp(d.key, key) == 0)
            return &d;
    return nullptr;
}

void ResetSettings()
{
    for (const SettingDef& d : kTable) {
        if (!d.var)
            continue;
        switch (d.kind) {
        case SettingKind::Int: *static_cast<int*>(d.var) = d.defInt < 0 ? 0 : d.defInt; break;
        case SettingKind::Color: *static_cast<COLORREF*>(d.var) = COLORREF(d.defInt); break;
        case SettingKind::Real: *static_cast<double*>(d.var) = d.defReal; break;
        case SettingKind::Text: static_cast<std::string*>(d.var)->clear(); break;
        case SettingKind::Time: *static_cast<int64_t*>(d.var) = d.defInt; break;
        }
    }
    Metric = SystemUsesMetric() ? 1 : 0;
    const int grid = Metric ? 50 : 32;
    GridX = GridY = SnapX = SnapY = grid;
    AutoLabelDecisionTxt = "\\sect y\\sect n";
    LastEnd = "block";
    g_nShowPageState = ShowPage;
}
