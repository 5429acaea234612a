#pragma once
// Whether Enter (either key) is held down right now. Qt reports no key state on
// demand, so an application event filter follows the presses and releases; it
// is installed on first use, which the dialog helpers do when a dialog loads.
void InstallEnterKeyTracker();
bool IsEnterKeyDown();
