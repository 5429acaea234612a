#pragma once
// A view of a document as the document sees it: UpdateAllViews reaches every
// registered view through this interface.
#include "platform/CRect.h"

class IDocView {
public:
    virtual ~IDocView() = default;
    // Hint 1 with a rectangle (document coordinates) redraws that area; hint
    // 0 with no rectangle redraws everything.
    virtual void OnDocUpdate(IDocView* sender, int hint, const CRect* rect) = 0;
};
