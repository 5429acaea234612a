#pragma once
// The About box: the application's name and version.
#include "platform/ui/CDialog.h"

class CAboutDlg : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
