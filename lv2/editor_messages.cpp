#include "lv2/editor_messages.h"

#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>

#include "engine/engine.h"
#include "lv2/uris.h"

namespace {

LV2_URID mapUri(const LV2_URID_Map& map, const char* uri) {
    return map.map(map.handle, uri);
}

// The whole atom (header and body) as its type, when it is of that type and
// its body has the size the type needs.
template <typename Atom> const Atom* atomAs(const LV2_Atom* atom, LV2_URID type) {
    const bool fits = atom != nullptr && atom->type == type && atom->size >= sizeof(Atom) - sizeof(LV2_Atom);
    return fits ? reinterpret_cast<const Atom*>(atom) : nullptr;
}

} // namespace

EditorMessageUrids::EditorMessageUrids(const LV2_URID_Map& map)
    : atomObject(mapUri(map, LV2_ATOM__Object)), atomInt(mapUri(map, LV2_ATOM__Int)),
      atomFloat(mapUri(map, LV2_ATOM__Float)), atomBool(mapUri(map, LV2_ATOM__Bool)),
      kinds{mapUri(map, kAxisHeldUri), mapUri(map, kAxisTargetUri), mapUri(map, kModulationAmountUri),
            mapUri(map, kRefreshAxesUri)},
      axis(mapUri(map, kAxisPropertyUri)), value(mapUri(map, kValuePropertyUri)) {}

std::uint32_t writeEditorMessage(const EditorMessageUrids& urids, LV2_URID_Map& map, const EditorMessage& message,
                                 void* buffer, std::uint32_t capacity) {
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, &map);
    lv2_atom_forge_set_buffer(&forge, static_cast<std::uint8_t*>(buffer), capacity);
    LV2_Atom_Forge_Frame frame;
    const LV2_Atom_Forge_Ref object =
        lv2_atom_forge_object(&forge, &frame, 0, urids.kinds[static_cast<int>(message.kind)]);
    bool written = object != 0;
    if (message.kind != EditorMessageKind::refreshAxes) {
        written = written && lv2_atom_forge_key(&forge, urids.axis) != 0 &&
                  lv2_atom_forge_int(&forge, static_cast<std::int32_t>(message.axis)) != 0 &&
                  lv2_atom_forge_key(&forge, urids.value) != 0;
        if (message.kind == EditorMessageKind::axisHeld) {
            written = written && lv2_atom_forge_bool(&forge, message.value != 0.0f) != 0;
        } else {
            written = written && lv2_atom_forge_float(&forge, message.value) != 0;
        }
    }
    lv2_atom_forge_pop(&forge, &frame);
    if (!written) {
        return 0;
    }
    const auto* atom = static_cast<const LV2_Atom*>(buffer);
    return static_cast<std::uint32_t>(sizeof(LV2_Atom)) + atom->size;
}

bool readEditorMessage(const EditorMessageUrids& urids, const LV2_Atom_Object& object, EditorMessage& message) {
    int kind = 0;
    while (kind < 4 && urids.kinds[kind] != object.body.otype) {
        ++kind;
    }
    if (kind == 4) {
        return false;
    }
    message.kind = static_cast<EditorMessageKind>(kind);
    if (message.kind == EditorMessageKind::refreshAxes) {
        return true;
    }
    const LV2_Atom* axisAtom = nullptr;
    const LV2_Atom* valueAtom = nullptr;
    lv2_atom_object_get(&object, urids.axis, &axisAtom, urids.value, &valueAtom, 0);
    const auto* axis = atomAs<LV2_Atom_Int>(axisAtom, urids.atomInt);
    if (axis == nullptr || axis->body < 0 || axis->body >= kNumAxes) {
        return false;
    }
    message.axis = static_cast<AxisIndex>(axis->body);
    if (message.kind == EditorMessageKind::axisHeld) {
        const auto* held = atomAs<LV2_Atom_Bool>(valueAtom, urids.atomBool);
        message.value = held != nullptr && held->body != 0 ? 1.0f : 0.0f;
        return held != nullptr;
    }
    const auto* value = atomAs<LV2_Atom_Float>(valueAtom, urids.atomFloat);
    if (value == nullptr || !(value->body >= 0.0f && value->body <= 1.0f)) {
        return false;
    }
    message.value = value->body;
    return true;
}

void applyEditorMessage(Engine& engine, const EditorMessage& message) {
    switch (message.kind) {
    case EditorMessageKind::axisHeld:
        engine.axes[message.axis].held = message.value != 0.0f;
        break;
    case EditorMessageKind::axisTarget:
        engine.axes[message.axis].target = message.value;
        break;
    case EditorMessageKind::modulationAmount:
        engine.axes[message.axis].modulators[0].amount = message.value;
        break;
    case EditorMessageKind::refreshAxes:
        engine.paramsDirty.publish(true);
        break;
    }
}
