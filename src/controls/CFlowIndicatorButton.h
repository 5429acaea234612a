#pragma once
// A drop button choosing the flow indicator of a connector: the first 15
// stamp shapes of the program, drawn on their own in the palette and on a
// line on the face.
#include "controls/CDropPaletteButton.h"

class ShapeLibrary;

class CFlowIndicatorButton : public CDropPaletteButton {
    Q_OBJECT
public:
    static constexpr int kStampChoices = 15;

    explicit CFlowIndicatorButton(QWidget* parent = nullptr) : CDropPaletteButton(parent) {}
    // The library defaults to the program's stamp shapes.
    bool Create(int ctrlId, QWidget* parent, const ShapeLibrary* stamps = nullptr);
    // -1 or an index beyond the library: no stamp.
    void SetStamp(int index);
    int GetStamp() const { return m_nStamp; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

private:
    void DrawStamp(CDC* dc, const CRect& rect, int index) const;
    const ShapeLibrary* m_pStamps = nullptr;
    int m_nStamp = -1;
};
