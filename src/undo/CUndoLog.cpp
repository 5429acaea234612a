#include "undo/CUndoLog.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <cstring>

namespace {
bool IsNavigationStep(int code)
{
    return code == UDMAC_PAN || code == UDMAC_ZOOM;
}
} // namespace

int CUndoLog::AllocUndoBuffer()
{
    FreeUndoBuffer();
    m_hUndoBuf = GlobalAlloc(GMEM_MOVEABLE, kChunk);
    m_pUndoBase = m_hUndoBuf ? static_cast<BYTE*>(GlobalLock(m_hUndoBuf)) : nullptr;
    if (!m_pUndoBase) {
        if (m_hUndoBuf)
            GlobalFree(m_hUndoBuf);
        m_hUndoBuf = nullptr;
        m_nUndoBufSize = 0;
        m_pUndoWrite = nullptr;
        return 0;
    }
    m_nUndoBufSize = kChunk;
    m_nUndoUsed = 0;
    m_nUndoStepLen = 0;
    m_nUndoSteps = 0;
    m_pUndoWrite = m_pUndoBase;
    return 1;
}

void CUndoLog::FreeUndoBuffer()
{
    if (!m_hUndoBuf)
        return;
    DiagPrintf("INFO  Freeing undo buffer\n");
    GlobalUnlock(m_hUndoBuf);
    GlobalFree(m_hUndoBuf);
    m_hUndoBuf = nullptr;
    m_pUndoBase = m_pUndoWrite = nullptr;
    m_nUndoStepLen = m_nUndoBufSize = m_nUndoUsed = m_nUndoSteps = 0;
}

void CUndoLog::GiveUpBlock()
{
    if (m_hUndoBuf)
        GlobalFree(m_hUndoBuf);
    m_hUndoBuf = nullptr;
    m_pUndoBase = m_pUndoWrite = nullptr;
    m_nUndoBufSize = m_nUndoUsed = m_nUndoStepLen = m_nUndoSteps = 0;
    m_nUndoStepCode = -1;
}

void CUndoLog::UndoBeginStep(int code)
{
    if (m_bUndoHeld)
        return;
    // A block given up after a failed growth is asked for again here, so one
    // refusal does not block every later edit; without one the step runs
    // unrecorded.
    if (!m_hUndoBuf && !AllocUndoBuffer()) {
        m_nUndoStepCode = -1;
        return;
    }
    // Records logged since the last trailer (after a step closed, or in a
    // step never closed) are closed into a step of their own first: left
    // before the new opening they would hide the earlier trailer from Undo.
    if (m_nUndoStepLen > 0 && m_nUndoStepCode >= 0)
        UndoEndStep();
    if (m_nUndoSteps >= kMaxSteps)
        DropOldestUndoStep();
    DiagPrintf("UNDO  UndoBeginStep(%s)\n", UndoStepCodeName(code));
    m_nUndoStepLen = 0;
    m_nUndoStepCode = code;
    if (!UndoableNavigation && IsNavigationStep(code))
        return;
    const int32_t modified = m_pHost && m_pHost->IsUndoHostModified() ? 1 : 0;
    UndoLog(UDOC_ENDSTEP, [modified](UndoStream& s) { s.Int32(modified); });
}

int CUndoLog::UndoRecordSize(int type, const UndoBodyWriter& body) const
{
    (void)type;
    UndoStream counter;
    if (body)
        body(counter);
    counter.Byte(0);
    return counter.m_nBytes;
}

int CUndoLog::ExpandUndoBuffer(int type, const UndoBodyWriter& body, int* size)
{
    if (!m_hUndoBuf)
        return 0;
    if (m_bUndoHeld)
        return 1;
    const int need = UndoRecordSize(type, body);
    if (size)
        *size = need;
    if (m_nUndoBufSize - m_nUndoUsed >= need)
        return 1;
    const long long growth = ((long long)need + m_nUndoUsed - m_nUndoBufSize) / kChunk * kChunk + kChunk;
    const long long newSize = m_nUndoBufSize + growth;
    GlobalUnlock(m_hUndoBuf);
    m_pUndoBase = m_pUndoWrite = nullptr;
    HGLOBAL grown = newSize <= 0x7FFFFFFF ? GlobalReAlloc(m_hUndoBuf, size_t(newSize), GMEM_MOVEABLE) : nullptr;
    if (!grown) {
        // The log stays off for the rest of the document's life.
        GiveUpBlock();
        return 0;
    }
    m_hUndoBuf = grown;
    m_nUndoBufSize = int32_t(newSize);
    DiagPrintf("INFO  UndoBuffer expanded to %ld\n", long(m_nUndoBufSize));
    m_pUndoBase = static_cast<BYTE*>(GlobalLock(m_hUndoBuf));
    if (!m_pUndoBase) {
        GiveUpBlock();
        return 0;
    }
    m_pUndoWrite = m_pUndoBase + m_nUndoUsed;
    return 1;
}

// The records of an unfinished step go, so that the log stays a chain of
// whole steps and the steps before it can still be undone.
void CUndoLog::DropPartialStep()
{
    const int32_t len = m_nUndoStepLen <= m_nUndoUsed ? m_nUndoStepLen : m_nUndoUsed;
    m_pUndoWrite -= len;
    m_nUndoUsed -= len;
    m_nUndoStepLen = 0;
}

int CUndoLog::UndoLog(int type, const UndoBodyWriter& body)
{
    // Without a block only an abandoned step refuses; other edits go on
    // unrecorded.
    if (!m_hUndoBuf)
        return m_nUndoStepCode == -2 ? 0 : 1;
    if (m_bUndoHeld || m_nUndoStepCode < 0)
        return 1;
    if (!UndoableNavigation && type == UDOC_VIEW)
        return 1;
    if (!ExpandUndoBuffer(type, body, nullptr)) {
        const int answer = ShowPrompt("The Undo feature will not work for this operation.\nContinue?",
                                      MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) {
            if (m_hUndoBuf)
                DropPartialStep();
            m_nUndoStepCode = -2;
            return 0;
        }
        if (!m_hUndoBuf)
            return 1;
        ResetUndoLog();
        return 1;
    }
    DiagPrintf("UNDO    UndoLog(%s)\n", UndoRecordTypeName(type));
    WriteRecord(type, body);
    return 1;
}

void CUndoLog::WriteRecord(int type, const UndoBodyWriter& body)
{
    UndoStream s(&m_pUndoWrite);
    if (body)
        body(s);
    s.Byte(BYTE(type));
    m_nUndoStepLen += s.m_nBytes;
    m_nUndoUsed = int32_t(m_pUndoWrite - m_pUndoBase);
}

int CUndoLog::UndoEndStep()
{
    if (m_bUndoHeld || m_pUndoWrite == m_pUndoBase)
        return 1;
    if (UndoableNavigation || !IsNavigationStep(m_nUndoStepCode)) {
        // The trailer's length counts the whole step, the trailer included.
        const int32_t len = m_nUndoStepLen + kTrailerSize;
        const BYTE code = BYTE(m_nUndoStepCode);
        // Only a step that is still recording gets its trailer.
        const bool recording = m_nUndoStepCode >= 0;
        if (UndoLog(UDOC_BEGINSTEP, [len, code](UndoStream& s) {
                s.Int32(len);
                s.Byte(code);
            }) &&
            recording && !m_bUndoHeld && m_nUndoStepCode >= 0) {
            ++m_nUndoSteps;
            // Records logged after a step closed, without a new one being
            // opened, still make a step here: the cap holds for it too.
            if (m_nUndoSteps > kMaxSteps)
                DropOldestUndoStep();
        }
    }
    m_nUndoStepLen = 0;
    return 1;
}

bool CUndoLog::ReadTrailerAt(const BYTE* end, int* code, int* length) const
{
    if (!m_pUndoBase || end < m_pUndoBase + kTrailerSize || end > m_pUndoWrite)
        return false;
    if (end[-1] != UDOC_BEGINSTEP)
        return false;
    int32_t len;
    std::memcpy(&len, end - kTrailerSize, 4);
    if (len < kOpeningSize + kTrailerSize || len > end - m_pUndoBase)
        return false;
    *code = end[-2];
    *length = len;
    return true;
}

void CUndoLog::CloseStrayRecords()
{
    // Records logged after the last step closed have no trailer yet: they
    // become a step of their own, so the trailers before them stay readable.
    if (m_nUndoStepLen > 0 && m_nUndoStepCode >= 0 && !m_bUndoHeld)
        UndoEndStep();
}

int CUndoLog::ReadUndoStepTrailer(const BYTE* end, int* length)
{
    if (end == m_pUndoWrite) {
        CloseStrayRecords();
        end = m_pUndoWrite;
    }
    if (m_nUndoStepCode < 0 || m_nUndoSteps <= 0 || !m_pUndoBase || end <= m_pUndoBase)
        return m_nUndoStepCode;
    int code = 0, len = 0;
    if (!ReadTrailerAt(end, &code, &len)) {
        ResetUndoLog();
        return -1;
    }
    if (length)
        *length = len;
    return code;
}

int CUndoLog::GetLastUndoStepCode(int* length)
{
    return ReadUndoStepTrailer(m_pUndoWrite, length);
}

int CUndoLog::UndoReopenLastStep(int code)
{
    if (m_nUndoStepCode < 0 || m_nUndoSteps <= 0 || m_nUndoStepLen != 0)
        return 0;
    int last = 0, len = 0;
    if (!ReadTrailerAt(m_pUndoWrite, &last, &len))
        return 0;
    m_pUndoWrite -= kTrailerSize;
    m_nUndoUsed -= kTrailerSize;
    --m_nUndoSteps;
    m_nUndoStepCode = code == -3 ? last : code;
    m_nUndoStepLen = len - kTrailerSize;
    return 1;
}

void CUndoLog::DropOldestUndoStep()
{
    if (m_nUndoSteps <= 0 || m_pUndoWrite <= m_pUndoBase || m_nUndoUsed == 0) {
        ResetUndoLog();
        return;
    }
    const BYTE* pos = m_pUndoWrite;
    int code = 0, len = 0;
    for (int i = 0; i < m_nUndoSteps; ++i) {
        if (!ReadTrailerAt(pos, &code, &len)) {
            ResetUndoLog();
            return;
        }
        if (i + 1 < m_nUndoSteps)
            pos -= len;
    }
    // pos is the end of the oldest step, which must start at the base.
    if (pos - m_pUndoBase != len || len > m_nUndoUsed) {
        ResetUndoLog();
        return;
    }
    std::memmove(m_pUndoBase, pos, size_t(m_nUndoUsed - len));
    m_nUndoUsed -= len;
    m_pUndoWrite -= len;
    if (--m_nUndoSteps == 0)
        ResetUndoLog();
}

void CUndoLog::DiscardLastUndoStep()
{
    if (m_nUndoSteps <= 0 || m_pUndoWrite <= m_pUndoBase) {
        ResetUndoLog();
        return;
    }
    int code = 0, len = 0;
    if (!ReadTrailerAt(m_pUndoWrite, &code, &len)) {
        ResetUndoLog();
        return;
    }
    m_pUndoWrite -= len;
    m_nUndoUsed -= len;
    if (--m_nUndoSteps == 0)
        ResetUndoLog();
}

void CUndoLog::ResetUndoLog()
{
    if (!m_hUndoBuf || m_bUndoHeld)
        return;
    if (m_bReplaying) {
        m_bResetPending = 1;
        return;
    }
    m_nUndoStepCode = -1;
    m_nUndoSteps = 0;
    if (m_nUndoBufSize > kChunk) {
        GlobalUnlock(m_hUndoBuf);
        m_pUndoBase = m_pUndoWrite = nullptr;
        HGLOBAL shrunk = GlobalReAlloc(m_hUndoBuf, kChunk, GMEM_MOVEABLE);
        BYTE* base = shrunk ? static_cast<BYTE*>(GlobalLock(shrunk)) : nullptr;
        if (!base) {
            GiveUpBlock();
            DiagPrintf("INFO  UndoBuffer shrunk to %ld\n", 0L);
            return;
        }
        m_hUndoBuf = shrunk;
        m_pUndoBase = base;
        m_nUndoBufSize = kChunk;
        DiagPrintf("INFO  UndoBuffer shrunk to %ld\n", long(m_nUndoBufSize));
    }
    m_nUndoUsed = 0;
    m_nUndoStepLen = 0;
    m_pUndoWrite = m_pUndoBase;
}

int CUndoLog::CanUndo() const
{
    return m_nUndoStepCode >= 0 && m_pUndoWrite > m_pUndoBase && m_nUndoUsed != 0 && m_nUndoSteps > 0;
}

int CUndoLog::Undo()
{
    DiagPrintf("USER  Undo\n");
    if (!m_hUndoBuf || m_bUndoHeld)
        return 0;
    CloseStrayRecords();
    int lastCode = 0, len = 0;
    if (m_nUndoSteps <= 0 || !ReadTrailerAt(m_pUndoWrite, &lastCode, &len)) {
        ResetUndoLog();
        return 0;
    }
    const int32_t saved = m_nUndoStepCode;
    m_nUndoStepCode = -1;
    // The replay never reads past the start of the last step.
    UndoReader reader(m_pUndoWrite - len, m_pUndoWrite);
    int result = 0;
    m_bReplaying = 1;
    m_bResetPending = 0;
    while (reader.Remaining() > 0) {
        BYTE type = 0;
        reader.Byte(type);
        DiagPrintf("UNDO  Undo(%s)\n", UndoRecordTypeName(type));
        if (type == UDOC_BEGINSTEP) {
            BYTE code = 0;
            int32_t stepLen = 0;
            if (!reader.Byte(code) || !reader.Int32(stepLen))
                break;
            result = code;
        } else if (type == UDOC_ENDSTEP) {
            int32_t modified = 0;
            if (reader.Int32(modified) && m_pHost)
                m_pHost->SetUndoHostModified(modified != 0);
            break;
        } else if (!m_pHost || !m_pHost->ReplayUndoRecord(type, reader) || reader.Failed()) {
            break;
        }
    }
    m_bReplaying = 0;
    m_nUndoStepCode = saved;
    if (m_bResetPending) {
        m_bResetPending = 0;
        ResetUndoLog();
    } else {
        DiscardLastUndoStep();
    }
    return result;
}

int CUndoLog::GetUndoMenuText(std::string& text) const
{
    const char* undo = FindResString(kUndoMenuTextId);
    text = undo ? undo : "";
    if (!CanUndo())
        return 0;
    int code = 0, len = 0;
    if (!ReadTrailerAt(m_pUndoWrite, &code, &len))
        return 0;
    const char* shortcut = FindResString(kUndoShortcutId);
    text += ' ';
    text += UndoStepMenuName(code);
    text += '\t';
    text += shortcut ? shortcut : "";
    return 1;
}
