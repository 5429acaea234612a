#pragma once
// The document manager's file prompts: the Open dialog (several files, the
// remembered open folder) and the Save As dialog (the remembered save folder).
#include "core/FileDialogRequest.h"
#include "platform/WinTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFileDialog;
class QString;
class QWidget;

// Set at OK of the Open dialog when Ctrl was held; the opening code reads it.
extern bool g_bOpenWithCtrl;
// The file most recently chosen in the Open dialog.
extern std::string g_strLastOpenedPath;

class CKavoDocManager {
public:
    using DialogRunner = std::function<FileDialogResult(const FileDialogRequest&)>;

    // Open: every chosen file, in order. Save: one file; the dialog starts on
    // the diagram's path, or, for a diagram without one, in the remembered
    // save folder (the user's documents folder before there is one) with its
    // title as the name. True on OK.
    bool DoPromptFileName(std::vector<std::string>& files, UINT titleId, bool openFileDialog,
                          const std::string& activeDocPath = {}, const std::string& untitledName = {});
    // Where the save dialog of a diagram without a path opens.
    static QString UntitledSaveFolder();

    // Runs a file dialog and gives the activation back to its parent's window.
    static int ExecFileDialog(QFileDialog& dlg);
    // Runs the dialogs (a QFileDialog by default; tests answer themselves).
    static void SetDialogRunner(DialogRunner runner);
    // The dialog the default runner shows for a request: the diagram open
    // dialog with its preview pane, or a plain save dialog.
    static std::unique_ptr<QFileDialog> MakeDialog(const FileDialogRequest& r, QWidget* parent = nullptr);

    static constexpr const char* kOpenFilter =
        "Diagram Files (*.kvd)|*.kvd|Diagram Backups (*.bak)|*.bak|All Files (*.*)|*.*||";
    static constexpr const char* kSaveFilter = "Diagram Files (*.kvd)|*.kvd|All Files (*.*)|*.*||";
};
