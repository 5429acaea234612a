#pragma once
// A one-column list of options, each with a check box that is on or off and
// enabled or disabled. The box's state is the item's state image: 0 no box,
// 1 unchecked, 2 checked, 3 disabled unchecked, 4 disabled checked. A click
// on an enabled box, or Space on the first selected item, toggles it and
// tells the parent (control id, code 4001), which reads the item toggled last.
#include <QListWidget>
#include <QPixmap>

#include <vector>

class CCheckListCtrl : public QListWidget {
    Q_OBJECT
public:
    static constexpr int kNotifyToggled = 4001;
    static constexpr int kStateBitmap = 379;
    static constexpr int kStateImageWidth = 13;
    static constexpr int kStateImages = 5;

    explicit CCheckListCtrl(QWidget* parent = nullptr);

    // Takes the control id, joins the parent and makes the state images.
    void Init(int ctrlId, QWidget* parent);
    bool AddItem(int index, const QString& text, bool checked, bool enabled);
    int GetCheck(int index) const;
    void SetCheck(int index, bool checked);
    bool IsItemEnabled(int index) const;
    void EnableItem(int index, bool enable);
    // Raw state images; -1 for an index out of range.
    int GetStateImage(int index) const;
    void SetStateImage(int index, int image);
    // Flips the check, remembers the index and tells the parent.
    void Toggle(int index);
    int GetLastToggled() const { return m_nLastToggled; }
    int GetCtrlId() const { return m_nCtrlId; }
    const QPixmap& StateImage(int image) const;

    // The row under a point of the list's client area: y over the height of
    // item 0's rectangle plus the top row; -1 when the list has no rows.
    int RowAt(const QPoint& pt) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void MakeStateImages();

    int m_nCtrlId = 0;
    int m_nLastToggled = -1;
    std::vector<QPixmap> m_stateImages;
};
