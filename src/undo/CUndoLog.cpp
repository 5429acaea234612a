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
    m_bRollbackPending = 0;
    m_nStepBaseLen = 0;
    ClearMemos();
}

void CUndoLog::ClearMemos()
{
    m_memos.clear();
    m_openMemo.clear();
}

void CUndoLog::UndoBeginStep(int code)
{
    if (m_bUndoHeld)
        return;
    // A block given up after a failed re-lock is asked for again here, so
    // one failure does not block every later edit; without one the step
    // runs unrecorded.
    if (!m_hUndoBuf && !AllocUndoBuffer()) {
        m_nUndoStepCode = -1;
        return;
    }
    if (m_bRollbackPending)
        RollBackAbandonedStep();
    m_bStepRefused = 0;
    // A step never closed is closed before the next one opens: left before
    // the new opening record its records would hide the earlier trailer.
    CloseOpenStep();
    // A navigation step that is not recorded takes no room: it must not push
    // the oldest real step out.
    const bool recorded = UndoableNavigation || !IsNavigationStep(code);
    if (recorded && m_nUndoSteps >= kMaxSteps)
        DropOldestUndoStep();
    DiagPrintf("UNDO  UndoBeginStep(%s)\n", UndoStepCodeName(code));
    m_nUndoStepLen = 0;
    m_nStepBaseLen = 0;
    m_nUndoStepCode = code;
    m_openMemo.clear();
    if (!recorded)
        return;
    if (m_pHost)
        m_openMemo = m_pHost->TakeUndoStepMemo();
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

bool CUndoLog::GrowthRefusedForTest()
{
    if (m_nRefuseRecordAfter < 0)
        return false;
    return m_nRefuseRecordAfter-- == 0;
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
    if (GrowthRefusedForTest())
        return 0;
    if (m_nUndoBufSize - m_nUndoUsed >= need)
        return 1;
    // The smallest whole number of chunks that makes the record fit.
    const long long shortfall = (long long)need + m_nUndoUsed - m_nUndoBufSize;
    const long long growth = (shortfall + kChunk - 1) / kChunk * kChunk;
    const long long newSize = m_nUndoBufSize + growth;
    GlobalUnlock(m_hUndoBuf);
    m_pUndoBase = m_pUndoWrite = nullptr;
    HGLOBAL grown = newSize <= 0x7FFFFFFF ? GlobalReAlloc(m_hUndoBuf, size_t(newSize), GMEM_MOVEABLE) : nullptr;
    if (grown) {
        m_hUndoBuf = grown;
        m_nUndoBufSize = int32_t(newSize);
        DiagPrintf("INFO  UndoBuffer expanded to %ld\n", long(m_nUndoBufSize));
    }
    // A failed growth leaves the block as it was: the steps in it stay.
    m_pUndoBase = static_cast<BYTE*>(GlobalLock(m_hUndoBuf));
    if (!m_pUndoBase) {
        GiveUpBlock();
        return 0;
    }
    m_pUndoWrite = m_pUndoBase + m_nUndoUsed;
    return grown ? 1 : 0;
}

int CUndoLog::UndoLog(int type, const UndoBodyWriter& body)
{
    // Without a block only an abandoned step refuses; other edits go on
    // unrecorded.
    if (!m_hUndoBuf)
        return m_bStepRefused ? 0 : 1;
    if (m_bUndoHeld)
        return 1;
    if (m_bStepRefused)
        return 0;
    if (m_nUndoStepCode < 0)
        return 1;
    if (!UndoableNavigation && type == UDOC_VIEW)
        return 1;
    if (m_nUndoStepLen == 0 && type != UDOC_ENDSTEP && type != UDOC_BEGINSTEP)
        return FoldIntoLastStep(type, body) ? 1 : 0;
    if (!ExpandUndoBuffer(type, body, nullptr)) {
        if (!m_hUndoBuf)
            return 1;
        const int answer = ShowPrompt("The Undo feature will not work for this operation.\nContinue?",
                                      MB_OKCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) {
            // What the operation changed so far is taken back when its step
            // closes; the steps before it stay.
            m_nRefusedStepCode = m_nUndoStepCode;
            m_bRollbackPending = m_nUndoStepLen > 0 ? 1 : 0;
            m_bStepRefused = 1;
            m_nUndoStepCode = -2;
            return 0;
        }
        ResetUndoLog();
        return 1;
    }
    DiagPrintf("UNDO    UndoLog(%s)\n", UndoRecordTypeName(type));
    WriteRecord(type, body);
    return 1;
}

bool CUndoLog::FoldIntoLastStep(int type, const UndoBodyWriter& body)
{
    // A record logged after its step closed belongs to the command that
    // closed it: it joins that step, so one command stays one step.
    if (m_nUndoSteps > 0 && UndoReopenLastStep(-3)) {
        const int ok = UndoLog(type, body);
        UndoEndStep();
        return ok != 0;
    }
    // No step to join: the record opens one of its own.
    UndoBeginStep(m_nUndoStepCode);
    if (m_nUndoStepLen == 0)
        return !m_bStepRefused;
    const int ok = UndoLog(type, body);
    UndoEndStep();
    return ok != 0;
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
    if (m_bUndoHeld)
        return 1;
    if (m_bRollbackPending) {
        RollBackAbandonedStep();
        return 1;
    }
    if (m_bStepRefused) {
        // Refused at its opening record: nothing of the step was written;
        // what the host keeps beside it (ids spent) goes back.
        m_bStepRefused = 0;
        m_nUndoStepLen = 0;
        if (m_pHost && !m_openMemo.empty())
            m_pHost->FinishUndoReplay(&m_openMemo, false);
        m_openMemo.clear();
        return 1;
    }
    // Nothing open (already closed, or a navigation step not recorded).
    if (m_nUndoStepLen == 0 || m_pUndoWrite == m_pUndoBase || m_nUndoStepCode < 0) {
        m_nUndoStepLen = 0;
        return 1;
    }
    // The trailer's length counts the whole step, the trailer included.
    const int32_t len = m_nUndoStepLen + kTrailerSize;
    const BYTE code = BYTE(m_nUndoStepCode);
    const int written = UndoLog(UDOC_BEGINSTEP, [len, code](UndoStream& s) {
        s.Int32(len);
        s.Byte(code);
    });
    if (!written && m_bRollbackPending) {
        RollBackAbandonedStep();
        return 1;
    }
    const bool counted = written && !m_bUndoHeld && m_nUndoStepCode >= 0;
    m_nUndoStepLen = 0;
    if (counted) {
        if (m_nStepBaseLen == 0)
            ++m_nStepsRecorded;
        ++m_nUndoSteps;
        m_memos.push_back(std::move(m_openMemo));
        if (m_nUndoSteps > kMaxSteps)
            DropOldestUndoStep();
    }
    m_openMemo.clear();
    return 1;
}

void CUndoLog::AppendStepMemo(std::initializer_list<int32_t> values)
{
    if (m_bUndoHeld || !IsStepOpen())
        return;
    m_openMemo.insert(m_openMemo.end(), values);
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

void CUndoLog::CloseOpenStep()
{
    if (IsStepOpen() && !m_bUndoHeld)
        UndoEndStep();
}

int CUndoLog::ReadUndoStepTrailer(const BYTE* end, int* length)
{
    // Every reader sees the last complete step: the records of a step still
    // open lie after its trailer.
    if (end == m_pUndoWrite && IsStepOpen())
        end = m_pUndoWrite - m_nUndoStepLen;
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
    if (m_nUndoStepCode < 0 || m_nUndoSteps <= 0 || m_nUndoStepLen != 0 || m_bUndoHeld)
        return 0;
    int last = 0, len = 0;
    if (!ReadTrailerAt(m_pUndoWrite, &last, &len))
        return 0;
    m_pUndoWrite -= kTrailerSize;
    m_nUndoUsed -= kTrailerSize;
    --m_nUndoSteps;
    if (!m_memos.empty()) {
        m_openMemo = std::move(m_memos.back());
        m_memos.pop_back();
    }
    m_nUndoStepCode = code == -3 ? last : code;
    m_nUndoStepLen = len - kTrailerSize;
    m_nStepBaseLen = m_nUndoStepLen;
    return 1;
}

void CUndoLog::DropOldestUndoStep()
{
    if (m_nUndoSteps <= 0 || m_pUndoWrite <= m_pUndoBase || m_nUndoUsed == 0) {
        ResetUndoLog();
        return;
    }
    // The oldest step lies before the open step's records, if any.
    const BYTE* pos = m_pUndoWrite - (IsStepOpen() ? m_nUndoStepLen : 0);
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
    if (!m_memos.empty())
        m_memos.pop_front();
    if (--m_nUndoSteps == 0 && !IsStepOpen())
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
    if (!m_memos.empty())
        m_memos.pop_back();
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
    m_bRollbackPending = 0;
    m_bStepRefused = 0;
    m_nStepBaseLen = 0;
    ClearMemos();
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
    // After a step abandoned for lack of memory the steps before it stay.
    const bool steps = m_nUndoStepCode >= 0 || m_nUndoStepCode == -2;
    return steps && m_pUndoWrite > m_pUndoBase && m_nUndoUsed != 0 && m_nUndoSteps > 0;
}

int CUndoLog::ReplayRange(const BYTE* start, const std::vector<int32_t>* memo, bool finishAlways)
{
    UndoReader reader(start, m_pUndoWrite);
    int result = 0;
    int replayed = 0;
    m_pReplayMemo = memo;
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
        } else {
            ++replayed;
        }
    }
    // Undo always puts every link in order; a rollback that replayed no
    // record leaves the objects alone.
    if (m_pHost)
        m_pHost->FinishUndoReplay(memo, finishAlways || replayed > 0);
    m_pReplayMemo = nullptr;
    return result;
}

void CUndoLog::RollBackAbandonedStep()
{
    m_bRollbackPending = 0;
    m_bStepRefused = 0;
    const int32_t extra = m_nUndoStepLen - m_nStepBaseLen;
    const bool ownStep = m_nStepBaseLen == 0;
    if (extra < 0 || extra > m_nUndoUsed) {
        ResetUndoLog();
        return;
    }
    if (extra > 0) {
        // A step opened by the operation brings back what it saw when it
        // opened; records added to a re-opened step only undo themselves.
        BYTE* start = m_pUndoWrite - extra;
        m_bReplaying = 1;
        m_bResetPending = 0;
        ReplayRange(start, ownStep ? &m_openMemo : nullptr, false);
        m_bReplaying = 0;
        m_pUndoWrite = start;
        m_nUndoUsed -= extra;
    }
    m_nUndoStepLen = m_nStepBaseLen;
    if (m_bResetPending) {
        m_bResetPending = 0;
        ResetUndoLog();
        return;
    }
    if (!ownStep) {
        // The re-opened step gets its trailer back, whole as before.
        m_nUndoStepCode = m_nRefusedStepCode;
        UndoEndStep();
    }
    m_nUndoStepLen = 0;
    m_nStepBaseLen = 0;
    m_openMemo.clear();
    m_nUndoStepCode = -2;
}

int CUndoLog::Undo()
{
    DiagPrintf("USER  Undo\n");
    if (!m_hUndoBuf || m_bUndoHeld)
        return 0;
    if (m_bRollbackPending)
        RollBackAbandonedStep();
    CloseOpenStep();
    int lastCode = 0, len = 0;
    if (m_nUndoSteps <= 0 || !ReadTrailerAt(m_pUndoWrite, &lastCode, &len)) {
        ResetUndoLog();
        return 0;
    }
    const int32_t saved = m_nUndoStepCode;
    m_nUndoStepCode = -1;
    m_bReplaying = 1;
    m_bResetPending = 0;
    const std::vector<int32_t>* memo = m_memos.size() == size_t(m_nUndoSteps) ? &m_memos.back() : nullptr;
    // The replay never reads past the start of the last step.
    const int result = ReplayRange(m_pUndoWrite - len, memo, true);
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
    // The last complete step, also while another one is being recorded.
    const BYTE* end = m_pUndoWrite - (IsStepOpen() ? m_nUndoStepLen : 0);
    if (!ReadTrailerAt(end, &code, &len))
        return 0;
    const char* shortcut = FindResString(kUndoShortcutId);
    text += ' ';
    text += UndoStepMenuName(code);
    text += '\t';
    text += shortcut ? shortcut : "";
    return 1;
}
