#pragma once
// The buttons of the style bar's rows: flat face buttons that each show one
// style of the document as a sample, tell its name and description in the
// status bar while hovered, and do nothing while their slot is empty
// (style index -1). The bar decides what a button-up over another button
// of the row means (AfterButtonUp).
#include "controls/CHotFaceButton.h"

class CKavoDoc;
class CStyle;

class CStyleBarButton : public CHotFaceButton {
    Q_OBJECT
public:
    explicit CStyleBarButton(QWidget* parent = nullptr) : CHotFaceButton(parent) {}

    // A flat member of the group with the classic colours; the bevel is
    // the thin one of the newer shells.
    void Setup(int styleIndex, int groupId, CKavoDoc* doc);
    int StyleIndex() const { return m_nStyle; }
    CKavoDoc* Document() const { return m_pDoc; }
    bool IsEmptySlot() const { return m_nStyle == -1; }

protected:
    // The style the button shows, null when the index is not in the library.
    virtual const CStyle* Style() const = 0;
    virtual void DrawSample(CDC* dc, const CRect& rect) = 0;
    // Runs after the button's normal button-up, empty slots included.
    virtual void AfterButtonUp(QMouseEvent* event) { (void)event; }

    void DrawContent(CDC* dc, const CRect& rect, bool disabled, bool notPressed) override;
    void OnLButtonDown(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void OnMouseEntered() override;
    void OnMouseLeft() override;

private:
    CKavoDoc* m_pDoc = nullptr;
    int m_nStyle = -1;
};

class CFigStyleBarButton : public CStyleBarButton {
    Q_OBJECT
public:
    using CStyleBarButton::CStyleBarButton;

protected:
    const CStyle* Style() const override;
    void DrawSample(CDC* dc, const CRect& rect) override;
};

class CLblStyleBarButton : public CStyleBarButton {
    Q_OBJECT
public:
    using CStyleBarButton::CStyleBarButton;

protected:
    const CStyle* Style() const override;
    void DrawSample(CDC* dc, const CRect& rect) override;
};

class CConStyleBarButton : public CStyleBarButton {
    Q_OBJECT
public:
    using CStyleBarButton::CStyleBarButton;

protected:
    const CStyle* Style() const override;
    void DrawSample(CDC* dc, const CRect& rect) override;
};
