#pragma once
// The modeless Customize sheet. While it is open the user rebuilds the
// toolbars directly in the main window: a press on a toolbar button selects
// it and a drag moves it to another place or bar, or off the bars to remove
// it; commands are dragged in from the Commands page. Mouse input anywhere
// outside the sheet is taken by an application-wide event filter for as long
// as the sheet exists, so that clicks on the bars do not run their commands.
#include "platform/ui/CPropertySheet.h"

#include <QPoint>

class CCommandRegistry;
class CCustomToolBar;
class CCustomizeCmds;
class CCustomizeOptions;
class CCustomizePage;
class CCustomizeSbar;
class CCustomizeStyles;
class CCustomizeTbars;
class CKavoDoc;
class CMainFrame;
class QPushButton;
class QTabWidget;

constexpr int ID_CUSTOMIZE = 32823;
constexpr int kCustomizeHelpTopic = 321;

class CCustomizeSheet : public CPropertySheet {
    Q_OBJECT
public:
    // Pages in tab order.
    enum Page { kToolbars, kCommands, kStyleBar, kStyles, kOptions };

    CCustomizeSheet(CMainFrame* frame, int startPage);
    ~CCustomizeSheet() override;

    // Sets the sheet up and shows it without blocking.
    void ShowModeless();
    CMainFrame* Frame() const { return m_frame; }
    CKavoDoc* ActiveDocument() const;
    QTabWidget* Tabs() const { return GetTabControl(); }
    QPushButton* CloseButton() const;
    CCustomizeTbars* ToolbarsPage() const { return m_tbars; }
    CCustomizeCmds* CommandsPage() const { return m_cmds; }
    CCustomizeSbar* StyleBarPage() const { return m_sbar; }
    CCustomizeStyles* StylesPage() const { return m_styles; }
    CCustomizeOptions* OptionsPage() const { return m_options; }

    // The drag steps, at screen points.
    void OnLButtonDown(const QPoint& screen);
    void OnMouseMove(const QPoint& screen);
    void OnLButtonUp(const QPoint& screen);
    // The selected toolbar button (its bar null when none).
    CCustomToolBar* SelectedBar() const { return m_selBar; }
    unsigned SelectedCommand() const { return m_selCmd; }
    bool IsDragging() const { return m_bMovingTool || m_bAddingCmd || m_bMovingStyle || m_bAddingStyle || m_bResizing; }

protected:
    void OnInitDialog() override;
    void OnHelp() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    bool FilterOutside(QWidget* target, QEvent* event);
    void StartCommandDrag(const QPoint& screen);
    void BeginToolMove();
    void UpdateToolTarget(const QPoint& screen);
    void DrawToolBeam(bool draw);
    void DropToolButton();
    void ShowToolSelection(bool show);
    // The style bar's side: its width grip and its style buttons.
    bool StyleBarDown(const QPoint& screen);
    void StartStyleDrag(const QPoint& screen);
    bool StyleBarMove(const QPoint& screen);
    void UpdateStyleTarget(const QPoint& screen);
    void DrawStyleBeam(bool draw);
    void DropStyleButton();
    void ShowStyleSelection(bool show);
    void SetDragCursor(Qt::CursorShape shape);
    void ClearDragState();
    bool InClientArea(const QPoint& screen) const;

    CMainFrame* m_frame;
    CCustomizeTbars* m_tbars = nullptr;
    CCustomizeCmds* m_cmds = nullptr;
    CCustomizeSbar* m_sbar = nullptr;
    CCustomizeStyles* m_styles = nullptr;
    CCustomizeOptions* m_options = nullptr;

    // Drag state, cleared at the end of every drag.
    bool m_bResizing = false;
    QPoint m_resizeStart;
    int m_nResizeStartWidth = 0;
    bool m_bMovingTool = false, m_bMovingStyle = false, m_bAddingCmd = false, m_bAddingStyle = false;
    bool m_bButtonDown = false;
    bool m_bFromList = false;     // the drag began in the Commands list
    bool m_bCapture = false;      // the sheet takes every mouse event
    CCustomToolBar* m_targetBar = nullptr;
    int m_nTargetIndex = -1;
    CCustomToolBar* m_beamBar = nullptr;   // where the insertion mark is drawn
    int m_nBeamIndex = -1;
    CCustomToolBar* m_selBar = nullptr;
    unsigned m_selCmd = 0;
    unsigned m_addCmd = 0;
    int m_nSelRow = -1, m_nSelStyle = -1;          // the selected style button
    int m_nStyleRow = -1, m_nStyleTarget = -1;     // where a style would drop
    int m_nBeamRow = -1, m_nStyleBeamIndex = -1;   // where its mark is drawn
    int m_nAddStyle = -1;                          // from the Styles list
    bool m_bCursorSet = false;
    bool m_bFilterInstalled = false;
};

// The open sheet, or null; the page it was on when it last closed.
extern CCustomizeSheet* g_pCustomizeSheet;
extern int g_nCustomizePage;

// Opens the sheet (or brings the open one to the front), with the pages
// filled from the settings and the active document.
void OnCustomize(CMainFrame* frame);
// While the sheet is open every button of the bars can be picked up,
// whatever its command's state.
void EnableBarsForCustomize(CMainFrame* frame);
void RegisterCustomizeCommands(CCommandRegistry& commands, CMainFrame* frame);
