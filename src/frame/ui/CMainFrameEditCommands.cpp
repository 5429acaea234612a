// The frame's bindings of the document's clipboard and file-copy commands:
// Copy, the Paste commands and Duplicate, the arrange commands, the copy half of the document's
// Cut, Copy Styles From, Save Template and Save Preview Only with their file
// dialogs, and Apply Color Scheme.
#include "frame/ui/CMainFrame.h"

#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/DocCommandSeams.h"
#include "editing/ArrangeCommands.h"
#include "editing/ClipboardCommands.h"
#include "editing/ScaleCommands.h"
#include "editing/ui/ClipboardUi.h"
#include "editing/ui/ViewContextMenu.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/TemplateSave.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogExec.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <functional>

namespace {
constexpr const char* kDiagramFilter = "Diagram Files (*.kvd)|*.kvd|All Files (*.*)|*.*||";
constexpr const char* kPreviewFilter = "Preview Files (*.prv)|*.prv|All Files (*.*)|*.*||";

// The save dialog with the preview pane; the path chosen, empty for Cancel.
// The commands ask before overwriting in their own words.
QString AskSavePath(QWidget* parent, const char* title, const QString& folder, const char* filter,
                    const char* suffix, const QString& proposed = QString())
{
    CPreviewFileDialog dlg(parent, title, folder, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setDefaultSuffix(suffix);
    if (!proposed.isEmpty())
        dlg.selectFile(proposed);
    if (ExecDialogReturningActivation(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

// The menu under a caption among the actions, or null.
QMenu* SubmenuByCaption(const QList<QAction*>& actions, const std::string& caption)
{
    for (QAction* a : actions)
        if (a->menu() && QStringToAnsi(a->text()) == caption)
            return a->menu();
    return nullptr;
}

// The text of the command's item in the main menu under the top-level
// caption (and submenu caption); false when any of them is not there.
bool MainMenuItemText(const QMenuBar* bar, const CCommandRegistry& commands, const std::string& top,
                      const std::string& sub, int id, std::string& text)
{
    QMenu* menu = SubmenuByCaption(bar->actions(), top);
    if (menu && !sub.empty())
        menu = SubmenuByCaption(menu->actions(), sub);
    QAction* action = commands.Action(id);
    if (!menu || !action || !menu->actions().contains(action))
        return false;
    text = QStringToAnsi(action->text());
    return true;
}

QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}
} // namespace

void CMainFrame::InstallEditCommands()
{
    const auto onDoc = [this](std::function<void(CKavoDoc&)> fn) {
        return [this, fn] {
            if (CKavoDoc* d = GetActiveDocument())
                fn(*d);
        };
    };
    m_commands.SetHandler(57634, onDoc([](CKavoDoc& d) { OnEditCopy(d); }));
    // Cut (the document's command) copies through the same clipboard copy.
    GetDocCommandSeams().copySelection = &CopySelectedToClipboard;
    struct PasteCommand {
        int id, format;
        const char* trace;
    };
    static constexpr PasteCommand kPastes[] = {{57637, 0, "USER  Paste\n"},
                                               {32781, kCfKavoDiagram, "USER  Paste as KAVO\n"},
                                               {32786, kCfText, "USER  Paste as Text"},
                                               {32788, kCfKavoKrtf, "USER  Paste as Formatted Text"},
                                               {32784, kCfDib, "USER  Paste as Bitmap\n"},
                                               {32783, kCfEnhMetafile, "USER  Paste as Picture\n"}};
    auto doc = [this] { return GetActiveDocument(); };
    for (const PasteCommand& p : kPastes) {
        m_commands.SetHandler(p.id, onDoc([p](CKavoDoc& d) { OnEditPaste(d, p.format, p.trace); }));
        m_commands.SetUpdate(p.id, [doc, p](CmdUI& ui) { ui.Enable(doc() && ClipboardCanPaste(p.format)); });
    }
    m_commands.SetHandler(32768, onDoc([](CKavoDoc& d) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        OnDuplicate(d);
        QApplication::restoreOverrideCursor();
    }));
    // Align, Space Evenly and Center on Page; their update rules are the
    // selection rules (CMainFrameSelectionRules.cpp).
    for (int id = 33190; id <= 33195; ++id)
        m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { OnArrangeCommand(d, id); }));
    for (int id = 40010; id <= 40020; ++id)
        m_commands.SetHandler(id, onDoc([id](CKavoDoc& d) { OnArrangeCommand(d, id); }));
    // The view's context menus copy the main menu's items and run them here.
    ContextMenuSeams& menus = GetContextMenuSeams();
    menus.mainMenuText = [this](const std::string& top, const std::string& sub, int id, std::string& text) {
        return MainMenuItemText(menuBar(), m_commands, top, sub, id, text);
    };
    // A command nothing handles yet is shown greyed (or left out).
    menus.isEnabled = [this](int id) { return m_commands.HasHandler(id) && m_commands.QueryCmdState(id).enabled; };
    menus.runCommand = [this](int id) { OnCommand(id); };
    // Scale: the Scale Diagram dialog is installed through SetScaleDialog.
    m_commands.SetHandler(33026, onDoc([](CKavoDoc& d) { OnScale(d); }));
    m_commands.SetUpdate(33026, [](CmdUI& ui) { ui.Enable(true); });
}

void CMainFrame::InstallTemplateCommands()
{
    m_commands.SetHandler(33025, [this] {
        CKavoDoc* doc = GetActiveDocument();
        if (!doc)
            return;
        CKavoFileDialog dlg(this, "Copy Styles From", CopyStylesFolder(), kDiagramFilter);
        dlg.setFileMode(QFileDialog::ExistingFile);
        dlg.setDefaultSuffix("kvd");
        if (ExecDialogReturningActivation(dlg) != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return;
        const QString path = dlg.selectedFiles().first();
        CopyStylesFolder() = FolderOf(path);
        RunCopyStylesFrom(*doc, path.toStdString());
    });
    m_commands.SetHandler(36539, [this] {
        CKavoDoc* doc = GetActiveDocument();
        const QString path = doc ? AskSavePath(this, "Save Template", GetTemplatesFolder(), kDiagramFilter, "kvd")
                                 : QString();
        if (!path.isEmpty())
            SaveTemplate(*doc, path.toStdString());
    });
    m_commands.SetHandler(36568, [this] {
        CKavoDoc* doc = GetActiveDocument();
        const QString path = doc ? AskSavePath(this, "Save Preview Only", PreviewFolder(), kPreviewFilter, "PRV",
                                               QString::fromStdString(ProposedPreviewName(*doc)))
                                 : QString();
        if (path.isEmpty())
            return;
        PreviewFolder() = FolderOf(path);
        SavePreviewOnlyAsked(*doc, path.toStdString());
    });
    m_commands.SetHandler(36569, [this] {
        if (CKavoDoc* doc = GetActiveDocument())
            doc->OnApplyColorScheme();
    });
    auto doc = [this] { return GetActiveDocument(); };
    m_commands.SetUpdate(36569, [doc](CmdUI& ui) { ui.Enable(doc() && !doc()->m_strTemplate.empty()); });
    for (int id : {33025, 36568})
        m_commands.SetUpdate(id, [doc](CmdUI& ui) { ui.Enable(doc() != nullptr); });
}
