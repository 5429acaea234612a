#pragma once
// The context of one data exchange between a dialog's members and its
// controls: loading fills the controls, saving reads and checks them.
class QWidget;

struct CDataExchange {
    bool saving = false;
    QWidget* dialog = nullptr;
};
