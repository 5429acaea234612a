#pragma once
// A drop button choosing an end symbol of a connector from a symbol library:
// the built-in symbols above a line, the library's own below it, and a more
// entry that opens the end-symbol gallery.
#include "controls/CDropPaletteButton.h"

#include <string>

class ShapeLibrary;

class CEndSymbolButton : public CDropPaletteButton {
    Q_OBJECT
public:
    // The gallery of the more entry: the chosen symbol's name, or false on
    // Cancel. Installed by the dialogs layer (the gallery lives there).
    using Gallery = bool (*)(QWidget* button, const std::string& current, std::string* chosen);
    static void SetGallery(Gallery gallery);

    explicit CEndSymbolButton(QWidget* parent = nullptr) : CDropPaletteButton(parent) {}
    // atRight: the face shows the symbol at the line's right end.
    bool Create(int ctrlId, QWidget* parent, ShapeLibrary* symbols, int builtInCount, bool atRight);
    void SetSymbol(int index);
    int GetSymbol() const { return m_nSymbol; }

    bool FillValues(CPaletteItemList& list) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;
    void BeforeDrop() override;
    void Select(WORD value) override;

private:
    ShapeLibrary* m_pSymbols = nullptr;
    bool m_bAtRight = true;
    int m_nSymbol = 0;
};
