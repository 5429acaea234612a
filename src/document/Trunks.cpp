// Trunk diagrams: interfaces joined to trunk nodes. Everything here answers
// 0 or does nothing while the program-wide trunk switch is off.
#include "document/CKavoDoc.h"

int CKavoDoc::UpdateTrunks(int redraw)
{
    (void)redraw;
    return 0;
}
