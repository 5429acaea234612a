#pragma once
// The connector styles sheet's Auto-Label page: the label a new connector of
// the style receives (its first text section), whether it gets one, and
// where it stands.
#include "dialogs/sheets/CConPage.h"

class QButtonGroup;
class QPlainTextEdit;

class CCTabAutoLabel : public CConPage {
    Q_OBJECT
public:
    static constexpr int kAutoLabel = 2624, kText = 2627, kInLine = 2763, kAbove = 2764, kBelow = 2765;
    static constexpr int kInLinePicture = 2766, kAbovePicture = 2767, kBelowPicture = 2768;
    explicit CCTabAutoLabel(CConSheetData& data, QWidget* parent = nullptr);

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    QPlainTextEdit* m_text;
    QButtonGroup* m_position;
    bool m_bTextChanged = false;
};

// The page of fixed-length stamps: whether connectors of the style are
// stamps, their length and their orientation.
class CCTabFragment : public CConPage {
    Q_OBJECT
public:
    static constexpr int kStamp = 2770, kLength = 2777, kUp = 2773, kDown = 2774, kLeft = 2776, kRight = 2775;
    static constexpr int kUpPicture = 2782, kDownPicture = 2783, kLeftPicture = 2780, kRightPicture = 2781;
    explicit CCTabFragment(CConSheetData& data, QWidget* parent = nullptr);

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    QButtonGroup* m_orientation;
};
