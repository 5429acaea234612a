// The Customize sheet's set-up and its end: the pages filled from the
// settings and the active document, the one Close button, and on closing the
// toolbar lists saved and the document's style flags brought in line with
// its style-bar layouts.
#include "frame/ui/CCustomizeSheet.h"

#include "core/HelpRequest.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CCustomizePages.h"
#include "frame/ui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CCustomizeSheet* g_pCustomizeSheet = nullptr;
int g_nCustomizePage = 0;

CCustomizeSheet::CCustomizeSheet(CMainFrame* frame, int startPage) : QDialog(frame), m_frame(frame)
{
    setWindowTitle("Customize");
    setObjectName("customizeSheet");
    setModal(false);
    // The title bar's help button: the sheet answers it with its own topic.
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    m_tabs = new QTabWidget(this);
    m_tbars = new CCustomizeTbars(this);
    m_cmds = new CCustomizeCmds(this);
    m_sbar = new CCustomizeSbar(this);
    m_styles = new CCustomizeStyles(this);
    m_options = new CCustomizeOptions(this);
    for (CCustomizePage* page : std::initializer_list<CCustomizePage*>{m_tbars, m_cmds, m_sbar, m_styles, m_options})
        m_tabs->addTab(page, page->Title());
    // Changes take effect at once, so the sheet has nothing to cancel or
    // apply: one button closes it.
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("closeButton");
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    auto* all = new QVBoxLayout(this);
    all->addWidget(m_tabs);
    all->addLayout(buttons);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        if (auto* page = qobject_cast<CCustomizePage*>(m_tabs->widget(index)))
            page->EnsureInitialised();
    });

    m_tbars->m_bStdBar = ShowStdToolBar;
    m_tbars->m_bPropBar = ShowPropertyBar;
    m_tbars->m_bStyleBar = CollapsedStyleBar == 0;
    m_options->m_bAutoStyles = AutoStyleButtons;
    m_sbar->m_bCombos = ShowStyleBarCombos;
    if (CKavoDoc* doc = ActiveDocument()) {
        m_sbar->m_layouts[0] = doc->m_lblButtons;
        m_sbar->m_layouts[1] = doc->m_figButtons;
        m_sbar->m_layouts[2] = doc->m_conButtons;
    }
    const int start = startPage >= 0 && startPage < m_tabs->count() ? startPage : 0;
    m_tabs->setCurrentIndex(start);
    if (auto* page = qobject_cast<CCustomizePage*>(m_tabs->widget(start)))
        page->EnsureInitialised();
    // Mouse input outside the sheet comes here first while it is open.
    qApp->installEventFilter(this);
    m_bFilterInstalled = true;
}

CCustomizeSheet::~CCustomizeSheet()
{
    if (m_bFilterInstalled)
        qApp->removeEventFilter(this);
    if (m_bCursorSet)
        QGuiApplication::restoreOverrideCursor();
    if (g_pCustomizeSheet == this)
        g_pCustomizeSheet = nullptr;
}

CKavoDoc* CCustomizeSheet::ActiveDocument() const { return m_frame ? m_frame->GetActiveDocument() : nullptr; }

int CCustomizeSheet::GetActiveIndex() const { return m_tabs->currentIndex(); }

void CCustomizeSheet::done(int result)
{
    g_nCustomizePage = GetActiveIndex();
    if (m_bFilterInstalled) {
        qApp->removeEventFilter(this);
        m_bFilterInstalled = false;
    }
    ClearDragState();
    // Buttons dragged onto or off the style bar decide which styles have a
    // style-bar button.
    if (CKavoDoc* doc = ActiveDocument())
        doc->SyncStyleFlags();
    QDialog::done(result);
    if (g_pCustomizeSheet == this)
        g_pCustomizeSheet = nullptr;
    if (m_frame)
        m_frame->SaveToolBars();
    deleteLater();
}

void EnableBarsForCustomize(CMainFrame* frame)
{
    if (!g_pCustomizeSheet || !frame)
        return;
    for (CCustomToolBar* bar : {frame->StdToolBar(), frame->PropertyBar()})
        if (bar)
            for (QAction* item : bar->actions())
                item->setEnabled(true);
}

void OnCustomize(CMainFrame* frame)
{
    if (g_pCustomizeSheet) {
        g_pCustomizeSheet->raise();
        g_pCustomizeSheet->activateWindow();
        return;
    }
    g_pCustomizeSheet = new CCustomizeSheet(frame, g_nCustomizePage);
    g_pCustomizeSheet->show();
    EnableBarsForCustomize(frame);
}

void RegisterCustomizeCommands(CCommandRegistry& commands, CMainFrame* frame)
{
    commands.SetHandler(ID_CUSTOMIZE, [frame] { OnCustomize(frame); });
}
