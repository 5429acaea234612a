#pragma once
// The edits of the undo property test: one table, each entry an edit the
// document offers, run as one user operation (its own undo step, or none
// for edits that are not undoable such as a selection change). Every later
// operation of the document is added here.
//
// An edit takes its choices from an EditArgs stream: generated from the
// sequence's seed the first time, replayed from the recorded values when a
// failing sequence is run again or shrunk, so that leaving one action out
// does not change the choices of the others.
#include "document/CKavoDoc.h"

#include <cstdint>
#include <random>
#include <vector>

class EditArgs {
public:
    // Generating: draws from the generator and records.
    explicit EditArgs(std::mt19937* rng, std::vector<uint32_t>* record) : m_rng(rng), m_record(record) {}
    // Replaying recorded values (0 once they run out).
    explicit EditArgs(const std::vector<uint32_t>* values) : m_values(values) {}

    uint32_t Next()
    {
        if (m_rng) {
            const uint32_t v = (*m_rng)();
            m_record->push_back(v);
            return v;
        }
        return m_pos < m_values->size() ? (*m_values)[m_pos++] : 0;
    }
    // 0 .. n - 1 (0 for n 0).
    int Below(int n) { return n > 0 ? int(Next() % uint32_t(n)) : 0; }
    int Range(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }

private:
    std::mt19937* m_rng = nullptr;
    std::vector<uint32_t>* m_record = nullptr;
    const std::vector<uint32_t>* m_values = nullptr;
    size_t m_pos = 0;
};

struct UndoPropertyEdit {
    const char* name;
    int weight;   // relative frequency
    void (*run)(CKavoDoc& doc, EditArgs& args);
};

const std::vector<UndoPropertyEdit>& UndoPropertyEditTable();
