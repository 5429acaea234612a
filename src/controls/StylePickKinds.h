#pragma once
// What the style pickers and the style-choice dialogs need to know of the
// three kinds of style (label, figure, connector) in a document: the library
// and drop-menu layout of each kind, its change stamp, the command ids of its
// styles, and the style a picker shows when the document has no current one.
#include "document/StyleLibRef.h"

class CKavoDoc;
class CSerialStamp;
class CStyleMenu;
class CStyle;
struct DropMenuDesc;

enum class StylePickKind { Label, Figure, Connector };

// 37600, 36600 or 37100: the first style command of the kind.
int StyleCommandBase(StylePickKind kind);
// The kind's drop-menu layout in the document.
CStyleMenu& KindMenu(CKavoDoc& doc, StylePickKind kind);
// Advanced whenever the kind's styles or their layout change, so that every
// picker of the kind rebuilds its palette on its next drop.
CSerialStamp& KindStamp(CKavoDoc& doc, StylePickKind kind);
// The figure-and-label library for labels and figures, else the connector one.
StyleLibRef KindLibrary(CKavoDoc& doc, StylePickKind kind);
// The style at index when it is one of the kind (null otherwise).
const CStyle* KindStyleAt(const CKavoDoc* doc, StylePickKind kind, int index);
int KindCurrentStyle(const CKavoDoc& doc, StylePickKind kind);

// The kind's palette description from its drop-menu layout, the layout being
// built from the library first when it has never been built.
void FillKindCategories(CKavoDoc& doc, StylePickKind kind, DropMenuDesc& desc);

// The style a picker shows: the document's current style of the kind; when
// there is none, a default by name (labels "Label"; figures "Router", then
// "Process"; connectors "Ethernet", "Solid Arrow", "Solid Arw"), else the
// kind's first style; -1 without a document or without styles of the kind.
int SelectDefaultStyle(const CKavoDoc* doc, StylePickKind kind);

// Whether a picker's palette is out of date: a stamp other than the one it
// saw, a layout other than the one it was built from, or (pickers that follow
// the active document) a document that is no longer the active one.
struct PickerRefreshCheck {
    bool stampChanged = false;
    bool layoutDiffers = false;
    bool followsActiveDoc = false;
    bool activeDocDiffers = false;
};
bool PickerNeedsRefresh(const PickerRefreshCheck& check);
