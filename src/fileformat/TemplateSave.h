#pragma once
// Saving a template and saving the preview alone. Both write a copy of the
// diagram's text to another file: the document keeps its own path, held
// file, modified flag and undo history.
#include <QString>

#include <string>

class CKavoDoc;

// Writes the document (or, with previewOnly, the header and the Preview
// block) to `path` through a temporary sibling; false, with the message
// shown, when it cannot.
bool SaveDiagramCopy(CKavoDoc& doc, const std::string& path, bool previewOnly);
// Save Preview Only to `path`.
bool SavePreviewOnly(CKavoDoc& doc, const std::string& path);
// Save Template to `path`, with the questions about the preview to keep;
// false when the user stopped or the save failed.
bool SaveTemplate(CKavoDoc& doc, const std::string& path);

// The folders Copy Styles From and Save Preview Only remember while the
// program runs (empty: none yet).
QString& CopyStylesFolder();
QString& PreviewFolder();
// Forgets both (ResetProgramState calls it).
void ResetTemplateCommandState();
// The name Save Preview Only proposes: the diagram's file title and ".PRV";
// empty for a diagram without a path.
std::string ProposedPreviewName(const CKavoDoc& doc);
// Save Preview Only to the chosen path, asking "Overwrite ...?" first when
// the file exists; false when the user says No or the save fails.
bool SavePreviewOnlyAsked(CKavoDoc& doc, const std::string& path);
