#pragma once
// The connector sheets' Line page: the line's pattern, colour, width,
// curvature and corner join, and the flow symbols drawn along it.
#include "dialogs/sheets/CConPage.h"

class CColorDropButton;
class CFlowIndicatorButton;
class CLinePatternButton;
class QButtonGroup;

class CCTabLine : public CConPage {
    Q_OBJECT
public:
    static constexpr int kPattern = 2539, kColor = 2532, kWidth = 2540;
    static constexpr int kStraight = 2587, kRounded = 2589, kCurved = 2586, kSmoothed = 2588;
    static constexpr int kMiter = 2580, kRound = 2581, kBevel = 2582;
    static constexpr int kFlow = 2579, kFlowKind = 2545, kFlowFill = 2538, kFlowBorder = 2535;
    static constexpr int kFlowBorderWidth = 2146, kFlowSize = 2542, kFlowSpacing = 2227;
    // The size pickers beside the width, flow border, size and spacing fields.
    static constexpr int kWidthPicker = 2110, kFlowBorderPicker = 2111, kFlowSizePicker = 2112,
                         kFlowSpacingPicker = 2113;
    static constexpr int kNoLine = 5;

    explicit CCTabLine(CConSheetData& data, QWidget* parent = nullptr);

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    CColorDropButton* AddColor(int id, COLORREF CConProps::*field, int32_t CConPropMask::*flag);
    CNumEdit* AddSize(int id, int32_t CConProps::*field, int32_t CConPropMask::*flag, double min, double max,
                      UINT error, ConDiffers differs);
    CLinePatternButton* m_pattern;
    CFlowIndicatorButton* m_flowKind;
    QButtonGroup* m_curve;
    QButtonGroup* m_join;
};
