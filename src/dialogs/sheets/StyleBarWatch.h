#pragma once
// Keeps the style bar in step with a style sheet: after the sheet changed
// the document's styles (a style-bar button flag ticked or cleared, a style
// added or deleted), the bar is rebuilt when the document's style-bar
// layouts no longer are those it showed, while the sheet is still open.
#include "document/CStyleMenuLayout.h"

#include <array>

class CKavoDoc;

class CStyleBarWatch {
public:
    explicit CStyleBarWatch(const CKavoDoc* doc);
    // Rebuilds the bar (through the style-choice seams) when a layout
    // changed since the watch last looked.
    void Check();

private:
    std::array<CStyleMenuLayout, 3> Layouts() const;
    const CKavoDoc* m_pDoc;
    std::array<CStyleMenuLayout, 3> m_seen;
};
