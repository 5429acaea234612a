#pragma once
// The zoom percentage box of a toolbar: a typed percentage within the active
// view's limits, or a chosen list entry, zooms the active view and gives it
// the keyboard focus back.
#include "controls/CNumCombo.h"

class CKavoView;

// "%d%%" of the zoom rounded to a whole percent.
QString FormatZoomPercent(float percent);

class CZoomCombo : public CNumCombo {
    Q_OBJECT
public:
    explicit CZoomCombo(QWidget* parent = nullptr);

    // The typed text (at most 20 characters read) as a whole number n: with
    // an active view, 0 < n within its limits zooms; otherwise the message
    // with the limits is shown and the zoom stays. True when it zoomed.
    virtual bool ApplyTypedZoom(const QString& text);
    // The chosen item's number; 0 does nothing. -1 without a selection.
    virtual int ApplySelectedZoom();
    void SetZoomText(float percent);
    void OnEnter() override;
    void OnSelect(int index) override;

    // Tests and the frame may name the view (default: the active one).
    void SetViewFinder(CKavoView* (*finder)()) { m_finder = finder; }

private:
    CKavoView* View() const;
    void ReturnFocusToView();
    CKavoView* (*m_finder)() = nullptr;
};
