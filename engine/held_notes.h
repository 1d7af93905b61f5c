// The MIDI notes that are down. Only whether a note is held matters: a
// note-off releases every note-on of its number, and the axes are released
// when nothing is held. So a set of 128 notes keeps the same behaviour as a
// list with duplicates, needs no heap, and no flood of note-ons can grow it.
#pragma once

#include <bitset>

class HeldNotes {
public:
    void add(int note) { notes.set(static_cast<std::size_t>(note & 0x7F)); }
    void removeAll(int note) { notes.reset(static_cast<std::size_t>(note & 0x7F)); }
    void clear() { notes.reset(); }
    bool empty() const { return notes.none(); }

private:
    std::bitset<128> notes;
};
