#pragma once
// The state and decisions of a style picker, apart from its drawing: the
// document whose styles it offers, the palette's categories built from the
// document's drop-menu layout, the stamp it was built at, the style it
// shows, and what a chosen palette command does.
#include "controls/StylePickCategories.h"
#include "controls/StylePickKinds.h"
#include "document/CStyleMenu.h"

#include <QPoint>

class CKavoDoc;

class CStylePickerCore {
public:
    // followsActiveDoc: the style-bar and toolbar pickers, which take up the
    // active document before each drop.
    CStylePickerCore(StylePickKind kind, bool followsActiveDoc);

    StylePickKind Kind() const { return m_kind; }
    CKavoDoc* GetDocument() const { return m_pDoc; }
    // Stores another document and refreshes; false when it is the same. A
    // figure picker left without a document shows no style.
    bool SetDocument(CKavoDoc* doc);
    // The palette anew from the document's layout; false without a document.
    bool Refresh();
    // Before the palette drops: the active document taken up (pickers that
    // follow it), then a refresh when the stamp moved on or the layout
    // changed; the current value is the current style. True when refreshed.
    bool PrepareDrop(CKavoDoc* activeDoc);
    // The two halves of PrepareDrop, for a picker that tells its owner of
    // the drop in between: the active document taken up (pickers that
    // follow it; true when refreshed), then a refresh when the stamp moved
    // on or the layout changed (true when refreshed).
    bool FollowActiveDoc(CKavoDoc* activeDoc);
    bool RefreshIfStale();
    bool NeedsRefresh(CKavoDoc* activeDoc) const;

    const CPaletteItemList& Categories() const { return m_cats; }
    int ValueOfCommand(int command) const { return CategoryValueOfCommand(m_cats, UINT(command)); }

    int GetCurrent() const { return m_nCurrent; }
    // True when it changed.
    bool SetCurrent(int style);
    // The document's current style of the kind, else its default by name.
    int SelectDefault();

    // A chosen palette command: a cell makes its style current; a "..."
    // entry runs the style-choice dialog at the point (screen). True when
    // the picker has a new choice to report.
    bool Choose(int command, QPoint dialogAt);

private:
    StylePickKind m_kind;
    bool m_bFollowsActiveDoc;
    CKavoDoc* m_pDoc = nullptr;
    unsigned m_nSeenStamp = 0;
    DropMenuDesc m_builtFrom;
    CPaletteItemList m_cats;
    int m_nCurrent = -1;
};
