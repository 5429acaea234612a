#include "app/ui/FigSheetCommandsUi.h"

#include "dialogs/sheets/CFTabSheet.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CCommandRegistry.h"

namespace {
constexpr int ID_FIG_PROPERTIES = 33054, ID_LABEL_PROPERTIES = 33120, ID_FIG_STYLES = 33121, ID_LABEL_STYLES = 33055;
} // namespace

void RegisterFigureSheetCommands(CCommandRegistry& c, QWidget* parent)
{
    c.SetHandler(ID_FIG_PROPERTIES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunFigPropSheet(*doc, false, parent);
    });
    c.SetHandler(ID_LABEL_PROPERTIES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunFigPropSheet(*doc, true, parent);
    });
    c.SetHandler(ID_FIG_STYLES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunFigStyleSheet(*doc, false, -1, parent);
    });
    c.SetHandler(ID_LABEL_STYLES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunFigStyleSheet(*doc, true, -1, parent);
    });
}
