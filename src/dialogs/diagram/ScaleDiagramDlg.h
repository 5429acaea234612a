#pragma once
// Scale Diagram: a percentage (or "To page") and what the scaling includes.
// The Scale command fills the dialog's data, runs it, and scales after OK.
// The percentage moves by whole steps of the factor (base 100: one percent)
// between the lowest and the highest percentage at which the objects still
// fit the work space; a step beyond them only beeps.
#include "editing/ScaleCommands.h"
#include "platform/ui/CDialog.h"

#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QSpinBox;

class ScaleDiagramDlg : public CDialog {
    Q_OBJECT
public:
    // Limits for the objects the options name (the selection or all).
    using LimitsFn = std::function<void(bool selection, int& lowest, int& highest)>;
    explicit ScaleDiagramDlg(QWidget* parent = nullptr);

    // Filled by the caller before DoModal, read back after IDOK.
    int m_bFigBorders = 1;
    int m_bConnectors = 1;
    int m_bKeepAligned = 0;
    int m_bSelectedOnly = 0;
    int m_bText = 1;
    int m_bScaleStyles = 0;
    int m_bDropShadows = 1;
    int m_bToPage = 0;
    int m_bEnableSpin = 1, m_bEnableSelected = 1, m_bEnableKeepAligned = 1, m_bEnableToPage = 1, m_bEnableScale = 1;
    int m_nCallerLowest = 10;
    LimitsFn m_limits;

    int m_nLowest = 10;
    int m_nHighest = 1000;
    int m_nBase = 100;
    int m_nFactor = 100;

    int FactorToPercent(int factor) const;
    int PercentToFactor(int percent) const;
    int Percent() const { return FactorToPercent(m_nFactor); }

    static constexpr int kScaleId = 1208, kSpinId = 1217;
    static constexpr int kFigBordersId = 1255, kConnectorsId = 1210, kKeepAlignedId = 1207, kSelectedId = 1218,
                         kTextId = 1211, kStylesId = 1212, kShadowsId = 1213, kToPageId = 1214;

protected:
    void OnInitDialog() override;
    void OnOK() override;

private:
    QCheckBox* AddCheck(QWidget* parent, int id, const char* text, int* value);
    void StoreChecks();
    void LoadChecks();
    void AskLimits();
    // False (with a beep) when the factor's percentage lies outside the range.
    bool SetFactor(int factor);
    void ShowPercent();
    // The leading number of the scale text; false when there is none.
    bool TypedPercent(int& percent) const;
    void TakeTypedValue();
    void OnSpin(int position);
    void OnOptionToggled();
    void OnToPageToggled();

    QLineEdit* m_scale = nullptr;
    QSpinBox* m_spin = nullptr;
    std::vector<std::pair<QCheckBox*, int*>> m_checks;
};

// The program's Scale Diagram dialog over the Scale command's data; limits
// come from the document.
bool RunScaleDiagramDialog(QWidget* parent, CKavoDoc& doc, ScaleDialogData& data);
