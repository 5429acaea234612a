#pragma once
// The load and save switches of a document and the file it holds. A command
// that loads or saves sets its switch, runs the open or save and resets all
// of them (ResetLoadSaveModes) before and after, so a stray mode never
// survives into the next file operation.
#include "platform/GlobalMem.h"

#include <cstdint>
#include <memory>

class CLockedFile;

class CDocFileModes {
public:
    void ResetLoadSaveModes()
    {
        m_bLoadingTemplate = m_bPreviewOnly = m_bImportStyles = m_bApplyVariant = 0;
        m_bFifthLoadSwitch = 0;
        m_bPasteMerge = 0;
        m_nObjIdPasteBase = m_nStpIdPasteBase = m_nGroupIdPasteBase = m_nSymSuffixPasteBase = 0;
        m_bPasteDone = 0;
        m_nLoadSaveWord = 0;
        m_bSaveAllDefs = m_bSaveAllObjs = 1;
    }

    int32_t m_bLoadingTemplate = 0; // the full reader's styles-only switch
    int32_t m_bPreviewOnly = 0;     // a save writes only the Preview block
    int32_t m_bImportStyles = 0;    // load with the style-import loader
    int32_t m_bApplyVariant = 0;    // load with the template-variant loader
    int32_t m_bFifthLoadSwitch = 0; // kept for the record; nothing sets it
    int32_t m_bPasteMerge = 0;      // load with the pasted-object reader
    int32_t m_nObjIdPasteBase = 0;
    int32_t m_nStpIdPasteBase = 0;
    int32_t m_nGroupIdPasteBase = 0;
    int32_t m_nSymSuffixPasteBase = 0;
    int32_t m_bPasteDone = 0;
    int32_t m_nLoadSaveWord = 0;
    int32_t m_bSaveAllDefs = 1; // every picture, symbol and style, else those in use
    int32_t m_bSaveAllObjs = 1; // every object, else those with the copy flag
    // The paste offset of the next paste (logical units).
    int32_t m_nPasteOffsetX = 0;
    int32_t m_nPasteOffsetY = 0;

    // The packed preview that the next save writes instead of a rendering.
    HGLOBAL m_hPreview = nullptr;

    // The file held from open to close (when m_bLockFile is 1).
    int32_t m_bLockFile = 1;
    std::unique_ptr<CLockedFile> m_pLockFile;
    // The autosave has copied the last saved file to its ".TMP" copy.
    int32_t m_bAutoSaveCopyMade = 0;

protected:
    CDocFileModes();
    ~CDocFileModes();
};
