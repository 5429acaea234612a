#include "fileformat/TemplateSave.h"

#include "core/MsgBox.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "platform/CLockedFile.h"
#include "platform/Prompt.h"
#include "shapes/TemplateVariants.h"

#include <QFileInfo>

bool SaveDiagramCopy(CKavoDoc& doc, const std::string& path, bool previewOnly)
{
    doc.ResetLoadSaveModes();
    doc.m_bPreviewOnly = previewOnly ? 1 : 0;
    CStringKeywordSink sink;
    bool ok = doc.Serialize(&sink, nullptr);
    doc.ResetLoadSaveModes();
    std::string error = ok ? std::string() : "a line could not be written";
    const QString target = QString::fromUtf8(path.c_str());
    ok = ok && CLockedFile::WriteFileAtomically(target, sink.text.data(), sink.text.size(), &error);
    if (!ok) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "The diagram could not be saved to '%s' (%s).\nThe file on disk is unchanged.",
                     QStringToAnsi(target).c_str(), error.c_str());
        SetLastSaveError(error);
    }
    return ok;
}

bool SavePreviewOnly(CKavoDoc& doc, const std::string& path)
{
    return SaveDiagramCopy(doc, path, true);
}

bool SaveTemplate(CKavoDoc& doc, const std::string& path)
{
    const QString target = QString::fromUtf8(path.c_str());
    const QFileInfo info(target);
    TemplateVariants variants;
    variants.BuildTemplateVariants(target);
    if (variants.GetGroupCount() > 0) {
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "The template you are over-writing contains variants.  Please save as a different filename.");
        return false;
    }
    HGLOBAL keep = nullptr;
    if (info.exists() && PreviewSave) {
        const int answer = MsgBoxPrintf(
            MB_YESNOCANCEL | MB_ICONQUESTION,
            "The template file exists.\nWould you like to overwrite this file but keep it's current preview "
            "picture?\n\nYes: overwrite the file but preserve it's preview\nNo: overwrite the file and create a "
            "preview from this diagram");
        if (answer == IDCANCEL)
            return false;
        if (answer == IDYES)
            keep = LoadPreviewFromFile(target);
    } else if (!doc.m_strTemplate.empty()) {
        if (MsgBoxPrintf(MB_YESNO | MB_ICONQUESTION,
                         "Would you like to preserve the preview picture from the originating template file %s?",
                         doc.m_strTemplate.c_str()) == IDYES)
            keep = LoadPreviewFromFile(GetTemplatesFolder() + AnsiToQString(doc.m_strTemplate));
    }
    if (keep) {
        if (doc.m_hPreview)
            GlobalFree(doc.m_hPreview);
        doc.m_hPreview = keep;
    }
    return SaveDiagramCopy(doc, path, false);
}

namespace {
QString g_copyStylesFolder;
QString g_previewFolder;
} // namespace

QString& CopyStylesFolder()
{
    return g_copyStylesFolder;
}

QString& PreviewFolder()
{
    return g_previewFolder;
}

void ResetTemplateCommandState()
{
    g_copyStylesFolder.clear();
    g_previewFolder.clear();
}

std::string ProposedPreviewName(const CKavoDoc& doc)
{
    const std::string& path = doc.GetPathName();
    if (path.empty())
        return std::string();
    return (QFileInfo(QString::fromUtf8(path.c_str())).completeBaseName() + ".PRV").toStdString();
}

bool SavePreviewOnlyAsked(CKavoDoc& doc, const std::string& path)
{
    const QString target = QString::fromUtf8(path.c_str());
    if (QFileInfo::exists(target) &&
        MsgBoxPrintf(MB_YESNO, "Overwrite \"%s\"?", QStringToAnsi(target).c_str()) != IDYES)
        return false;
    return SavePreviewOnly(doc, path);
}
