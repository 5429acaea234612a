// Drives the undo log with operations read from the bytes: steps with
// records of any size, re-opening, dropping, discarding, undo, holds, memory
// caps and stray writes into the log's bytes. The framing must never let a
// read or write leave the block, whatever the log holds.
#include "undo/CUndoLog.h"
#include "platform/GlobalMem.h"
#include "platform/Prompt.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {
class Host : public IUndoHost {
public:
    bool IsUndoHostModified() const override { return modified; }
    void SetUndoHostModified(bool m) override { modified = m; }
    bool ReplayUndoRecord(int type, UndoReader& r) override
    {
        // Bodies by type: an id, a string or a rectangle; anything else is
        // not a record this host knows.
        switch (type % 3) {
        case 0: {
            int32_t id;
            return r.Int32(id);
        }
        case 1: {
            std::string s;
            return r.String(s);
        }
        default: {
            RECT rc;
            return r.Rect(rc);
        }
        }
    }
    bool modified = false;
};

class Answers : public IPromptService {
public:
    int ShowMessage(const std::string&, UINT) override { return (++n & 1) ? IDOK : IDCANCEL; }
    int n = 0;
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Answers answers;
    IPromptService* previous = GetPromptService();
    SetPromptService(&answers);
    Host host;
    {
        CUndoLog log(&host);
        log.AllocUndoBuffer();
        std::vector<BYTE> payload(70000, 0x5A);
        size_t i = 0;
        auto next = [&]() -> uint8_t { return i < size ? data[i++] : 0; };
        while (i < size) {
            const uint8_t op = next();
            const uint8_t arg = next();
            switch (op % 12) {
            case 0:
                log.UndoBeginStep(arg % 94);
                break;
            case 1:
                log.UndoLog(arg % 47, [arg](UndoStream& s) { s.Int32(arg); });
                break;
            case 2: {
                const int32_t n = int32_t(arg) * 1000;
                log.UndoLog(11, [&](UndoStream& s) { s.Blob(payload.data(), n > 70000 ? 70000 : n); });
                break;
            }
            case 3:
                log.UndoEndStep();
                break;
            case 4:
                log.UndoReopenLastStep(arg & 1 ? -3 : arg % 93);
                break;
            case 5:
                log.Undo();
                break;
            case 6:
                log.DropOldestUndoStep();
                break;
            case 7:
                log.DiscardLastUndoStep();
                break;
            case 8:
                if (arg & 1)
                    log.HoldUndoLog();
                else
                    log.ReleaseUndoLog();
                break;
            case 9:
                SetGlobalMemoryLimit(arg & 1 ? GlobalMemoryInUse() + size_t(arg) * 4096 : 0);
                break;
            case 10:
                // A stray write into the used part of the log.
                if (log.m_nUndoUsed > 0)
                    log.m_pUndoBase[size_t(next()) * 256 % size_t(log.m_nUndoUsed)] = arg;
                break;
            default: {
                int len = 0;
                log.GetLastUndoStepCode(&len);
                std::string text;
                log.GetUndoMenuText(text);
                log.CanUndo();
                break;
            }
            }
            if (log.m_nUndoSteps < 0 || log.m_nUndoSteps > CUndoLog::kMaxSteps ||
                log.m_nUndoUsed > log.m_nUndoBufSize)
                __builtin_trap();
        }
        SetGlobalMemoryLimit(0);
    }
    SetPromptService(previous);
    return 0;
}
