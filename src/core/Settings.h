#pragma once
// The user's settings: program-wide variables named after their profile keys,
// loaded together by CfgLoadAll and written together by CfgSaveAll. The meaning
// of each belongs to the code that reads it; here are storage, defaults and the
// repair rules applied on load.
#include "platform/Colorref.h"

#include <cstdint>
#include <string>

// "Placement": the main window's normal rectangle, placement record length and
// flags, minimised and maximised positions.
struct PlacementSettings {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Length = 0, Flags = 0;
    int MinimizedX = 0, MinimizedY = 0, MaximizedX = 0, MaximizedY = 0;
};
extern PlacementSettings Placement;

// "System"
extern double ScreenHeight; // physical screen height in inches, 2.0 to 50.0
extern int CropMarks;
extern std::string OpenDir, SaveAsDir, LinkDir;
extern int First;
// Seconds since 1970, 64-bit so that it does not wrap in 2038.
extern int64_t LastUpdateCheck;
extern int ChkUpReminderDays;

// "Palette": Color1 .. Color16, the custom colours of the colour pickers.
extern COLORREF PaletteColors[16];

// "Options"
extern int SelectMode, Metric, GridX, GridY, SnapX, SnapY, RoundedRadius, EnableConPts,
    AttachMode, ConnectorJogs, ConnectorJogRadius, JunctionDots, EnableOldBranchLabels,
    OversizeTextRect, ShowRulers, ShowConnectionPoints, ShowStatusBar, ShowConnectionGuides,
    ShowPropertyBar, ShowStdToolBar, ShowPage, CollapsedStyleBar, AutoOpen, ShowGrid,
    ShowGridAsDots, AlignToGrid, AlignToGridConPts, RemindStyles, WarnNoUndoScale,
    WarnNoUndoStyles, WarnOutsideMargins, AutoEditOnCreate;
extern int Zoom[6]; // Zoom1 .. Zoom6, percentages
extern int ExpPct, ExpAntialias, ExpTransp;
extern COLORREF PageColor, OffPageColor, MarginsColor, GridColor, HandleColor,
    ReshapeHandleColor, ConPtColor;
extern int AutoLabelDecision, AutoLabelOnCreate;
extern std::string AutoLabelDecisionTxt;
extern int SnapToConLblSlots, SnapToFlwLblSlots, SnapToLatLblSlots, SnapToFlows,
    SnapToFigLblPrimarySlotOnly, EnableAutoOrthogonal, SnapToFigLblSlots, FigLblPrimarySector,
    PreviewSave, ConPointMarks, ScaleImport, HandleSize;
// Whether a dragged label shows where it would be pinned; on at start and
// not kept in the profile.
extern int ShowLabelFeedback;
extern std::string HtmlExtension, HtmlFolder;
extern int HtmlScale, HtmlQuality, HtmlColorBits, HtmlInclDiagrams, HtmlInclDocs, HtmlInclURLs;
extern COLORREF BitmapBackgroundColor;
extern int AutoStyleButtons, ShowStyleBarCombos, HTMLGraphicFormat;
// Whether the views show the page now; the load starts it from ShowPage.
extern int g_nShowPageState;
// Written by CfgSaveAll but never read back: set by the export, import and
// clipboard code during the run.
extern int ExpType, ImpType, ClipEachObject;
extern std::string ExpDir, ImpDir;

// "Preferences"
extern int FullPathCaptions, UseWizard, LimitedWorkspace, AutoDeleteOrphanCons,
    UndoableNavigation;
extern COLORREF ShadowColor;
extern int ShadowX, ShadowY, ShadowBlurRadius, ShadowOpacity, SelectAfterFigureCreate,
    SelectAfterConnectorCreate, DoubleClickEditsText, AutoSave, AutoBackup, AutoSaveMinutes,
    LastEndLen;
extern std::string LastEnd;
extern int NonRectBounds, ImportTranspEdges, ImportCleanBackground, SmartDefaults, ShiftToSlide,
    SmartGrowth, ResizeByStretching, ExportWholeLines, RelativeLinks, PromptForApplyToGroups,
    ApplyToGroups, FullColorIcons, NoSplash, DisplayQuality;

// Loads every setting in table order and applies the repair rules.
void CfgLoadAll();
// Writes every setting; on failure shows message 470 once. Returns success.
bool CfgSaveAll();
// Writes the settings section by section; false at the first failed write.
bool CfgWriteAll();
// The start guard: returns the value "System" "Launching" had and sets it to 1
// (0 when the write failed).
int CfgSetLaunching();
bool CfgClearLaunching();
// One toolbar's button list under "Options" "Toolbar_<n>".
bool CfgSaveToolbarItem(int toolbar, const int* codes, int count);
// At most `capacity` codes are read, whatever count the stored text claims.
bool CfgLoadToolbarItem(int toolbar, int* codes, int capacity, int& count);

// Every setting back to its built-in default (start of the program, tests).
void ResetSettings();
// Whether the user's locale measures in metric units (the default of Metric).
bool SystemUsesMetric();
