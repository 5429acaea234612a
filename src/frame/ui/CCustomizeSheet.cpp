// The Customize sheet's set-up and its end: the pages filled from the
// settings and the active document, the one Close button, and on closing the
// toolbar lists saved and the document's style flags brought in line with
// its style-bar layouts.
#include "frame/ui/CCustomizeSheet.h"

#include "core/HelpRequest.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "frame/CustomizeEdits.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CCustomizePages.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPushButton>

CCustomizeSheet* g_pCustomizeSheet = nullptr;
int g_nCustomizePage = 0;

CCustomizeSheet::CCustomizeSheet(CMainFrame* frame, int startPage)
    : CPropertySheet("Customize", frame), m_frame(frame)
{
    setObjectName("customizeSheet");
    setModal(false);
    // The title bar's help button: the sheet answers it with its own topic.
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    m_tbars = new CCustomizeTbars(this);
    m_cmds = new CCustomizeCmds(this);
    m_sbar = new CCustomizeSbar(this);
    m_styles = new CCustomizeStyles(this);
    m_options = new CCustomizeOptions(this);
    for (CCustomizePage* page : std::initializer_list<CCustomizePage*>{m_tbars, m_cmds, m_sbar, m_styles, m_options})
        AddPage(page);

    m_tbars->m_bStdBar = ShowStdToolBar;
    m_tbars->m_bPropBar = ShowPropertyBar;
    m_tbars->m_bStyleBar = CollapsedStyleBar == 0;
    m_options->m_bAutoStyles = AutoStyleButtons;
    m_sbar->m_bCombos = ShowStyleBarCombos;
    // A row the document has not laid out yet keeps the page's preset sizes.
    if (CKavoDoc* doc = ActiveDocument()) {
        const auto layouts = StyleBarLayouts(*doc);
        for (size_t i = 0; i < layouts.size(); ++i)
            if (layouts[i]->IsDefined())
                m_sbar->m_layouts[i] = *layouts[i];
    }
    SetStartPage(startPage >= 0 && startPage < GetPageCount() ? startPage : 0);
}

void CCustomizeSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    // Changes take effect at once, so there is nothing to cancel or apply:
    // OK, renamed, closes the sheet.
    if (QPushButton* cancel = Button(IDCANCEL))
        cancel->hide();
    HideApplyButton();
    if (QPushButton* ok = Button(IDOK))
        ok->setText("Close");
    // Mouse input outside the sheet comes here first while it is open.
    qApp->installEventFilter(this);
    m_bFilterInstalled = true;
}

void CCustomizeSheet::OnHelp() { ShowContextHelp(kCustomizeHelpTopic); }

void CCustomizeSheet::ShowModeless()
{
    OnInitDialog();
    show();
}

QPushButton* CCustomizeSheet::CloseButton() const { return Button(IDOK); }

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
    CPropertySheet::done(result);
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
    g_pCustomizeSheet->ShowModeless();
    EnableBarsForCustomize(frame);
}

void RegisterCustomizeCommands(CCommandRegistry& commands, CMainFrame* frame)
{
    commands.SetHandler(ID_CUSTOMIZE, [frame] { OnCustomize(frame); });
}
