// Planted fault: model code of the frame layer uses a dialog.
#include "geometry/Planted.h"
#include "dialogs/CStyleNameDlg.h"
