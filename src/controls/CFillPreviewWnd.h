#pragma once
// Previews of the property pages: a sample shape with a fill and a drop
// shadow as the diagram would show them (figure Fill page, Shadows page,
// wizard), and a connector line with its ends (connector style sheet).
#include "document/ShadowDescription.h"
#include "shapes/CConProps.h"
#include "shapes/FillDescription.h"

#include <QPushButton>
#include <QWidget>

class CDC;
class CKavoDoc;

class CFillPreviewWnd : public QWidget {
    Q_OBJECT
public:
    explicit CFillPreviewWnd(QWidget* parent = nullptr);

    bool Create(const QRect& rect, QWidget* parent, int id);
    // A description that differs from the shown one repaints.
    void SetFill(const CFillSpec& fill);
    void SetShadow(const CShadowSpec& shadow);
    // Inset by a fifth of the height instead of a quarter.
    void SetLargeMargin(bool on) { m_bLargeMargin = on; update(); }
    // The fill over the whole window, without outline or shadow.
    void SetWholeArea(bool on) { m_bWholeArea = on; update(); }
    void SetButtonFace(bool on) { m_bButtonFace = on; update(); }
    void SetBlank(bool on) { m_bBlank = on; update(); }
    const CFillSpec& GetFill() const { return m_fill; }
    const CShadowSpec& GetShadow() const { return m_shadow; }

    // The square the sample is drawn in.
    CRect SampleRect() const;
    // Pixels per logical unit of the shadow: the screen's at the active
    // view's zoom, 100 % without a view.
    static double ShadowScale();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Draw(CDC& dc) const;

    bool m_bLargeMargin = false;
    bool m_bWholeArea = false;
    CFillSpec m_fill;
    CShadowSpec m_shadow;
    bool m_bButtonFace = false;
    bool m_bBlank = false;
};

class CConPreviewButton : public QPushButton {
    Q_OBJECT
public:
    explicit CConPreviewButton(CKavoDoc* doc, QWidget* parent = nullptr);
    // A record that differs from the shown one repaints.
    void SetStyle(const CConProps& props);
    const CConProps& GetStyle() const { return m_props; }
    void SetButtonFace(bool on) { m_bButtonFace = on; update(); }
    void SetNoLine(bool on) { m_bNoLine = on; update(); }
    // The line runs in the client less 20 pixels on either side.
    CRect LineRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKavoDoc* m_pDoc;
    CConProps m_props;
    bool m_bButtonFace = false;
    bool m_bNoLine = false;
};
