#pragma once
// The pages of the new diagram wizard.
#include "dialogs/wizard/CWizardSheet.h"

class CSchemePreviewWnd;
class CFillPreviewWnd;
class CFontPreviewWnd;
class CNumEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

// One variant group: its variants in a list with the chosen one's preview
// picture; the choice goes into the group.
class CWizardPropertyPage : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kLabelId = 1329, kListId = 2671, kPreviewId = 1225;
    CWizardPropertyPage(CWizardSheet& sheet, int index, int group, QWidget* parent = nullptr);
    void OnSetActive() override;

private:
    // The chosen variant's preview picture, read when the choice changes.
    void ShowPreview();

    CWizardSheet& m_sheet;
    int m_nGroup;
    QLabel* m_label;
    QListWidget* m_list;
    CSchemePreviewWnd* m_preview;
    int m_nShown = -1;
};

// Drop shadow and gradient fill for the styles, with a preview.
class CWizardPropertyPageFx : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kShadowId = 2670, kFillId = 2818, kPreviewId = 2150;
    CWizardPropertyPageFx(CWizardSheet& sheet, int index, QWidget* parent = nullptr);
    void OnSetActive() override;

private:
    void OnShadow(int row);
    void OnFill(int row);
    void ShowPreview();

    CWizardSheet& m_sheet;
    QComboBox* m_shadow;
    QComboBox* m_fill;
    CFillPreviewWnd* m_preview;
};

// Text font, font size change, line spacing and wrapping for every style.
class CWizardPropertyPageOpt : public CWizardPage {
    Q_OBJECT
public:
    static constexpr int kFontId = 1306, kSizeId = 2141, kModeId = 2144, kValueId = 2140, kWrapId = 2681,
                         kPreviewId = 1239;
    CWizardPropertyPageOpt(CWizardSheet& sheet, int index, QWidget* parent = nullptr);
    void OnSetActive() override;
    bool OnKillActive() override;

private:
    void OnMode(int mode);
    void ConfigureValue();
    void ShowPreview();

    CWizardSheet& m_sheet;
    QComboBox* m_font;
    CNumEdit* m_size;
    QComboBox* m_mode;
    QLabel* m_valueLabel;
    CNumEdit* m_value;
    QCheckBox* m_wrap;
    CFontPreviewWnd* m_preview;
    double m_fValue = 0;   // the value field's measure (modes 6 and 7), inches
};
