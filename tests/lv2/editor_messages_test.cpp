// The editor's messages to the sound: what the UI writes the sound reads
// back unchanged, and anything the editor never sends is refused, so a host
// that forwards garbage cannot put it into the engine.
#include <gtest/gtest.h>

#include <lv2/atom/forge.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "engine/engine.h"
#include "lv2/editor_messages.h"
#include "lv2/uris.h"
#include "tests/lv2/urid_table.h"

namespace {

class EditorMessages : public ::testing::Test {
protected:
    // An object as a careless host or a stranger's UI might send it.
    const LV2_Atom_Object& forged(const char* type, LV2_URID axisType, std::int32_t axis, LV2_URID valueType,
                                  float value) {
        LV2_Atom_Forge forge;
        lv2_atom_forge_init(&forge, urids.mapFeature());
        lv2_atom_forge_set_buffer(&forge, buffer, sizeof buffer);
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_object(&forge, &frame, 0, urids.map(type));
        lv2_atom_forge_key(&forge, urids.map(kAxisPropertyUri));
        if (axisType == forge.Int) {
            lv2_atom_forge_int(&forge, axis);
        } else {
            lv2_atom_forge_float(&forge, static_cast<float>(axis));
        }
        lv2_atom_forge_key(&forge, urids.map(kValuePropertyUri));
        if (valueType == forge.Float) {
            lv2_atom_forge_float(&forge, value);
        } else {
            lv2_atom_forge_int(&forge, static_cast<std::int32_t>(value));
        }
        lv2_atom_forge_pop(&forge, &frame);
        return *reinterpret_cast<const LV2_Atom_Object*>(buffer);
    }

    UridTable urids;
    EditorMessageUrids messageUrids{*urids.mapFeature()};
    LV2_URID intType = urids.map(LV2_ATOM__Int);
    LV2_URID floatType = urids.map(LV2_ATOM__Float);
    alignas(LV2_Atom) std::uint8_t buffer[256] = {};
};

TEST_F(EditorMessages, WhatTheUiWritesTheSoundReads) {
    const EditorMessage sent[] = {
        {EditorMessageKind::axisHeld, kAxisMY, 1.0f},         {EditorMessageKind::axisHeld, kAxisLY, 0.0f},
        {EditorMessageKind::axisTarget, kAxisFX, 0.00625f},   {EditorMessageKind::axisTarget, kAxisLX, 1.0f},
        {EditorMessageKind::modulationAmount, kAxisFY, 0.0f}, {EditorMessageKind::refreshAxes, kAxisMY, 0.0f},
    };
    for (const EditorMessage& message : sent) {
        const std::uint32_t size = writeEditorMessage(messageUrids, *urids.mapFeature(), message, buffer, sizeof buffer);
        ASSERT_GE(size, sizeof(LV2_Atom_Object));
        EditorMessage read{};
        ASSERT_TRUE(readEditorMessage(messageUrids, *reinterpret_cast<const LV2_Atom_Object*>(buffer), read));
        EXPECT_EQ(read.kind, message.kind);
        if (message.kind != EditorMessageKind::refreshAxes) {
            EXPECT_EQ(read.axis, message.axis);
            EXPECT_EQ(read.value, message.value);
        }
    }
    EXPECT_EQ(writeEditorMessage(messageUrids, *urids.mapFeature(), sent[2], buffer, 24), 0u) << "too small a buffer";
}

TEST_F(EditorMessages, WhatTheEditorNeverSendsIsRefused) {
    EditorMessage read{};
    EXPECT_TRUE(readEditorMessage(messageUrids, forged(kAxisTargetUri, intType, 5, floatType, 0.5f), read));
    EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisTargetUri, intType, 6, floatType, 0.5f), read));
    EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisTargetUri, intType, -1, floatType, 0.5f), read));
    EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisTargetUri, floatType, 2, floatType, 0.5f), read));
    for (float value : {NAN, INFINITY, -INFINITY, 1.0000001f, -0.0000001f, 1e30f}) {
        EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisTargetUri, intType, 1, floatType, value), read))
            << value;
        EXPECT_FALSE(readEditorMessage(messageUrids, forged(kModulationAmountUri, intType, 1, floatType, value), read))
            << value;
    }
    EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisTargetUri, intType, 1, intType, 1.0f), read));
    EXPECT_FALSE(readEditorMessage(messageUrids, forged(kAxisHeldUri, intType, 1, floatType, 1.0f), read))
        << "held is a Bool";
    EXPECT_FALSE(readEditorMessage(messageUrids, forged("urn:quorvane:test:other", intType, 1, floatType, 0.5f), read));
}

TEST_F(EditorMessages, EachWritesItsFieldOfTheEngine) {
    auto engine = std::make_unique<Engine>();
    engine->paramsDirty = false;
    applyEditorMessage(*engine, {EditorMessageKind::axisHeld, kAxisFY, 1.0f});
    applyEditorMessage(*engine, {EditorMessageKind::axisTarget, kAxisLX, 0.25f});
    applyEditorMessage(*engine, {EditorMessageKind::modulationAmount, kAxisMX, 0.75f});
    EXPECT_TRUE(engine->axes[kAxisFY].held);
    EXPECT_FALSE(engine->axes[kAxisFX].held);
    EXPECT_EQ(engine->axes[kAxisLX].target, 0.25f);
    EXPECT_EQ(engine->axes[kAxisMX].modulators[0].amount, 0.75f);
    EXPECT_FALSE(engine->paramsDirty);
    applyEditorMessage(*engine, {EditorMessageKind::refreshAxes, kAxisMY, 0.0f});
    EXPECT_TRUE(engine->paramsDirty);
}

} // namespace
