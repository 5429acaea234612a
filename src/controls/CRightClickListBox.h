#pragma once
// List boxes whose right button first selects the item under the cursor, then
// opens a small command menu; the commands go to the parent window through
// `commandSent`.
#include <QListWidget>

#include <vector>

class CMenuListBox : public QListWidget {
    Q_OBJECT
public:
    struct Item {
        unsigned stringId;
        int command;
    };
    CMenuListBox(std::vector<Item> items, QWidget* parent);
    // The popup's entries, in order (the menu is built each time it opens).
    const std::vector<Item>& MenuItems() const { return m_items; }

signals:
    void commandSent(int command);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::vector<Item> m_items;
};

// "Copy", "Rename", "Delete" (commands 2128, 2130, 2129).
class CRightClickListBox : public CMenuListBox {
    Q_OBJECT
public:
    explicit CRightClickListBox(QWidget* parent = nullptr);
};

// "Reload" (command 101).
class CGalleryListBox : public CMenuListBox {
    Q_OBJECT
public:
    explicit CGalleryListBox(QWidget* parent = nullptr);
};
