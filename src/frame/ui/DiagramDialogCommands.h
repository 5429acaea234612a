#pragma once
// The diagram dialogs' commands: Scale (its dialog), Diagram Properties
// (33070) and Page Setup (36560), each over the active view's document.
#include <functional>

class CCommandRegistry;
class CKavoView;
class QWidget;

void RegisterDiagramDialogCommands(CCommandRegistry& commands, std::function<CKavoView*()> activeView, QWidget* parent);
