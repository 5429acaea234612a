#pragma once
// The colour choice of the figure and connector sheets: the shared colour
// drop button (with its no-colour entry where the page offers "no colour")
// placed as the page's dialog item `id`.
#include "platform/Colorref.h"

#include <functional>

class CColorDropButton;
class QObject;
class QWidget;

CColorDropButton* MakeSheetColorButton(QWidget* page, int id, bool withNoColor);
// Calls `onChosen` with the colour of each choice made on `button`.
void OnSheetColorChosen(CColorDropButton* button, QObject* context, std::function<void(COLORREF)> onChosen);
