#pragma once
// The pages of the Options sheet. Each edits its part of the sheet's
// OptionValues: LoadValues shows them, SaveValues checks the page's fields
// and takes them back (false, with the field's message, when one is refused).
#include "dialogs/options/OptionValues.h"
#include "platform/ui/CPropertySheet.h"

class CCheckListCtrl;
class CNumEdit;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class CColorDropButton;
class CPageSampleButton;

class COptionPage : public CPropertyPage {
    Q_OBJECT
public:
    COptionPage(const char* caption, OptionValues& values, QWidget* parent)
        : CPropertyPage(caption, parent), m_values(values)
    {
    }
    virtual void LoadValues() = 0;
    virtual bool SaveValues() = 0;

protected:
    bool DoDataExchange(bool save) override
    {
        if (save)
            return SaveValues();
        LoadValues();
        return true;
    }
    OptionValues& m_values;
};

class COptGeneral : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kEnglishId = 2140, kMetricId = 2141, kScaleId = 1208, kListId = 2618;
    COptGeneral(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    QRadioButton* m_english;
    QRadioButton* m_metric;
    CNumEdit* m_scale;
    CCheckListCtrl* m_list;
};

class COptView : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kLinesId = 2139, kDotsId = 2123, kListId = 2618;
    COptView(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    QRadioButton* m_lines;
    QRadioButton* m_dots;
    CCheckListCtrl* m_list;
};

class COptZoom : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kFirstPresetId = 3012, kScreenHeightId = 2133;
    COptZoom(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    CNumEdit* m_presets[6] = {};
    CNumEdit* m_height = nullptr;
};

class COptColors : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kRestoreId = 1240, kPreviewId = 1239;
    COptColors(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    void RestoreDefaults();
    void ShowSampleColors();
    CColorDropButton* m_buttons[kOptionColors] = {};
    CPageSampleButton* m_preview = nullptr;
};

class COptSave : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kBackupId = 2563, kAutoSaveId = 2566, kMinutesId = 2574;
    COptSave(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    void EnableMinutes();
    QCheckBox* m_backup;
    QCheckBox* m_autoSave;
    CNumEdit* m_minutes;
    QLabel* m_minutesLabel;
};

class COptAutoLabel : public COptionPage {
    Q_OBJECT
public:
    static constexpr int kCheckId = 2604;
    // The label edits by section: 1 in 2609, 2 in 2607, 3 in 2608, 4 in 2606.
    static constexpr int kSectionIds[kBranchLabels] = {2609, 2607, 2608, 2606};
    COptAutoLabel(OptionValues& values, QWidget* parent = nullptr);
    void LoadValues() override;
    bool SaveValues() override;

private:
    void EnableLabels();
    QCheckBox* m_check;
    QLineEdit* m_edits[kBranchLabels] = {};
    QWidget* m_labelsBox = nullptr;
};
