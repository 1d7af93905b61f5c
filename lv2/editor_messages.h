// The editor's direct writes into the engine (a pad held, an axis target, a
// modulator amount, "take the parameters again"), carried from the LV2 UI to
// the sound as small atom:Objects on the events port. The UI writes them;
// the sound reads them and refuses anything the editor never sends.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include <cstdint>

#include "engine/axis_orders.h"

class Engine;

enum class EditorMessageKind { axisHeld, axisTarget, modulationAmount, refreshAxes };

struct EditorMessage {
    EditorMessageKind kind;
    AxisIndex axis; // not read by refreshAxes
    float value;    // held: 1.0 or 0.0; not read by refreshAxes
};

struct EditorMessageUrids {
    explicit EditorMessageUrids(const LV2_URID_Map& map);

    LV2_URID atomObject;
    LV2_URID atomInt;
    LV2_URID atomFloat;
    LV2_URID atomBool;
    LV2_URID kinds[4]; // by EditorMessageKind
    LV2_URID axis;
    LV2_URID value;
};

// Room for the largest message: an object header and two properties.
constexpr std::uint32_t kEditorMessageCapacity = 128;

// Writes the message as one atom into buffer; its whole size in bytes, or 0
// when it does not fit in capacity.
std::uint32_t writeEditorMessage(const EditorMessageUrids& urids, LV2_URID_Map& map, const EditorMessage& message,
                                 void* buffer, std::uint32_t capacity);

// The message an object carries. False for anything else: another type, an
// axis outside 0..5, a value that is not a number from 0 to 1 (the editor
// clamps every value it writes), a property of the wrong type.
bool readEditorMessage(const EditorMessageUrids& urids, const LV2_Atom_Object& object, EditorMessage& message);

// Writes it into the engine, as the VST 2 editor writes the engine directly.
void applyEditorMessage(Engine& engine, const EditorMessage& message);
