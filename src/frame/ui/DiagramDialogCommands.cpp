#include "frame/ui/DiagramDialogCommands.h"

#include "dialogs/diagram/CDPropSheet.h"
#include "dialogs/diagram/ScaleDiagramDlg.h"
#include "dialogs/page/PageSetupCommand.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"

#include <QGuiApplication>

namespace {
constexpr int ID_DIAGRAM_PROPERTIES = 33070;
constexpr int ID_PAGE_SETUP = 36560;

CKavoDoc* DocOf(CKavoView* view)
{
    return view ? view->GetDocument() : nullptr;
}

// The style bar's buttons draw their samples from the document at each
// paint, so that a repaint is all a changed colour choice needs; a
// collapsed bar shows no samples.
void RepaintStyleBar(QWidget* parent)
{
    auto* frame = qobject_cast<CMainFrame*>(parent);
    CKavoStyleBar* bar = frame ? frame->StyleBar() : nullptr;
    if (!bar || CollapsedStyleBar)
        return;
    bar->update();
    for (QWidget* child : bar->findChildren<QWidget*>())
        child->update();
}
} // namespace

void RegisterDiagramDialogCommands(CCommandRegistry& commands, std::function<CKavoView*()> activeView, QWidget* parent)
{
    SetScaleDialog([activeView, parent](ScaleDialogData& data) {
        CKavoDoc* doc = DocOf(activeView());
        return doc && RunScaleDiagramDialog(parent, *doc, data);
    });
    commands.SetHandler(ID_DIAGRAM_PROPERTIES, [activeView, parent] {
        CKavoDoc* doc = DocOf(activeView());
        if (!doc)
            return;
        const int fullColor = doc->m_bFullColorIcons;
        if (RunDiagramPropSheet(parent, *doc) && doc->m_bFullColorIcons != fullColor)
            RepaintStyleBar(parent);
    });
    commands.SetHandler(ID_PAGE_SETUP, [activeView, parent] {
        CKavoView* view = activeView();
        // Ctrl held leaves the diagram's printer settings out.
        const bool ctrl = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
        if (RunPageSetup(parent, DocOf(view), ctrl) && view)
            view->OnZoomWholePage();
    });
}
