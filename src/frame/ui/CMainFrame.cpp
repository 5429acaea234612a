#include "frame/ui/CMainFrame.h"
#include "frame/ui/FrameWindowWatch.h"
#include "frame/ui/CommandImages.h"
#include "frame/ui/StylePickerCommands.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "frame/ui/DiagramDialogCommands.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CFrameAppContext.h"
#include "frame/ui/CKavoFrm.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/FindReplaceUi.h"
#include "frame/ui/MainMenu.h"
#include "frame/ui/OptionsCommand.h"
#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <cmath>

namespace {
constexpr int kZoomPresetFirst = 36525;
CMainFrame* g_frame = nullptr;

CKavoView* FindActiveView()
{
    return g_frame ? g_frame->GetActiveView() : nullptr;
}
} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    g_frame = this;
    SetActiveKavoViewFinder(&FindActiveView);
    setCentralWidget(m_mdiArea);
    setAcceptDrops(true);
    const char* title = FindResString(0xE000);
    setWindowTitle(AnsiToQString(title ? title : ""));
    resize(1000, 700);
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::OnChildActivated);
    OnCreate();
    InstallFrameWindowWatch(*this);
}

CMainFrame::~CMainFrame()
{
    // The children close after this body: their activation changes must not
    // reach a frame that is half gone.
    disconnect(m_mdiArea, nullptr, this, nullptr);
    DetachBarControls();
    RemoveAppContext();
    if (g_frame == this) {
        g_frame = nullptr;
        SetActiveKavoViewFinder(nullptr);
    }
}

int CMainFrame::OnCreate()
{
    DiagPrintf("INIT  Step 4: CMainFrame::OnCreate()\n");
    InstallAppContext();
    m_commands.SetRouter([this](int id) { return OnCommand(id); });
    BuildMenus();
    SetRecentFileSource(nullptr);
    InstallViewCommands();
    InstallDocCommands();
    InstallLinkCommands();
    InstallUpdateRules();
    InstallSelectionRules();
    InstallFormatRules();
    InstallEditCommands();
    InstallTemplateCommands();
    InstallFindCommands(*this);
    InstallBarCommands();
    RegisterDiagramDialogCommands(m_commands, [this] { return GetActiveView(); }, this);
    RegisterCustomizeCommands(m_commands, this);
    RegisterStylePickerCommands(m_commands, *this);
    InstallOptionsCommand(*this);
    DiagPrintf("INIT  Step 5: CreateToolBar()\n");
    if (!CreateToolBar())
        return 0;
    DiagPrintf("INIT  Step 6: CreatePropertyBar()\n");
    if (!CreatePropertyBar())
        return 0;
    DiagPrintf("INIT  Step 7: CreateStyleBar()\n");
    CreateStyleBar();
    DiagPrintf("INIT  Step 8: CMainFrame::CreateStatusBar()\n");
    CreateStatusBar();
    // The placement (step 9) is restored by the application before it shows the window.
    DiagPrintf("INIT  Step 10: set window placement\n");
    RelabelZoomMenu();
    statusBar()->setVisible(ShowStatusBar != 0);
    ResetAutoSaveTimer();
    return 0;
}

void CMainFrame::AddMenuEntries(QMenu* menu, const MenuEntry& entry)
{
    if (!entry.children.empty()) {
        QMenu* sub = menu->addMenu(AnsiToQString(entry.text));
        for (const MenuEntry& child : entry.children)
            AddMenuEntries(sub, child);
        return;
    }
    if (entry.id == 0) {
        menu->addSeparator();
        return;
    }
    QAction* action = m_commands.Add(entry.id, entry.text);
    // The alignment and centring items show their pictures.
    if (HasMenuPicture(unsigned(entry.id))) {
        action->setIcon(CommandIcon(unsigned(entry.id), false));
        action->setIconVisibleInMenu(true);
    }
    menu->addAction(action);
}

void CMainFrame::BuildMenus()
{
    for (const MenuEntry& top : MainMenuTable()) {
        QMenu* menu = menuBar()->addMenu(AnsiToQString(top.text));
        for (const MenuEntry& child : top.children)
            AddMenuEntries(menu, child);
        // The rules run as a menu opens, so what it shows is current.
        connect(menu, &QMenu::aboutToShow, this, [this] {
            // Outside the select mode a menu ends the figure preview that
            // follows the mouse and any drawn feedback: the mouse has left
            // the view for the menu.
            if (g_nUIMode != SelectMode)
                if (CKavoView* v = GetActiveView()) {
                    v->EndRubberFigure(true, true);
                    v->OnClearFeedback();
                }
            UpdateRecentFileMenu();
            m_commands.UpdateAll();
            UpdateSubmenuStates();
        });
    }
}

void CMainFrame::CreateStatusBar()
{
    m_zoomPane = new QLabel(this);
    m_zoomPane->setObjectName("zoomPane");
    // Wide enough for the sizing text " 1000%".
    m_zoomPane->setMinimumWidth(m_zoomPane->fontMetrics().horizontalAdvance(" 1000%") + 8);
    statusBar()->addPermanentWidget(m_zoomPane);
}

CKavoView* CMainFrame::GetActiveView() const
{
    QMdiSubWindow* child = m_mdiArea->activeSubWindow();
    if (!child && !m_mdiArea->subWindowList().isEmpty())
        child = m_mdiArea->currentSubWindow();
    return child ? qobject_cast<CKavoView*>(child->widget()) : nullptr;
}

CKavoDoc* CMainFrame::GetActiveDocument() const
{
    CKavoView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

CKavoFrm* CMainFrame::AddViewFrame(CKavoView* view, const QString& title)
{
    // The view's right click opens the context menus built from this
    // frame's menus (a hook set before stays).
    if (!view->m_contextMenuHook)
        InstallContextMenus(*view);
    auto* frame = new CKavoFrm;
    frame->PreCreateWindow(m_mdiArea);
    frame->OnCreateClient(view);
    frame->setWindowTitle(title);
    QMdiSubWindow* previous = m_mdiArea->activeSubWindow();
    m_mdiArea->addSubWindow(frame);
    // Before the main window is shown the MDI area has no size yet: the
    // frame's own size is the guide.
    frame->resize(std::max(400, width() * 3 / 4), std::max(300, height() * 3 / 4));
    frame->PlaceInArea(m_mdiArea, previous);
    frame->ShowAsCreated();
    view->OnInitialUpdate();
    m_mdiArea->setActiveSubWindow(frame);
    OnChildActivated(frame);
    return frame;
}

void CMainFrame::OnChildActivated(QMdiSubWindow* child)
{
    if (m_styleBar)
        m_styleBar->RebuildIfNewDoc();
    if (!child)
        return;
    auto* view = qobject_cast<CKavoView*>(child->widget());
    if (!view)
        return;
    // A view's first activation fits it to the page width: that is how it
    // opens, not a step of the user's to undo.
    CKavoDoc* doc = view->GetDocument();
    if (doc)
        doc->HoldUndoLog();
    view->OnActivateView(true);
    if (doc)
        doc->ReleaseUndoLog();
}

QString CMainFrame::ZoomPaneText() const
{
    const CKavoView* view = GetActiveView();
    if (!view)
        return " ";
    return QString(" %1%").arg(int(std::lround(view->GetZoom())));
}

void CMainFrame::RelabelZoomMenu()
{
    for (int i = 0; i < 6; ++i)
        if (QAction* a = m_commands.Action(kZoomPresetFirst + i))
            a->setText(QString("%1%").arg(Zoom[i]));
}

QMenu* CMainFrame::FindTopMenu(const QString& text) const
{
    for (QAction* a : menuBar()->actions())
        if (a->text() == text && a->menu())
            return a->menu();
    return nullptr;
}

void CMainFrame::RefreshFrameTitles()
{
    for (QMdiSubWindow* child : m_mdiArea->subWindowList()) {
        const auto* view = qobject_cast<CKavoView*>(child->widget());
        const CKavoDoc* doc = view ? view->GetDocument() : nullptr;
        if (!doc || doc->GetTitle().empty())
            continue;
        const QString title = AnsiToQString(doc->GetTitle());
        if (child->windowTitle() != title)
            child->setWindowTitle(title);
    }
}

void CMainFrame::OnIdleUpdateCmdUI()
{
    RefreshFrameTitles();
    m_commands.UpdateAll();
    UpdateBarControls();
    EnableBarsForCustomize(this);
    if (m_zoomPane)
        m_zoomPane->setText(ZoomPaneText());
}
