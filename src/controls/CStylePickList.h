#pragma once
// The owner-drawn list of the style-choice dialogs: per style a drawn sample,
// its name and description, and a check column of two boxes, "in the style
// menu" above and "on the style bar" below. A press on a box toggles it
// without selecting; the changes wait in the items until ApplyChanges writes
// them to the library. Rows are hit as (y x visible rows / client height) +
// top index, so the list keeps its client area a whole number of rows high.
#include "controls/StylePickKinds.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <string>
#include <vector>

class CKavoDoc;

struct StylePickItem {
    int style = -1;
    int onBar = 0;
    int inMenu = 0;
    int changed = 0;
};

// The category names of the dialog's list and combo.
extern const char* const kAllCategories;          // "<All>"
extern const char* const kStylesWithoutCategory;  // "<Styles without a category>"

// The check-column picture of an item's two flags: bitmap 360 both, 361 in
// the menu only, 362 on the style bar only, 363 neither.
int StyleCheckBitmapId(bool inMenu, bool onBar);
// The bitmap drawn on the colour key pure green (which it leaves out when
// drawn); null for another id.
const QImage& StyleCheckBitmap(int id);
constexpr int kStyleCheckBitmapWidth = 14;

class CStylePickList : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum Column { SampleColumn, TextColumn, CheckColumn };

    explicit CStylePickList(StylePickKind kind, QWidget* parent = nullptr);

    StylePickKind Kind() const { return m_kind; }
    bool IsLabelList() const { return m_kind == StylePickKind::Label; }
    void SetDocument(CKavoDoc* doc) { m_pDoc = doc; }
    CKavoDoc* GetDocument() const { return m_pDoc; }
    // The styles of the kind in the category (labels: all of them).
    void Fill(const std::string& category);
    // Whether a style of the kind in that category is listed.
    static bool InCategory(const std::string& styleCategory, const std::string& category);

    int GetCount() const { return int(m_items.size()); }
    const StylePickItem* Item(int row) const;
    int GetCurSel() const { return m_nCurSel; }
    void SetCurSel(int row);
    // The row of a style index, -1 when it is not listed.
    int FindStyle(int style) const;
    int GetTopIndex() const;
    void SetTopIndex(int top);

    // Pixel sizes: a row, the sample and text columns.
    int ItemHeight() const;
    int SampleWidth() const;
    int TextWidth() const;
    int VisibleRows() const;
    // -1 below the last item or without any client height.
    int RowAt(int y) const;
    Column ColumnAt(int x) const;
    // The row's rectangle in the client area.
    QRect RowRect(int row) const;
    // The client height the rows fill exactly, for a height asked for.
    int IntegralClientHeight(int wanted) const;

    // Writes every changed item's flags to its style; true when one was
    // changed; barChanged when a style-bar flag changed. The document's
    // style menus and style-bar layouts then follow the library.
    bool ApplyChanges(bool& barChanged);

signals:
    // A double click on a style (not on its boxes) was released.
    void chosen();
    void selectionChanged(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    QSize sizeHint() const override;

private:
    void UpdateScrollRange();
    void PressAt(const QPoint& pos);
    void ToggleAt(int row, int yInRow);
    void DrawSample(class CDC& dc, int row, const QRect& rc) const;
    void DrawText(class QPainter& p, int row, const QRect& rc) const;
    void DrawChecks(QPainter& p, int row, const QRect& rc) const;
    std::string StyleName(int style) const;
    std::string StyleDescription(int style) const;

    StylePickKind m_kind;
    CKavoDoc* m_pDoc = nullptr;
    std::vector<StylePickItem> m_items;
    int m_nCurSel = -1;
    bool m_bCheckPress = false;      // the last press was in the check column
    bool m_bDblClkPending = false;   // a double click waits for its release
};
