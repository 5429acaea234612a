#include "frame/ui/StylePickerCommands.h"

#include "controls/CStyleButtons.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "dialogs/CChooseStyleDlg.h"
#include "frame/ui/CCommandRegistry.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"

#include <QAction>

namespace {

constexpr int kPickerCommands[] = {36565, 36566, 36567};

StylePickKind KindOf(int command)
{
    return command == 36565 ? StylePickKind::Figure : command == 36566 ? StylePickKind::Connector : StylePickKind::Label;
}

} // namespace

void RegisterStylePickerCommands(CCommandRegistry& commands, CMainFrame& frame)
{
    GetStyleChoiceSeams().runDialog = [](StyleChoiceRequest& request) { return RunChooseStyleDlg(request); };
    for (int id : kPickerCommands) {
        commands.SetHandler(id, [&frame, id] {
            auto* picker = qobject_cast<CStylePickerButton*>(frame.GetBarControlForCmd(id));
            if (!picker || picker->GetCurSel() < 0)
                return;
            EnterUIMode(2, StyleCommandBase(KindOf(id)) + picker->GetCurSel());
        });
        commands.SetUpdate(id, [&frame, id](CmdUI& ui) {
            CKavoDoc* doc = frame.GetActiveDocument();
            ui.Enable(doc != nullptr);
            if (auto* picker = qobject_cast<CStylePickerButton*>(frame.GetBarControlForCmd(id))) {
                picker->setEnabled(doc != nullptr);
                picker->SetDocument(doc);
                if (doc)
                    picker->SelectDefault();
            }
        });
    }
}

QWidget* MakeStylePickerControl(unsigned command, CCommandRegistry& commands, QWidget* parent)
{
    CStylePickerButton* picker = MakeToolBarStylePicker(command, parent);
    if (!picker)
        return nullptr;
    if (!commands.Action(int(command)))
        commands.Add(int(command), ToolBarTipText(command).toStdString());
    QObject::connect(picker, &CStylePickerButton::styleChosen, picker, [&commands, command] {
        if (QAction* action = commands.Action(int(command)))
            action->trigger();
    });
    return picker;
}
