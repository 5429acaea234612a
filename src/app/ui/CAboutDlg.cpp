#include "app/ui/CAboutDlg.h"

#include "core/StringHelpers.h"
#include "core/SystemInfo.h"
#include "app/UpdateCheck.h"
#include "platform/Ansi.h"
#include "platform/NumText.h"
#include "platform/Prompt.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : CDialog(parent)
{
    std::string title;
    LoadCStringRes(title, 0xE000);
    setWindowTitle(AnsiToQString("About " + title));
    std::string text = title;
    std::string version;
    if (GetProgramFileVersion(version))
        text += StrPrintf("\nVersion %s  (build %d)", version.c_str(), kBuildNumber);
    auto* label = new QLabel(AnsiToQString(text), this);
    auto* buttons = new QDialogButtonBox(this);
    BindButton(buttons->addButton(QDialogButtonBox::Ok), IDOK);
    auto* col = new QVBoxLayout(this);
    col->addWidget(label);
    col->addWidget(buttons);
}
