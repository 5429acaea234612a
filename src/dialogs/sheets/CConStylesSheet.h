#pragma once
// The connector styles sheet: the style list beside the pages, with a
// preview of the working properties, New, Copy, Rename and Delete, OK
// captioned Apply (it applies and stays) and Cancel captioned Close. Moving
// to another style, or closing, with changes pending asks whether to apply
// them first.
#include "dialogs/sheets/CConTabSheet.h"

class CConPreviewButton;
class QListWidget;
class QPushButton;

class CCSTabSheet : public CCTabSheet {
    Q_OBJECT
public:
    static constexpr int kPreview = 1239, kStylesLabel = 1251, kList = 1253;
    static constexpr int kNew = 2127, kCopy = 2128, kDelete = 2129, kRename = 2130;

    CCSTabSheet(QWidget* parent, CKavoDoc* doc, int style);
    void UpdateApplyState() override;
    // Validates and writes the pending changes to the current style (or to
    // every style for "<All>"). False when a page refused its values (the
    // sheet then shows that page and keeps the changes) or the category
    // list is full.
    bool ApplyStyles();
    // Makes the style current, asking first about pending changes; false
    // when the user stayed on the current one.
    bool SelectStyle(int index);
    void OnNew();
    void OnCopy();
    void OnRename();
    void OnDelete();

protected:
    void OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnApplied() override;

private:
    QPushButton* StyleButton(int id) const;
    bool AskApplyPending();
    void FillList();
    void SelectListEntry(int index);
    void EnableStyleButtons();
    // Runs the name dialog until it is cancelled (empty) or gives a name
    // no style has.
    std::string AskName(const std::string& start, bool copy, bool rename);
    ConStyleValues ValuesFromSheet() const;
    bool AddAndSelect(const ConStyleValues& values, bool showGeneral);

    CConPreviewButton* m_preview;
    QListWidget* m_list;
};
