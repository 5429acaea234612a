#pragma once
// The connector sheets' Ends page: the symbol at each end with its fill
// colour and size, and the border width both ends share.
#include "dialogs/sheets/CConPage.h"

class CEndSymbolButton;

class CCTabEnds : public CConPage {
    Q_OBJECT
public:
    static constexpr int kEnd1 = 2528, kEnd2 = 2529, kFill1 = 2533, kFill2 = 2536;
    static constexpr int kSize1 = 2543, kSize2 = 2546, kBorder = 2144;
    static constexpr int kSizePicker1 = 1287, kSizePicker2 = 1288, kBorderPicker = 2109;

    explicit CCTabEnds(CConSheetData& data, QWidget* parent = nullptr);

protected:
    bool Exchange(bool save) override;
    void UpdateControls() override;

private:
    CEndSymbolButton* AddSymbolChoice(int end);
    void OnSymbol(int end, int symbol);
    bool IsFilled(int symbol) const;
    CEndSymbolButton* m_symbol[2];
};
