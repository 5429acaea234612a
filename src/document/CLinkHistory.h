#pragma once
// The program-wide history of visited diagrams that Back and Forward walk: a
// ring of 20 path or address texts (compared exactly), from the oldest entry
// at head over count slots, with the user at current. Never saved.
#include <array>
#include <string>

class CLinkHistory {
public:
    static constexpr int kCapacity = 20;

    void Clear();
    // Adds delta to slot, wrapping at the capacity; returns it.
    int Step(int& slot, int delta) const;
    int LastSlot() const;
    int Offset(int slot) const;
    bool IsBefore(int a, int b) const { return Offset(a) < Offset(b); }
    bool IsValidSlot(int slot) const;
    // Removes one entry (0 for an invalid slot, else 1).
    int RemoveAt(int slot);
    // Removes every entry equal to text; the number removed.
    int RemoveAll(const std::string& text);

    // The entry after / before current (false at the end or when empty); with
    // move, current becomes it and the step is traced.
    bool GetForwardLink(std::string& out, bool move);
    bool GetBackLink(std::string& out, bool move);
    // The user is at text: forward entries are dropped, the oldest when full.
    void SetVisitedLink(const std::string& text);

    int Count() const { return m_count; }
    int Head() const { return m_head; }
    int Current() const { return m_current; }
    const std::string& At(int slot) const { return m_slots[size_t(slot)]; }

private:
    std::array<std::string, kCapacity> m_slots;
    int m_count = 0;
    int m_head = 0;
    int m_current = 0;
};

// The one history of the program run.
CLinkHistory& LinkHistory();
