// The frame's bindings of the document's clipboard and file-copy commands:
// Copy and Paste of diagram objects through the system clipboard (the
// diagram text under its MIME type) and the copy half of the document's Cut, Copy Styles From, Save Template and
// Save Preview Only with their file dialogs, and Apply Color Scheme.
#include "frame/ui/CMainFrame.h"

#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "document/DocCommandSeams.h"
#include "editing/ui/PictureClipboardUi.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/DiagramClipboard.h"
#include "fileformat/TemplateSave.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

namespace {
constexpr const char* kDiagramFilter = "Diagram Files (*.kvd)|*.kvd|All Files (*.*)|*.*||";
constexpr const char* kPreviewFilter = "Preview Files (*.prv)|*.prv|All Files (*.*)|*.*||";

bool ClipboardHasDiagram()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(kDiagramMimeType);
}

// The copied objects under the diagram MIME type; a single selected figure
// with text offers its plain text too.
void PutOnClipboard(CKavoDoc& doc, const std::string& text)
{
    auto* data = new QMimeData;
    data->setData(kDiagramMimeType, QByteArray(text.data(), qsizetype(text.size())));
    if (doc.m_pSelList->GetCount() == 1) {
        const CDiagObj* obj = *doc.m_pSelList->begin();
        if (obj->GetType() == kObjFigure && static_cast<const CFigure*>(obj)->HasText()) {
            std::string plain;
            static_cast<const CFigure*>(obj)->GetPlainText(plain, -1);
            data->setText(AnsiToQString(plain));
        }
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

// Copy: the selection's diagram text onto the clipboard; false when there
// was nothing to copy.
bool CopyToClipboard(CKavoDoc& doc)
{
    const std::string text = CopyDiagramObjects(doc);
    if (text.empty())
        return false;
    PutOnClipboard(doc, text);
    return true;
}

// Pastes the diagram text on the clipboard; false when there is none or it
// does not load.
bool PasteDiagramFromClipboard(CKavoDoc& doc)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kDiagramMimeType))
        return false;
    const QByteArray bytes = data->data(kDiagramMimeType);
    return PasteDiagramObjects(doc, std::string(bytes.constData(), size_t(bytes.size())));
}

void ShowPasteFailure()
{
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to paste from the clipboard");
}

void ShowCopyFailure()
{
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Unable to copy to the clipboard");
}

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
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return QString();
    return dlg.selectedFiles().first();
}

QString FolderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}
} // namespace

void CMainFrame::InstallEditCommands()
{
    m_commands.SetHandler(57634, [this] {
        DiagPrintf("USER  Copy\n");
        if (CKavoDoc* doc = GetActiveDocument(); doc && !CopyToClipboard(*doc))
            ShowCopyFailure();
    });
    // Cut (the document's command) copies through the same clipboard copy.
    GetDocCommandSeams().copySelection = [](CKavoDoc& doc) { return CopyToClipboard(doc) ? 1 : 0; };
    m_commands.SetHandler(57637, [this] {
        DiagPrintf("USER  Paste\n");
        CKavoDoc* doc = GetActiveDocument();
        if (!doc)
            return;
        // Diagram objects first; anything else goes to the picture paste.
        const bool pasted = ClipboardHasDiagram() ? PasteDiagramFromClipboard(*doc) : PastePictureFromClipboard(*doc, 0);
        if (!pasted)
            ShowPasteFailure();
    });
    m_commands.SetHandler(32781, [this] {
        DiagPrintf("USER  Paste as KAVO\n");
        if (CKavoDoc* doc = GetActiveDocument(); doc && !PasteDiagramFromClipboard(*doc))
            ShowPasteFailure();
    });
    auto doc = [this] { return GetActiveDocument(); };
    m_commands.SetUpdate(57637, [doc](CmdUI& ui) {
        ui.Enable(doc() && (ClipboardHasDiagram() || ClipboardHasPicture(0)));
    });
    m_commands.SetUpdate(32781, [doc](CmdUI& ui) { ui.Enable(doc() && ClipboardHasDiagram()); });
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
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
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
