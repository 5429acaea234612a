#pragma once
// The left-hand panel of a style sheet: a preview slot, an optional picker,
// the list of the style names (with "<All>" last when the host offers it)
// and the New, Copy, Rename and Delete buttons of the sheet's button row.
// The panel runs the list and the buttons, the pending-change question and
// the name proposals; the host sheet holds the styles and the pages.
#include "platform/WinTypes.h"

#include <QWidget>

#include <set>
#include <string>
#include <vector>

class CRightClickListBox;
class QPushButton;
class QVBoxLayout;

constexpr int IDC_STYLE_LIST = 1253;
constexpr int IDC_STYLE_PICKER = 1251;
constexpr int IDC_STYLE_NEW = 2127;
constexpr int IDC_STYLE_COPY = 2128;
constexpr int IDC_STYLE_DELETE = 2129;
constexpr int IDC_STYLE_RENAME = 2130;
// Item data of the "<All>" line.
constexpr int kStylesPanelAll = -3;

struct StyleListEntry {
    std::string name;
    int index = -1;
};

enum class StyleNameMode { New, Copy, Rename };

class IStylesPanelHost {
public:
    virtual ~IStylesPanelHost() = default;
    // The entries of the sheet's kind, in library order.
    virtual std::vector<StyleListEntry> StyleEntries() const = 0;
    virtual bool OffersAll() const { return true; }
    // The entry shown: an index, kStylesPanelAll, or -1 for none.
    virtual int ShownStyle() const = 0;
    virtual bool HasPendingChanges() const = 0;
    // Yes to the pending question; false abandons the caller's action.
    virtual bool CommitPending() = 0;
    // No to the pending question. madeByNew: the entry was made by New in
    // this sheet, so an entry still unusable may go without a question.
    virtual void DiscardPending(bool madeByNew) = 0;
    // Loads the entry into the pages (and the shown index).
    virtual void ShowStyle(int index) = 0;
    // The base of new names ("Figure Style").
    virtual std::string NewNameBase() const = 0;
    // The name prompt; false when cancelled.
    virtual bool AskStyleName(std::string& name, StyleNameMode mode) = 0;
    // A new entry (a copy of the working values for Copy); its index or -1.
    virtual int AddStyle(const std::string& name, bool copy) = 0;
    virtual bool RenameStyle(int index, const std::string& name) = 0;
    virtual bool DeleteStyle(int index) = 0;
    // The message shown when the document refuses a delete.
    virtual UINT DeleteRefusedText() const { return 460; }
    // The last entry went, or the first New was cancelled: the sheet closes.
    virtual void NoStylesLeft(bool afterDelete) = 0;
};

class CStylesPanel : public QWidget {
    Q_OBJECT
public:
    CStylesPanel(IStylesPanelHost* host, QWidget* parent);

    // The New, Copy, Rename and Delete buttons in a row of their own, which
    // the sheet places in its button row.
    QWidget* CreateButtons();
    // The preview and the picker the host made, placed in the panel.
    // The preview's height is in dialog units (a figure's 53, a line's less).
    void SetPreview(QWidget* preview, int heightDlu = 53);
    void SetPicker(QWidget* picker);
    CRightClickListBox* List() const { return m_list; }
    // The column's width: 82 dialog units of the sheet's font.
    int PanelWidth() const;
    QPushButton* Button(int id) const;

    // Fills the list again and selects the shown entry.
    void Refill();
    // Selects the entry as the user would (pending question first); false
    // when the question abandoned it.
    bool SelectStyle(int index);
    // Asks about pending changes; false when the action is abandoned.
    bool AskKeepChanges();
    // Copy, Rename and Delete follow the shown entry.
    void UpdateButtons();
    void OnNew();
    void OnCopy();
    void OnRename();
    void OnDelete();
    bool WasMadeByNew(const std::string& name) const { return m_madeByNew.count(name) != 0; }

private:
    void OnListChanged();
    void SelectRowOf(int index);
    bool NameExists(const std::string& name) const;
    std::string NameOf(int index) const;
    // The prompt until it is cancelled or gives a name no style has.
    bool AskUniqueName(std::string& name, StyleNameMode mode, const std::string& unchanged);

    IStylesPanelHost* m_host;
    CRightClickListBox* m_list;
    QVBoxLayout* m_column;
    std::vector<QPushButton*> m_buttons;
    std::set<std::string> m_madeByNew;
    bool m_filling = false;
};
