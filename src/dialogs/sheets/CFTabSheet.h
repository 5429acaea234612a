#pragma once
// The figure property sheets: one tabbed sheet over a working copy of the
// figure properties, in two variants. CFPTabSheet edits the selected figures
// or labels and writes the flagged properties on Apply and OK, all Applies
// of one sheet forming one undo step; CFSTabSheet edits the document's
// figure or label styles beside a styles panel.
#include "dialogs/sheets/CStylesPanel.h"
#include "dialogs/sheets/FigSheetData.h"
#include "dialogs/sheets/StyleBarWatch.h"
#include "platform/Prompt.h"
#include "platform/ui/CPropertySheet.h"

#include <memory>
#include <vector>

class CFigPage;
class CFTabGeneral;
class CFTabText;
class CFTabConnect;
class CFTabBehaviors;
class CFTabAutoLabel;
class CFTabFill;
class CFigPreviewWnd;

class CFTabSheet : public CPropertySheet {
    Q_OBJECT
public:
    CFTabSheet(const FigSheetData& data, QWidget* parent);
    ~CFTabSheet() override;

    FigSheetData& Data() { return m_data; }
    // The commit button follows the change state.
    void RefreshCommitButton();
    // Every mask flag cleared, the changed flag too.
    void ResetChangeState();
    // The active page loads from the working copy again.
    void ReloadActivePage();
    CFigPage* ActivePage() const;
    int PageCount() const { return GetPageCount(); }
    CFigPage* Page(int i) const;
    void SetActivePage(CFigPage* page);
    CFTabGeneral* GeneralPage() const { return m_general; }
    // Stores the active page; on failure it stays shown.
    bool ValidateActivePage();
    // Hands the sheet a picture it now holds (the one it held before is
    // freed unless the document took it).
    void HoldPicture(HGLOBAL picture);
    // The held picture went to the document or is no longer wanted.
    void ReleaseHeldPicture();
    // Redraws the styles sheet's sample; nothing in the properties sheet.
    virtual void RedrawPreview() {}
    // The styles sheet's list shows the names again (after a rename).
    virtual void RefillStyleList() {}

protected:
    void OnInitDialog() override;
    void OnHelp() override;
    void keyPressEvent(QKeyEvent* event) override;
    // The commit button of the variant: Apply, or OK showing Apply's text.
    virtual int CommitButtonId() const = 0;
    void BuildPages();

    FigSheetData m_data;
    CFTabGeneral* m_general = nullptr;
    CFTabText* m_text = nullptr;
    CFTabConnect* m_connect = nullptr;
    CFTabBehaviors* m_behaviors = nullptr;
    CFTabAutoLabel* m_autoLabel = nullptr;
    CFTabFill* m_fill = nullptr;

private:
    // The page the next sheet of this kind opens on.
    int& RememberedPage();
};

// Whether a figure sheet is open (set once it is up, cleared when it goes).
bool IsFigSheetOpen();

class CFPTabSheet : public CFTabSheet {
    Q_OBJECT
public:
    CFPTabSheet(const FigSheetData& data, QWidget* parent);

protected:
    void OnInitDialog() override;
    // Writes the flagged values to the selection once the pages stored them.
    void OnApplied() override;
    int CommitButtonId() const override { return ID_APPLY_NOW; }

private:
    long long m_stepMark = -1;
};

// Opens the properties sheet over the selected figures (or labels); IDCANCEL
// without a selection of the kind.
int RunFigPropSheet(CKavoDoc& doc, bool labels, QWidget* parent);

class CFSTabSheet : public CFTabSheet, public IStylesPanelHost {
    Q_OBJECT
public:
    // start: a style index of the kind; -1 the document's current style of
    // the kind, or its first style when none is current.
    CFSTabSheet(bool label, CKavoDoc& doc, int start, QWidget* parent);
    CStylesPanel* Panel() const { return m_panel; }
    CFigPreviewWnd* Preview() const { return m_preview; }
    void RedrawPreview() override;
    void RefillStyleList() override;
    // OK (shown as Apply): writes the shown entry; false keeps the changes.
    bool Commit();

    // IStylesPanelHost
    std::vector<StyleListEntry> StyleEntries() const override;
    int ShownStyle() const override { return m_data.style; }
    bool HasPendingChanges() const override { return m_data.HasChanges(); }
    bool CommitPending() override { return Commit(); }
    void DiscardPending(bool madeByNew) override;
    void ShowStyle(int index) override;
    std::string NewNameBase() const override;
    bool AskStyleName(std::string& name, StyleNameMode mode) override;
    int AddStyle(const std::string& name, bool copy) override;
    bool RenameStyle(int index, const std::string& name) override;
    bool DeleteStyle(int index) override;
    void NoStylesLeft(bool afterDelete) override;

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    int CommitButtonId() const override { return IDOK; }

private:
    bool HasShape() const;
    bool CommitToAll();

    CStylesPanel* m_panel;
    CFigPreviewWnd* m_preview;
    int m_start;
    CStyleBarWatch m_barWatch;
};

// Opens the styles sheet over the document's figure (or label) styles.
int RunFigStyleSheet(CKavoDoc& doc, bool labels, int start, QWidget* parent);
