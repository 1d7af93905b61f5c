// The buffer behind one LV2 atom port: an input sequence of timed MIDI
// events, or the empty space an output port is offered each block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

class AtomSequence {
public:
    // Bytes a sequence of `midiEvents` messages of up to 3 bytes needs.
    static std::size_t bytesFor(std::size_t midiEvents);

    // `bytes` is the whole buffer, the atom's header included; made here,
    // before any block, and never resized.
    explicit AtomSequence(std::size_t bytes);

    LV2_Atom_Sequence* atom() { return reinterpret_cast<LV2_Atom_Sequence*>(storage.data()); }
    std::size_t bytes() const { return storage.size() * sizeof(std::uint64_t); }

    // An empty sequence timed in frames.
    void clear(LV2_URID sequenceType);
    // Appends one event; false when it does not fit (nothing is written).
    bool append(std::int64_t frame, LV2_URID type, const std::uint8_t* data, std::uint32_t size);
    // An output port's offer: the whole buffer as an empty chunk.
    void offer(LV2_URID chunkType);

private:
    std::vector<std::uint64_t> storage; // 64-bit words: atoms are 8-byte aligned
};
