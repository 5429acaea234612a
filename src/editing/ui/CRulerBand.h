#pragma once
// One ruler band of the diagram view, outside its client area: a tick per
// division of the document's units, its origin at the page's edge.
#include <QWidget>

class CKavoView;

class CRulerBand : public QWidget {
    Q_OBJECT
public:
    CRulerBand(CKavoView* view, bool horizontal);
    // Lays the band along its edge, or hides it.
    void Place(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CKavoView* m_view;
    bool m_bHorizontal;
};
