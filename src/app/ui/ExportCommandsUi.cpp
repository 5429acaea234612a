#include "app/ui/ExportCommandsUi.h"

#include "app/AppSeams.h"
#include "core/FileDialogRequest.h"
#include "dialogs/CGraphicExportDlg.h"
#include "dialogs/CSaveHtmlDlg.h"
#include "document/CKavoDoc.h"
#include "fileformat/ui/CExportFileDialog.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DialogExec.h"
#include "render/ExportCommands.h"
#include "render/ExportFormats.h"

#include <QFileInfo>
#include <QPointer>

namespace {

// The set's bounds as the export wants them: objects with their shadows.
CRect ObjSetRect(CKavoDoc& doc, int which)
{
    return doc.GetObjSetRect(which, 1, 16, nullptr, false);  // as GetExportRect takes them
}

bool SaveDialog(QWidget* parent, const std::string& title, const QString& proposed, const std::string& filter,
                int& filterIndex, const QString& folder, QString& path)
{
    QStringList extensions;
    const QStringList filters = FilterToQtList(AnsiToQString(filter));
    for (int i = 1; i <= filters.size(); ++i)
        extensions << AnsiToQString(ExportFilterToExtList(i));
    CExportFileDialog dialog(parent, AnsiToQString(title), folder, AnsiToQString(filter), extensions);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.selectFile(proposed);
    // The overwrite question is the command's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (ExecDialogReturningActivation(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().first();
    filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

bool OptionsDialog(QWidget* parent, CGraphicExportData& data)
{
    CGraphicExportDlg dlg(parent);
    static_cast<CGraphicExportData&>(dlg) = data;
    if (dlg.DoModal() != IDOK)
        return false;
    data = static_cast<CGraphicExportData&>(dlg);
    return true;
}

} // namespace

void RunExportGraphic(QWidget* parent, CKavoDoc& doc)
{
    ExportCommandServices s;
    s.saveDialog = [parent](const std::string& title, const QString& proposed, const std::string& filter,
                            int& filterIndex, const QString& folder, QString& path) {
        return SaveDialog(parent, title, proposed, filter, filterIndex, folder, path);
    };
    s.optionsDialog = [parent](CGraphicExportData& data) { return OptionsDialog(parent, data); };
    s.objSetRect = ObjSetRect;
    OnFileExport(doc, s);
}

void RunSaveHtml(QWidget* parent, CKavoDoc& doc)
{
    HtmlCommandServices s;
    s.optionsDialog = [parent](HtmlExportOptions& options) {
        CSaveHtmlDlg dlg(parent);
        dlg.m_options = options;
        if (dlg.DoModal() != IDOK)
            return false;
        options = dlg.m_options;
        return true;
    };
    s.showResult = [parent](const std::vector<QString>& files, const QString& page) {
        // Modeless: it stays while the user looks at the page.
        QPointer<CSaveHtmlResultDlg> result = new CSaveHtmlResultDlg(parent);
        result->setAttribute(Qt::WA_DeleteOnClose);
        result->SetResult(files, page);
        result->show();
    };
    s.documents.objSetRect = ObjSetRect;
    s.documents.openDiagram = [](const QString& path) -> CKavoDoc* {
        if (!AppSeams().allDocuments)
            return nullptr;
        const QString wanted = QFileInfo(path).absoluteFilePath();
        for (CKavoDoc* d : AppSeams().allDocuments())
            if (d && QFileInfo(AnsiToQString(d->GetPathName())).absoluteFilePath() == wanted)
                return d;
        return nullptr;
    };
    OnSaveHtml(doc, s);
}
