#pragma once
// The style-name dialog as New Style From uses it: the proposed name in,
// the typed name out; false for Cancel. The dialogs layer installs it.
#include <functional>
#include <string>

using StyleNameDialogFn = std::function<bool(std::string& name)>;
StyleNameDialogFn& GetStyleNameDialog();
void ResetStyleNameDialog();
