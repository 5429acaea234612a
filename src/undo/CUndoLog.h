#pragma once
// The undo log of one document: typed records appended to one movable memory
// block, bracketed in steps that carry a step code, read backwards when
// undoing, at most 50 steps. The document owns it and forwards its undo
// operations to it; what a record holds and how it is replayed belongs to the
// document (IUndoHost).
#include "undo/UndoCodes.h"
#include "undo/UndoStream.h"
#include "platform/GlobalMem.h"

#include <deque>
#include <functional>
#include <vector>

// What the log needs of its document.
class IUndoHost {
public:
    virtual ~IUndoHost() = default;
    // The document's modified flag.
    virtual bool IsUndoHostModified() const = 0;
    virtual void SetUndoHostModified(bool modified) = 0;
    // Replays one record whose type byte has been read: reads its body
    // backwards from the reader. False for a record that cannot be read (the
    // replay of the step stops there).
    virtual bool ReplayUndoRecord(int type, UndoReader& reader) = 0;
    // What the host keeps beside the records of a step, taken when the step
    // opens (the log stores it with the step and drops it with the step).
    virtual std::vector<int32_t> TakeUndoStepMemo() { return {}; }
    // After the records of a step were replayed (by Undo, or to roll back a
    // step the user abandoned): the host puts what the step found back in
    // place, and its links in order when `relink` is set. The memo is the one
    // the step was opened with (null when there is none).
    virtual void FinishUndoReplay(const std::vector<int32_t>* memo, bool relink)
    {
        (void)memo;
        (void)relink;
    }
};

// Writes the body of one record (without its type byte).
using UndoBodyWriter = std::function<void(UndoStream&)>;

class CUndoLog {
public:
    static constexpr int kChunk = 262144;       // initial size and growth unit
    static constexpr int kMaxSteps = 50;
    static constexpr int kTrailerSize = 6;
    static constexpr int kOpeningSize = 5;

    explicit CUndoLog(IUndoHost* host) : m_pHost(host) {}
    ~CUndoLog() { FreeUndoBuffer(); }
    CUndoLog(const CUndoLog&) = delete;
    CUndoLog& operator=(const CUndoLog&) = delete;

    // 0 (log off) when the block cannot be had.
    int AllocUndoBuffer();
    void FreeUndoBuffer();

    void UndoBeginStep(int code);
    // 0 only when the user abandoned the operation for lack of memory (the
    // caller then drops its change); 1 otherwise, also when nothing was
    // written (no block: the edit goes on unrecorded).
    int UndoLog(int type, const UndoBodyWriter& body = {});
    int UndoEndStep();
    // Re-opens the last complete step; code -3 keeps its own code.
    int UndoReopenLastStep(int code);
    // The step code of the step ending at `end` (and its length); -1 and a
    // reset log for a broken trailer.
    int ReadUndoStepTrailer(const BYTE* end, int* length);
    int GetLastUndoStepCode(int* length = nullptr);
    void DropOldestUndoStep();
    void DiscardLastUndoStep();
    void ResetUndoLog();
    int ExpandUndoBuffer(int type, const UndoBodyWriter& body, int* size);
    // Bytes the record takes, type byte included.
    int UndoRecordSize(int type, const UndoBodyWriter& body) const;

    int CanUndo() const;
    int IsUndoStepAbandoned() const { return m_nUndoStepCode == -2; }
    // Holds nest: the log records again once every hold is released.
    void HoldUndoLog() { ++m_bUndoHeld; }
    void ReleaseUndoLog()
    {
        if (m_bUndoHeld > 0)
            --m_bUndoHeld;
    }
    bool IsUndoHeld() const { return m_bUndoHeld > 0; }
    // Drops every hold (a new document).
    void ReleaseAllUndoHolds() { m_bUndoHeld = 0; }
    int InUndoStep() const { return m_nUndoStepCode >= 0; }
    // Replays the last step; its code, or 0 when no trailer was read.
    int Undo();

    // The Undo menu item's text and state.
    int GetUndoMenuText(std::string& text) const;

    // Adds values to the memo of the step being recorded (nothing when no
    // step is recording).
    void AppendStepMemo(std::initializer_list<int32_t> values);
    // The memo of the step being replayed, or null.
    const std::vector<int32_t>* ReplayMemo() const { return m_pReplayMemo; }
    // Whether a step is open (its opening record written, no trailer yet).
    bool IsStepOpen() const { return m_nUndoStepCode >= 0 && m_nUndoStepLen > 0; }

    // For tests: the record logged after this many more finds no memory
    // (-1: off).
    int32_t m_nRefuseRecordAfter = -1;
    // Steps recorded since the log was made; a step re-opened and closed
    // again counts once.
    uint32_t m_nStepsRecorded = 0;

    HGLOBAL m_hUndoBuf = nullptr;
    int32_t m_nUndoStepLen = 0;
    int32_t m_nUndoBufSize = 0;
    int32_t m_nUndoUsed = 0;
    int32_t m_nUndoSteps = 0;
    BYTE* m_pUndoBase = nullptr;
    BYTE* m_pUndoWrite = nullptr;
    int32_t m_nUndoStepCode = -1;
    int32_t m_bUndoHeld = 0;
    // A reset asked for while Undo reads the block waits until it is done.
    int32_t m_bReplaying = 0;
    int32_t m_bResetPending = 0;
    // Set when the user abandoned a step that had already logged records:
    // those records are replayed to take the step's changes back.
    int32_t m_bRollbackPending = 0;
    // Set from the user's refusal until the step closes: every further
    // record of the operation is refused too, so it drops all its changes.
    int32_t m_bStepRefused = 0;
    // Length the open step had when this operation opened or re-opened it:
    // a rollback takes back only the records after it.
    int32_t m_nStepBaseLen = 0;
    int32_t m_nRefusedStepCode = -1;

private:
    // The trailer ending at `end`: false when it is not there or does not
    // frame a step inside the log.
    bool ReadTrailerAt(const BYTE* end, int* code, int* length) const;
    void WriteRecord(int type, const UndoBodyWriter& body);
    void GiveUpBlock();
    void CloseOpenStep();
    // Replays the records from `start` to the write pointer; the code read
    // from a trailer, 0 when none.
    int ReplayRange(const BYTE* start, const std::vector<int32_t>* memo, bool finishAlways);
    void RollBackAbandonedStep();
    // A record logged while no step is open joins the last step.
    bool FoldIntoLastStep(int type, const UndoBodyWriter& body);
    bool GrowthRefusedForTest();
    void ClearMemos();

    std::deque<std::vector<int32_t>> m_memos;   // one per complete step
    std::vector<int32_t> m_openMemo;            // of the step being recorded
    const std::vector<int32_t>* m_pReplayMemo = nullptr;

    IUndoHost* m_pHost;
};
