#pragma once
// The connector styles sheet: the shared styles panel (preview, list, New,
// Copy, Rename and Delete) beside the pages, OK captioned Apply (it applies
// and stays) and Cancel captioned Close. Moving to another style, or
// closing, with changes pending asks whether to apply them first.
#include "dialogs/sheets/CConTabSheet.h"
#include "dialogs/sheets/CStylesPanel.h"
#include "dialogs/sheets/StyleBarWatch.h"

class CConPreviewButton;
class CConStyleButton;

class CCSTabSheet : public CCTabSheet, public IStylesPanelHost {
    Q_OBJECT
public:
    static constexpr int kPreview = 1239, kStylesLabel = IDC_STYLE_PICKER, kList = IDC_STYLE_LIST;
    static constexpr int kNew = IDC_STYLE_NEW, kCopy = IDC_STYLE_COPY, kDelete = IDC_STYLE_DELETE,
                         kRename = IDC_STYLE_RENAME;

    CCSTabSheet(QWidget* parent, CKavoDoc* doc, int style);
    void UpdateApplyState() override;
    // Validates and writes the pending changes to the current style (or to
    // every style for "<All>"). False when a page refused its values (the
    // sheet then shows that page and keeps the changes) or the category
    // list is full.
    bool ApplyStyles();

    // The panel's host.
    std::vector<StyleListEntry> StyleEntries() const override;
    int ShownStyle() const override { return m_data.curStyle; }
    bool HasPendingChanges() const override { return m_data.Pending(); }
    bool CommitPending() override { return ApplyStyles(); }
    void DiscardPending(bool madeByNew) override;
    void ShowStyle(int index) override;
    std::string NewNameBase() const override;
    bool AskStyleName(std::string& name, StyleNameMode mode) override;
    int AddStyle(const std::string& name, bool copy) override;
    bool RenameStyle(int index, const std::string& name) override;
    bool DeleteStyle(int index) override;
    // "Specify connector style to delete".
    UINT DeleteRefusedText() const override { return 439; }
    void NoStylesLeft(bool afterDelete) override;

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnApplied() override;

private:
    ConStyleValues ValuesFromSheet() const;

    CStylesPanel* m_panel;
    CConPreviewButton* m_preview;
    // The "Styles" picker over the list: a style chosen there is selected
    // as from the list.
    CConStyleButton* m_picker;
    CStyleBarWatch m_barWatch;
};
