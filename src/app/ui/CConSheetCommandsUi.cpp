#include "app/ui/CConSheetCommandsUi.h"

#include "dialogs/sheets/CConSheetCommands.h"
#include "document/CKavoDoc.h"
#include "frame/ui/CCommandRegistry.h"

void RegisterConSheetCommands(CCommandRegistry& commands, QWidget* parent)
{
    commands.SetHandler(ID_CON_STYLES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            OnEditConStyles(*doc, parent);
    });
    commands.SetHandler(ID_CON_PROPERTIES, [parent] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            OnConProperties(*doc, parent);
    });
}
