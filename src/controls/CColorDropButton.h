#pragma once
// A drop button choosing a colour: 40 standard colours in 8 columns, a line,
// then the 16 custom colours, and a more entry that opens the colour dialog.
// The variant with a no-colour entry puts it first in place of the third
// standard colour, so the palette keeps its 56 entries.
#include "controls/CDropPaletteButton.h"

#include <QImage>

#include <array>

constexpr COLORREF kPaletteNoColor = RGB(1, 2, 3);   // 0x030201 stands for no colour
constexpr int kStandardColors = 40;
constexpr int kCustomColors = 16;
extern const std::array<COLORREF, kStandardColors> kStandardPaletteColors;

class CColorDropButton : public CDropPaletteButton {
    Q_OBJECT
public:
    explicit CColorDropButton(QWidget* parent = nullptr);

    bool CreatePalette(int ctrlId, QWidget* parent, const COLORREF* customColors, bool showArrow, bool withNoColor,
                       bool below);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_crCurrent; }
    // The first entry holding the colour, 0xFFFF when none.
    WORD FindColor(COLORREF color) const;
    COLORREF ColorAt(int index) const;
    int ColorCount() const { return m_nColors; }
    void SetCustomColors(const COLORREF* customColors);
    const COLORREF* CustomColors() const { return m_colors.data() + kStandardColors; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

    // The colour dialog of the more entry: the chosen colour, or false on
    // Cancel; the custom colours are read and written in place. Tests and
    // callers without a window system replace it.
    using ColorChooser = bool (*)(QWidget* button, COLORREF initial, COLORREF customs[kCustomColors],
                                  COLORREF* chosen);
    static void SetColorChooser(ColorChooser chooser);

protected:
    // Draws a colour swatch (the no-colour value as an X).
    static void DrawSwatch(CDC* dc, const CRect& rect, COLORREF color);

private:
    int m_nColors = kStandardColors + kCustomColors;
    bool m_bNoColor = false;
    std::array<COLORREF, kStandardColors + kCustomColors> m_colors{};
    COLORREF m_crCurrent = RGB(0, 0, 0);
};

// The property bar's colour button: the command's bar image with the colour
// as a bar across its foot; it offers the active diagram's custom colours.
class CToolColorButton : public CColorDropButton {
    Q_OBJECT
public:
    explicit CToolColorButton(QWidget* parent = nullptr) : CColorDropButton(parent) {}
    void SetFaceImage(const QImage& image) { m_image = image; update(); }
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;

private:
    QImage m_image;
};
