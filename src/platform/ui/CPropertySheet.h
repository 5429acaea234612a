#pragma once
// Tabbed property sheets: pages that load their controls when first shown,
// check them before another page shows or the sheet commits, and write them
// on OK or Apply. The buttons carry their dialog ids (IDOK, IDCANCEL,
// ID_APPLY_NOW, IDHELP) so that sheets can rename, move or hide them.
#include "platform/ui/CDialog.h"

#include <QWidget>

#include <string>
#include <vector>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;
class CPropertySheet;

constexpr int ID_APPLY_NOW = 0x3021; // 12321
constexpr int IDHELP = 9;

class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    explicit CPropertyPage(const std::string& caption, QWidget* parent = nullptr);

    const std::string& Caption() const { return m_caption; }
    CPropertySheet* Sheet() const { return m_sheet; }
    bool IsInitialized() const { return m_initialized; }

    // Loads (save = false) or reads and checks (save = true) the controls;
    // false when a field was refused (its message has been shown).
    bool UpdateData(bool save);
    // Marks the page changed; the sheet's Apply follows the pages' flags.
    void SetModified(bool changed = true);
    bool IsModified() const { return m_modified; }

    // Builds the page's widgets once, before the sheet first shows, so that
    // the sheet takes the size its largest page needs (pages that build in
    // their constructor have nothing to do here). Loading is left to the
    // first showing.
    virtual void CreateControls() {}
    // Called once, the first time the page shows; default loads the controls.
    virtual void OnInitDialog();
    // The page is about to show; false keeps the previous page.
    virtual bool OnSetActive() { return true; }
    // The page is about to be left or committed; default reads and checks the
    // controls, and false keeps the page shown.
    virtual bool OnKillActive() { return UpdateData(true); }
    // Writes the page's values; false abandons the commit.
    virtual bool OnApply() { return true; }
    // The sheet is cancelled.
    virtual void OnCancel() {}

protected:
    // Loads or reads and checks the page's fields; false when one was refused.
    virtual bool DoDataExchange(bool /*save*/) { return true; }

private:
    friend class CPropertySheet;
    void Build();
    void Initialize();

    std::string m_caption;
    CPropertySheet* m_sheet = nullptr;
    bool m_built = false;
    bool m_initialized = false;
    bool m_modified = false;
};

class CPropertySheet : public CDialog {
    Q_OBJECT
public:
    explicit CPropertySheet(const std::string& caption, QWidget* parent = nullptr);

    // Pages are owned by the sheet from here on.
    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    int GetPageIndex(const CPropertyPage* page) const;
    // Shows that page when its own and the current page's checks allow it.
    bool SetActivePage(int index);
    // The page shown first when the sheet opens (clamped to the pages).
    void SetStartPage(int index) { m_startPage = index; }

    QTabWidget* GetTabControl() const { return m_tabs; }
    // A column of the sheet's own (a style list) left of the pages.
    void PlaceBesideTabs(QWidget* column);
    // Controls of the sheet's own at the left end of its button row.
    void PlaceBesideButtons(QWidget* row);
    QPushButton* Button(int id) const;
    // No Apply button (the sheet commits only on OK).
    void HideApplyButton();
    void EnableApply(bool enable);

    // Checks the shown page, then has every loaded page write its values;
    // false when a page refused (that page is then shown).
    bool Apply();

protected:
    // Builds every page, shows the start page and sizes the sheet for its
    // largest page, so that switching pages never squeezes or resizes it.
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Called after every page wrote its values on OK or Apply.
    virtual void OnApplied() {}
    // The help button; nothing by default.
    virtual void OnHelp() {}

private:
    friend class CPropertyPage;
    void PageModified();
    void OnTabChanged(int index);

    QTabWidget* m_tabs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    std::vector<CPropertyPage*> m_pages;
    int m_startPage = 0;
    int m_shownIndex = -1;
    bool m_switching = false;
};
