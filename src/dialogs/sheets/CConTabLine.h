#pragma once
// The connector sheets' Line page: the line's pattern, colour, width,
// curvature and corner join, and the flow symbols drawn along it.
#include "dialogs/sheets/CConPage.h"

class CColorDropButton;
class QButtonGroup;
class QComboBox;

class CCTabLine : public CConPage {
    Q_OBJECT
public:
    static constexpr int kPattern = 2539, kColor = 2532, kWidth = 2540;
    static constexpr int kStraight = 2587, kRounded = 2589, kCurved = 2586, kSmoothed = 2588;
    static constexpr int kMiter = 2580, kRound = 2581, kBevel = 2582;
    static constexpr int kFlow = 2579, kFlowKind = 2545, kFlowFill = 2538, kFlowBorder = 2535;
    static constexpr int kFlowBorderWidth = 2146, kFlowSize = 2542, kFlowSpacing = 2227;
    static constexpr int kNoLine = 5;

    explicit CCTabLine(CConSheetData& data, QWidget* parent = nullptr);
    void OnInitPage() override;

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    CColorDropButton* AddColor(int id, COLORREF CConProps::*field, int32_t CConPropMask::*flag);
    CNumEdit* AddSize(int id, int32_t CConProps::*field, int32_t CConPropMask::*flag, double min, double max,
                      UINT error, ConDiffers differs);
    QComboBox* m_pattern;
    QComboBox* m_flowKind;
    QButtonGroup* m_curve;
    QButtonGroup* m_join;
};
