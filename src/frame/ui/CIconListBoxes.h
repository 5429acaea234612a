#pragma once
// The two lists of the Customize sheet that items are dragged from: the
// commands of a category, each with its toolbar image, and the styles of a
// kind, each with its sample. Items are 26 pixels high: a picture cell on the
// left, the name to its right.
#include <QListWidget>

class CKavoDoc;

// Style kinds a style list shows (the string ids of the rows' captions).
constexpr int kStyleKindFigures = 430, kStyleKindConnectors = 431, kStyleKindLabels = 489;

class CIconListBox : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kItemHeight = 26;
    CIconListBox(QSize cell, QWidget* parent);
    QSize Cell() const { return m_cell; }
    // Draws the picture of row `row` into its cell (the cell's own area).
    virtual void DrawPicture(QPainter& p, const QRect& cell, int row) const = 0;
    // The item's data: a command id or a style index.
    int ItemData(int row) const;

signals:
    // A left press, after the list handled it (the item under it is current).
    void leftPressed(const QPoint& global);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QSize m_cell;
};

class CCmdIconListBox : public CIconListBox {
    Q_OBJECT
public:
    explicit CCmdIconListBox(QWidget* parent = nullptr);
    // Every catalogue command of the category, its short name shown.
    void Build(int category);
    void DrawPicture(QPainter& p, const QRect& cell, int row) const override;
};

class CStyleIconListBox : public CIconListBox {
    Q_OBJECT
public:
    explicit CStyleIconListBox(QWidget* parent = nullptr);
    void SetDocument(CKavoDoc* doc) { m_pDoc = doc; }
    CKavoDoc* Document() const { return m_pDoc; }
    int Kind() const { return m_nKind; }
    // The styles of a kind (430 figures, 489 labels, 431 connectors) in
    // library order, of one category when one is named; any other kind
    // leaves the list empty.
    void Build(int kind, const std::string* category);
    void DrawPicture(QPainter& p, const QRect& cell, int row) const override;

private:
    CKavoDoc* m_pDoc = nullptr;
    int m_nKind = 0;
};
