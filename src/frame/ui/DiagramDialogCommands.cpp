#include "frame/ui/DiagramDialogCommands.h"

#include "dialogs/diagram/CDPropSheet.h"
#include "dialogs/diagram/ScaleDiagramDlg.h"
#include "dialogs/page/PageSetupCommand.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCommandRegistry.h"

#include <QGuiApplication>

namespace {
constexpr int ID_DIAGRAM_PROPERTIES = 33070;
constexpr int ID_PAGE_SETUP = 36560;

CKavoDoc* DocOf(CKavoView* view)
{
    return view ? view->GetDocument() : nullptr;
}
} // namespace

void RegisterDiagramDialogCommands(CCommandRegistry& commands, std::function<CKavoView*()> activeView, QWidget* parent)
{
    SetScaleDialog([activeView, parent](ScaleDialogData& data) {
        CKavoDoc* doc = DocOf(activeView());
        return doc && RunScaleDiagramDialog(parent, *doc, data);
    });
    commands.SetHandler(ID_DIAGRAM_PROPERTIES, [activeView, parent] {
        if (CKavoDoc* doc = DocOf(activeView()))
            RunDiagramPropSheet(parent, *doc);
    });
    commands.SetHandler(ID_PAGE_SETUP, [activeView, parent] {
        CKavoView* view = activeView();
        // Ctrl held leaves the diagram's printer settings out.
        const bool ctrl = QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
        if (RunPageSetup(parent, DocOf(view), ctrl) && view)
            view->OnZoomWholePage();
    });
}
