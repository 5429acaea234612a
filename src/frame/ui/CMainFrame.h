#pragma once
// The main window: the menu bar built from the menu table, the status bar
// with the zoom pane, and the MDI area with one CKavoFrm per view. Every
// command goes through the command registry; the update rules run when a
// menu opens and at idle time (OnIdleUpdateCmdUI).
#include "frame/ui/CCommandRegistry.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CCustomToolBar;
class CKavoStyleBar;
class QDockWidget;
class CKavoDoc;
class CKavoFrm;
class CKavoView;
class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;

// The File menu's recent-file items (at most four).
constexpr int ID_FILE_MRU_FIRST = 57616;
constexpr int kRecentFileItems = 4;

// Status bar panes.
constexpr int ID_INDICATOR_ZOOM = 36513;

// Set while a diagram dropped on the main window is being opened.
extern bool g_bOpeningDroppedFile;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return m_mdiArea; }
    CCommandRegistry& Commands() { return m_commands; }
    // -1 when the frame or status bar could not be made, else 0.
    int OnCreate();
    // The view and document of the active MDI child, or null.
    CKavoView* GetActiveView() const;
    CKavoDoc* GetActiveDocument() const;
    // Adds a child frame holding the view and shows it.
    CKavoFrm* AddViewFrame(CKavoView* view, const QString& title);

    void OnIdleUpdateCmdUI();
    // The recent files the File menu lists, newest first (the application's
    // list); without any the menu shows a greyed "Recent File".
    void SetRecentFileSource(std::function<std::vector<std::string>()> source);
    void UpdateRecentFileMenu();
    // Every child window takes its document's title (after a save under a
    // new name, a change of the caption setting).
    void RefreshFrameTitles();
    // Command routing: style commands enter their UI mode first, then the
    // registry runs the handler. False when no handler took it.
    bool OnCommand(int id);
    // Timer id 5 every AutoSaveMinutes while AutoSave is on; 0 = none running.
    void ResetAutoSaveTimer();
    int AutoSaveTimerId() const { return m_nAutoSaveTimer; }
    // Runs for every open document when the autosave timer fires.
    static void SetAutoSaveHandler(std::function<void(CKavoDoc&)> handler);
    // Opens a diagram file as a document (the application's open); false
    // when it could not be opened.
    static void SetOpenFileHandler(std::function<bool(const std::string& path)> handler);
    // Files dropped on the window, in the order given (CMainFrameDrop.cpp):
    // diagrams (.kvd) open, other files become picture figures of the
    // diagram then active; afterwards the children cascade when one was
    // maximised and several diagrams are open, and a diagram at its default
    // view zooms to its page width.
    void OnDropFiles(const QStringList& paths);
    // The diagrams that have a window here.
    int OpenDocumentCount() const;
    void RelabelZoomMenu();
    void UpdateSubmenuStates();
    QString ZoomPaneText() const;
    QMenu* FindTopMenu(const QString& text) const;

    // The standard toolbar and the property bar (CMainFrameBars.cpp).
    bool CreateToolBar();
    bool CreatePropertyBar();
    CCustomToolBar* StdToolBar() const { return m_stdBar; }
    CCustomToolBar* PropertyBar() const { return m_propBar; }
    // Shows each bar as its setting says.
    void ShowControlBars();
    // The embedded control of a command on a shown bar, or null; good only
    // until the bar's next rebuild.
    QWidget* GetBarControlForCmd(int command) const;
    CCustomToolBar* FindToolBarWithCmd(int command) const;
    CCustomToolBar* ToolBarAtPoint(const QPoint& screen) const;
    // The bar under a screen point and its insertion index nearest to it;
    // false (bar null, index -1) over no bar.
    bool FindDropTarget(const QPoint& screen, CCustomToolBar*& bar, int& index) const;
    void ShowStyleListsInToolBar();
    void HideStyleListsInToolBar();
    int SetCmdButtonImage(int command, int variant);
    void SaveToolBars() const;
    // Enables the bars' boxes for what is open.
    void UpdateBarControls();
    // The style bar docked at the left (CMainFrameBars.cpp).
    bool CreateStyleBar();
    CKavoStyleBar* StyleBar() const { return m_styleBar; }
    // Collapses the style bar to nothing or brings it back at the active
    // document's width.
    void SetStyleBarCollapsed(bool collapse);
signals:
    // The window is closing and still shown as it was: its placement can be
    // read now.
    void Closing();

protected:
    // A modal dialog that closes leaves the views drawn again whole.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void InstallAppContext();
    void RemoveAppContext();
    void BuildMenus();
    void AddMenuEntries(QMenu* menu, const struct MenuEntry& entry);
    void CreateStatusBar();
    void InstallViewCommands();
    // Copy and Paste of diagram objects, Cut's copy (CMainFrameEditCommands.cpp).
    void InstallEditCommands();
    // Copy Styles From, Save Template, Save Preview Only, Apply Color Scheme.
    void InstallTemplateCommands();
    void InstallDocCommands();
    void InstallLinkCommands();
    void InstallUpdateRules();
    void InstallBarCommands();
    bool CreateCustomBar(CCustomToolBar*& bar, int barId, std::span<const unsigned> defaults);
    void ConnectBarControls(CCustomToolBar* bar);
    // Cuts the wiring from the bars and their controls to this frame, so that
    // a control that reacts as the window goes (the focus leaving a box)
    // reaches no part of a frame being destroyed.
    void DetachBarControls();
    // Rules of the commands on particular selected objects (CMainFrameSelectionRules.cpp).
    void InstallSelectionRules();
    // Rules of the property bar's text, colour, line and shadow commands
    // (CMainFrameFormatRules.cpp).
    void InstallFormatRules();
    void OnChildActivated(QMdiSubWindow* child);

    QMdiArea* m_mdiArea;
    CCommandRegistry m_commands{this};
    QLabel* m_zoomPane = nullptr;
    CCustomToolBar* m_stdBar = nullptr;
    CCustomToolBar* m_propBar = nullptr;
    CKavoStyleBar* m_styleBar = nullptr;
    QDockWidget* m_styleDock = nullptr;
    int m_nAutoSaveTimer = 0;
    std::unique_ptr<class CFrameAppContext> m_context;
    std::function<std::vector<std::string>()> m_recentFiles;
};
