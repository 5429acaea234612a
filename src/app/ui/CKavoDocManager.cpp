#include "app/ui/CKavoDocManager.h"

#include "core/PathHelpers.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/Ansi.h"
#include "platform/ui/DialogExec.h"

#include <QApplication>
#include <QFileDialog>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool g_bOpenWithCtrl = false;
std::string g_strLastOpenedPath;

namespace {
FileDialogResult RunQtDialog(const FileDialogRequest& r)
{
    const std::unique_ptr<QFileDialog> owned = CKavoDocManager::MakeDialog(r, QApplication::activeWindow());
    QFileDialog& dlg = *owned;
    FileDialogResult result;
    result.accepted = CKavoDocManager::ExecFileDialog(dlg) == QDialog::Accepted;
    result.ctrlHeld = QApplication::queryKeyboardModifiers() & Qt::ControlModifier;
    result.files = dlg.selectedFiles();
    result.path = result.files.isEmpty() ? QString() : result.files.first();
    return result;
}

CKavoDocManager::DialogRunner& Runner()
{
    static CKavoDocManager::DialogRunner runner = RunQtDialog;
    return runner;
}

QString TitleText(UINT id)
{
    std::string text;
    LoadCStringRes(text, id);
    return AnsiToQString(text);
}
} // namespace

std::unique_ptr<QFileDialog> CKavoDocManager::MakeDialog(const FileDialogRequest& r, QWidget* parent)
{
    std::unique_ptr<QFileDialog> dlg;
    if (r.open) {
        // Opening shows the chosen diagram's preview beside the list.
        dlg = std::make_unique<CDiagramOpenDlg>(parent, r.title, r.folder, r.filter, r.multiSelect);
    } else {
        // A save dialog takes new names and asks before replacing a file.
        dlg = std::make_unique<QFileDialog>(parent, r.title, r.folder, FilterToQt(r.filter));
        dlg->setOption(QFileDialog::DontUseNativeDialog);
        dlg->setAcceptMode(QFileDialog::AcceptSave);
        dlg->setFileMode(QFileDialog::AnyFile);
        if (!r.file.isEmpty())
            dlg->selectFile(r.file);
    }
    dlg->setDefaultSuffix(r.defaultExt);
    return dlg;
}

QString CKavoDocManager::UntitledSaveFolder()
{
    // Not the working folder: that is wherever the program last looked
    // (samples, templates), not where the user keeps diagrams.
    const QString last = QString::fromStdString(SaveAsDir);
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

int CKavoDocManager::ExecFileDialog(QFileDialog& dlg)
{
    return ExecDialogReturningActivation(dlg);
}

void CKavoDocManager::SetDialogRunner(DialogRunner runner)
{
    Runner() = runner ? std::move(runner) : RunQtDialog;
}

bool CKavoDocManager::DoPromptFileName(std::vector<std::string>& files, UINT titleId,
                                       bool openFileDialog, const std::string& activeDocPath,
                                       const std::string& untitledName)
{
    FileDialogRequest req;
    req.open = openFileDialog;
    req.title = TitleText(titleId);
    // A name typed without extension gets the lower-case one diagrams carry.
    req.defaultExt = "kvd";
    if (openFileDialog) {
        req.multiSelect = true;
        req.filter = kOpenFilter;
        req.folder = OpenDir.empty() ? GetSamplesFolder() : QString::fromStdString(OpenDir);
        const FileDialogResult r = Runner()(req);
        if (!r.accepted)
            return false;
        g_bOpenWithCtrl = r.ctrlHeld;
        // Every chosen file comes back whole, as a list: names may hold ';'.
        files.clear();
        for (const QString& f : r.files) {
            g_strLastOpenedPath = f.toStdString();
            if (files.empty())
                OpenDir = GetPathFolder(g_strLastOpenedPath);
            files.push_back(g_strLastOpenedPath);
        }
        return !files.empty();
    }
    req.filter = kSaveFilter;
    req.file = QString::fromStdString(activeDocPath);
    if (activeDocPath.empty()) {
        req.folder = UntitledSaveFolder();
        req.file = AnsiToQString(untitledName);
    }
    const FileDialogResult r = Runner()(req);
    if (!r.accepted || r.path.isEmpty())
        return false;
    // Only a chosen file moves the remembered folder; Cancel keeps it.
    SaveAsDir = GetPathFolder(r.path.toStdString());
    files.assign(1, r.path.toStdString());
    return true;
}
