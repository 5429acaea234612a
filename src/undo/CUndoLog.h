#pragma once
// The undo log of one document: typed records appended to one movable memory
// block, bracketed in steps that carry a step code, read backwards when
// undoing, at most 50 steps. The document owns it and forwards its undo
// operations to it; what a record holds and how it is replayed belongs to the
// document (IUndoHost).
#include "undo/UndoCodes.h"
#include "undo/UndoStream.h"
#include "platform/GlobalMem.h"

#include <functional>

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
    void HoldUndoLog() { m_bUndoHeld = 1; }
    void ReleaseUndoLog() { m_bUndoHeld = 0; }
    int InUndoStep() const { return m_nUndoStepCode >= 0; }
    // Replays the last step; its code, or 0 when no trailer was read.
    int Undo();

    // The Undo menu item's text and state.
    int GetUndoMenuText(std::string& text) const;

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

private:
    // The trailer ending at `end`: false when it is not there or does not
    // frame a step inside the log.
    bool ReadTrailerAt(const BYTE* end, int* code, int* length) const;
    void WriteRecord(int type, const UndoBodyWriter& body);
    void GiveUpBlock();
    void DropPartialStep();
    void CloseStrayRecords();

    IUndoHost* m_pHost;
};
