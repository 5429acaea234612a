// The main frame's two customizable toolbars: creation from the saved or the
// default button lists, showing and hiding them from the View menu, and
// reaching their embedded controls.
#include "frame/ui/CMainFrame.h"

#include "controls/CZoomCombo.h"
#include "controls/StyleChoiceSeams.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DocFileHooks.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CStyleBar.h"
#include "frame/ui/PropertyBarText.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDockWidget>

namespace {
constexpr unsigned kZoomBoxCommand = 32779;
} // namespace

bool CMainFrame::CreateCustomBar(CCustomToolBar*& bar, int barId, std::span<const unsigned> defaults)
{
    bar = new CCustomToolBar(barId, m_commands, this);
    // A saved list is already the bar's; otherwise the defaults.
    const bool saved = bar->LoadButtons();
    const bool ok = bar->Setup(saved ? nullptr : defaults.data(), saved ? 0 : int(defaults.size()),
                               IDB_TOOLBAR_STRIP, ToolBarImageTable(), {kToolBarButtonCx, kToolBarButtonCy},
                               {kToolBarImageCx, kToolBarImageCy});
    if (!ok)
        return false;
    addToolBar(Qt::TopToolBarArea, bar);
    ConnectBarControls(bar);
    if (CollapsedStyleBar && AutoStyleButtons)
        bar->AddStyleLists();
    return true;
}

// Controls are made anew on every rebuild: each new font box is wired as
// the bar makes it.
void CMainFrame::ConnectBarControls(CCustomToolBar* bar)
{
    connect(bar, &CCustomToolBar::controlsCreated, this,
            [this, bar] { ConnectFontBoxes(*bar, this, [this] { return GetActiveView(); }); });
    emit bar->controlsCreated();
}

void CMainFrame::DetachBarControls()
{
    for (CCustomToolBar* bar : {m_stdBar, m_propBar}) {
        if (!bar)
            continue;
        disconnect(bar, nullptr, this, nullptr);
        for (QObject* control : bar->findChildren<QObject*>())
            disconnect(control, nullptr, this, nullptr);
    }
}

bool CMainFrame::CreateToolBar()
{
    if (!CreateCustomBar(m_stdBar, ID_STANDARD_TOOLBAR, DefaultStandardButtons()))
        return false;
    m_stdBar->setWindowTitle("Standard");
    m_stdBar->setVisible(ShowStdToolBar != 0);
    return true;
}

bool CMainFrame::CreatePropertyBar()
{
    // The property bar starts on a row of its own below the standard toolbar.
    addToolBarBreak(Qt::TopToolBarArea);
    if (!CreateCustomBar(m_propBar, ID_PROPERTY_BAR, DefaultPropertyButtons()))
        return false;
    m_propBar->setWindowTitle("Property Bar");
    m_propBar->setVisible(ShowPropertyBar != 0);
    return true;
}

void CMainFrame::ShowControlBars()
{
    if (m_stdBar)
        m_stdBar->setVisible(ShowStdToolBar != 0);
    if (m_propBar)
        m_propBar->setVisible(ShowPropertyBar != 0);
}

QWidget* CMainFrame::GetBarControlForCmd(int command) const
{
    if (command <= 0)
        return nullptr;
    const std::pair<CCustomToolBar*, int> bars[] = {{m_stdBar, ShowStdToolBar}, {m_propBar, ShowPropertyBar}};
    for (const auto& [bar, shown] : bars)
        if (bar && shown)
            if (QWidget* control = bar->ControlForCmd(unsigned(command)))
                return control;
    return nullptr;
}

CCustomToolBar* CMainFrame::FindToolBarWithCmd(int command) const
{
    for (CCustomToolBar* bar : {m_stdBar, m_propBar})
        if (bar && command > 0 && bar->Buttons().Holds(unsigned(command)))
            return bar;
    return nullptr;
}

CCustomToolBar* CMainFrame::ToolBarAtPoint(const QPoint& screen) const
{
    for (CCustomToolBar* bar : {m_stdBar, m_propBar})
        if (bar && bar->isVisible() && QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()).contains(screen))
            return bar;
    return nullptr;
}

bool CMainFrame::FindDropTarget(const QPoint& screen, CCustomToolBar*& bar, int& index) const
{
    bar = ToolBarAtPoint(screen);
    index = bar ? bar->NearestBoundary(screen.x()) : -1;
    return bar != nullptr;
}

void CMainFrame::ShowStyleListsInToolBar()
{
    if (CCustomToolBar* bar = FindToolBarWithCmd(int(ID_COLLAPSE_STYLE_BAR)))
        bar->AddStyleLists(true);
}

void CMainFrame::HideStyleListsInToolBar()
{
    if (CCustomToolBar* bar = FindToolBarWithCmd(int(ID_COLLAPSE_STYLE_BAR)))
        bar->RemoveStyleLists(true);
}

int CMainFrame::SetCmdButtonImage(int command, int variant)
{
    CCustomToolBar* bar = FindToolBarWithCmd(command);
    return bar ? bar->SetCmdButtonImage(unsigned(command), variant) : -1;
}

void CMainFrame::SaveToolBars() const
{
    for (CCustomToolBar* bar : {m_stdBar, m_propBar})
        if (bar)
            bar->SaveButtons();
}

void CMainFrame::UpdateBarControls()
{
    // An embedded control is enabled as its command's rule says; the zoom
    // box serves a view.
    for (CCustomToolBar* bar : {m_stdBar, m_propBar}) {
        if (!bar)
            continue;
        for (unsigned command : bar->Buttons().Buttons()) {
            QWidget* control = command ? bar->ControlForCmd(command) : nullptr;
            QAction* item = control ? bar->ActionForControl(control) : nullptr;
            if (!item)
                continue;
            const bool on = command == kZoomBoxCommand ? GetActiveView() && GetActiveDocument()
                                                       : m_commands.QueryCmdState(int(command)).enabled;
            item->setEnabled(on);
        }
    }
    // Snap and the style-bar toggle show their second image in the other state.
    if (CKavoDoc* doc = GetActiveDocument())
        SetCmdButtonImage(33073, doc->m_bAlignToGrid ? 0 : 1);
    SetCmdButtonImage(int(ID_COLLAPSE_STYLE_BAR), CollapsedStyleBar ? 1 : 0);
    // The zoom box shows the active view's zoom unless the user is at it.
    auto* zoom = qobject_cast<CZoomCombo*>(GetBarControlForCmd(kZoomBoxCommand));
    CKavoView* view = GetActiveView();
    if (zoom && view && !zoom->hasFocus() && !zoom->view()->isVisible()
        && zoom->currentText() != FormatZoomPercent(view->GetZoom()))
        zoom->SetZoomText(view->GetZoom());
    // Without a view the box shows nothing rather than the last view's zoom.
    if (zoom && !view && !zoom->currentText().isEmpty())
        zoom->setEditText(QString());
    MirrorPropertyBar(*this);
}

void CMainFrame::InstallBarCommands()
{
    // The bar's own menu offers the property bar under its own command.
    m_commands.Add(32824, "&Property Bar");
    m_commands.SetHandler(33087, [this] {
        DiagPrintf("USER  Toggle show format bar\n");
        ShowPropertyBar = !ShowPropertyBar;
        ShowControlBars();
        CfgSaveAll();
    });
    m_commands.SetHandler(32824, [this] {
        ShowPropertyBar = !ShowPropertyBar;
        ShowControlBars();
    });
    m_commands.SetHandler(32826, [this] {
        ShowStdToolBar = !ShowStdToolBar;
        ShowControlBars();
    });
    for (int id : {32825, 36561})
        m_commands.SetHandler(id, [this] { SetStyleBarCollapsed(!CollapsedStyleBar); });
    RegisterTextFormatCommands(m_commands, [this] { return GetActiveView(); });
}

namespace {
// The document code asks for the bar through a plain function: it reaches
// the one bar there is.
CKavoStyleBar* g_styleBar = nullptr;

void RebuildStyleBarNow()
{
    if (g_styleBar)
        g_styleBar->Rebuild(true, true);
}
} // namespace

bool CMainFrame::CreateStyleBar()
{
    m_styleBar = new CKavoStyleBar;
    m_styleBar->activeDoc = [this] { return GetActiveDocument(); };
    m_styleBar->sendCommand = [this](int id) { OnCommand(id); };
    // A fixed strip without a title: it neither floats nor closes.
    m_styleDock = new QDockWidget(this);
    m_styleDock->setObjectName("styleBar");
    m_styleDock->setTitleBarWidget(new QWidget(m_styleDock));
    m_styleDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_styleDock->setWidget(m_styleBar);
    addDockWidget(Qt::LeftDockWidgetArea, m_styleDock);
    m_styleBar->setBarWidth = [this](int width) { m_styleDock->setVisible(width > 0); };
    m_styleDock->setVisible(!CollapsedStyleBar);
    g_styleBar = m_styleBar;
    connect(m_styleBar, &QObject::destroyed, [bar = m_styleBar] {
        if (g_styleBar == bar)
            g_styleBar = nullptr;
    });
    GetDocFileHooks().rebuildStyleBar = &RebuildStyleBarNow;
    // The choose-style dialog may change which styles the bar shows.
    GetStyleChoiceSeams().rebuildStyleBar = &RebuildStyleBarNow;
    return true;
}

void CMainFrame::SetStyleBarCollapsed(bool collapse)
{
    CollapsedStyleBar = collapse ? 1 : 0;
    if (m_styleBar && collapse) {
        m_styleBar->ShowControls(false);
        m_styleBar->SetBarWidth(0);
        m_styleBar->DestroyControls();
    } else if (m_styleBar) {
        if (CKavoDoc* doc = GetActiveDocument())
            m_styleBar->SetBarWidth(doc->m_nSBarWidth);
        else
            m_styleBar->SetBarWidth(kStyleBarDefaultWidth);
        m_styleBar->Rebuild(true, false);
        m_styleBar->ShowControls(true);
    }
    // A collapsed style bar lends its pickers to the toolbar.
    if (AutoStyleButtons) {
        if (collapse)
            ShowStyleListsInToolBar();
        else
            HideStyleListsInToolBar();
    }
    SetCmdButtonImage(int(ID_COLLAPSE_STYLE_BAR), CollapsedStyleBar ? 1 : 0);
}
