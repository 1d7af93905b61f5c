#include "atom_sequence.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t padded(std::size_t size) {
    return (size + 7) & ~std::size_t{7};
}

} // namespace

std::size_t AtomSequence::bytesFor(std::size_t midiEvents) {
    return sizeof(LV2_Atom_Sequence) + midiEvents * padded(sizeof(LV2_Atom_Event) + 3);
}

AtomSequence::AtomSequence(std::size_t bytes) : storage(padded(std::max(bytes, sizeof(LV2_Atom_Sequence))) / 8, 0) {}

void AtomSequence::clear(LV2_URID sequenceType) {
    LV2_Atom_Sequence* sequence = atom();
    sequence->atom.type = sequenceType;
    sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
    sequence->body.unit = 0; // frames
    sequence->body.pad = 0;
}

bool AtomSequence::append(std::int64_t frame, LV2_URID type, const std::uint8_t* data, std::uint32_t size) {
    LV2_Atom_Sequence* sequence = atom();
    const std::size_t used = sizeof(LV2_Atom) + sequence->atom.size;
    const std::size_t needed = padded(sizeof(LV2_Atom_Event) + size);
    if (used + needed > bytes()) {
        return false;
    }
    auto* event = reinterpret_cast<LV2_Atom_Event*>(reinterpret_cast<char*>(storage.data()) + used);
    event->time.frames = frame;
    event->body.type = type;
    event->body.size = size;
    std::memcpy(event + 1, data, size);
    sequence->atom.size += static_cast<std::uint32_t>(needed);
    return true;
}

void AtomSequence::offer(LV2_URID chunkType) {
    LV2_Atom_Sequence* sequence = atom();
    sequence->atom.type = chunkType;
    sequence->atom.size = static_cast<std::uint32_t>(bytes() - sizeof(LV2_Atom));
}
