#include "dialogs/sheets/SheetColorButton.h"

#include "controls/CColorDropButton.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"

CColorDropButton* MakeSheetColorButton(QWidget* page, int id, bool withNoColor)
{
    auto* button = new CColorDropButton(page);
    // The palette's custom row shows the colours kept with the diagram being
    // edited, as the property bar's colour buttons do.
    const CKavoDoc* doc = GetActiveKavoDoc();
    button->CreatePalette(id, page, doc ? doc->m_colors : PaletteColors, true, withNoColor, true);
    button->setMinimumSize(48, 22);
    return button;
}

void OnSheetColorChosen(CColorDropButton* button, QObject* context, std::function<void(COLORREF)> onChosen)
{
    QObject::connect(button, &CColorDropButton::chosen, context,
                     [button, onChosen = std::move(onChosen)](WORD) { onChosen(button->GetColor()); });
}
