// The LV2 UI binary in a real X11 window: a host of ours on a virtual X
// server finds the UI through lilv, loads it, hands it a parent window of its
// own, feeds it port values and records what it writes. The window must show
// the VST 2 editor's picture of the same values (the committed golden frame),
// and what the mouse does there, forwarded to a DSP instance as a host
// forwards it, must reach the sound.
// gtest first: X.h defines None, which gtest uses as a name; the LV2 and
// lilv headers before Xlib, whose Bool macro they would trip over.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>
#include <stb_image.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "editor/column_axes.h"
#include "editor/pad_controls.h"
#include "lv2/port_layout.h"
#include "lv2/uris.h"
#include "tests/lv2/lilv_host.h"
#include "tests/lv2/vst2_player.h"
#include "tests/x11/test_pointer.h"
#include "tests/x11/window_pixels.h"
#include "tests/x11/xvfb_server.h"

#include <X11/Xlib.h>

namespace {

const std::string kGolden = std::string(QUORVANE_SOURCE_DIR) + "/tests/golden/editor_frame.png";

struct RecordedWrite {
    std::uint32_t port;
    std::uint32_t protocol; // 0: a float for a control port; else atom:eventTransfer
    std::vector<std::uint8_t> bytes;
};

void recordWrite(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t protocol, const void* buffer) {
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    static_cast<std::vector<RecordedWrite>*>(controller)->push_back({port, protocol, {bytes, bytes + size}});
}

struct AskedSize {
    int width = 0;
    int height = 0;
};

int recordResize(LV2UI_Feature_Handle handle, int width, int height) {
    *static_cast<AskedSize*>(handle) = {width, height};
    return 0;
}

// The UI binary the bundle names, loaded as a host loads it.
class LoadedUi {
public:
    explicit LoadedUi(const Lv2World& world) {
        LilvUIs* uis = lilv_plugin_get_uis(world.quorvane());
        const LilvUI* ui = lilv_uis_get(uis, lilv_uis_begin(uis));
        char* path = lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
        handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
        lilv_free(path);
        lilv_uis_free(uis);
        if (handle != nullptr) {
            auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(handle, "lv2ui_descriptor"));
            descriptor = entry != nullptr ? entry(0) : nullptr;
        }
    }
    ~LoadedUi() {
        if (handle != nullptr) {
            dlclose(handle);
        }
    }
    LoadedUi(const LoadedUi&) = delete;
    LoadedUi& operator=(const LoadedUi&) = delete;

    const LV2UI_Descriptor* descriptor = nullptr;

private:
    void* handle = nullptr;
};

class Lv2Ui : public ::testing::Test {
protected:
    Lv2Ui() : display(XOpenDisplay(server.displayName().c_str())), ui(world) {}

    void SetUp() override {
        ASSERT_NE(display, nullptr);
        ASSERT_NE(ui.descriptor, nullptr);
        int unused = 0;
        ASSERT_TRUE(XTestQueryExtension(display, &unused, &unused, &unused, &unused));
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 30, 540, 440, 0,
                                     BlackPixel(display, 0), WhitePixel(display, 0));
        XMapWindow(display, parent);
        XSync(display, False);

        const LV2UI_Resize resize{&askedSize, recordResize};
        const LV2_Feature mapFeature{LV2_URID__map, urids.mapFeature()};
        const LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))};
        const LV2_Feature resizeFeature{LV2_UI__resize, const_cast<LV2UI_Resize*>(&resize)};
        const LV2_Feature* features[] = {&mapFeature, &parentFeature, &resizeFeature, nullptr};
        LV2UI_Widget widget = nullptr;
        handle = ui.descriptor->instantiate(ui.descriptor, kPluginUri, "", recordWrite, &writes, &widget, features);
        ASSERT_NE(handle, nullptr);
        editorWindow = static_cast<Window>(reinterpret_cast<std::uintptr_t>(widget));
        ASSERT_NE(editorWindow, 0u) << "the widget names the editor's X window";
        idleInterface = static_cast<const LV2UI_Idle_Interface*>(ui.descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idleInterface, nullptr);
    }

    void TearDown() override {
        if (handle != nullptr) {
            ui.descriptor->cleanup(handle);
        }
        XCloseDisplay(display);
    }

    void portEvent(std::uint32_t port, float value) { ui.descriptor->port_event(handle, port, sizeof value, 0, &value); }

    // Idles as a host does until what the server sent has had its effect.
    bool idleUntil(const std::function<bool()>& done) {
        for (int tick = 0; tick < 2500; ++tick) {
            EXPECT_EQ(idleInterface->idle(handle), 0);
            if (done()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    std::vector<unsigned char> windowPixels() {
        return readWindowPixels(display, editorWindow, kEditorWidth, kEditorHeight);
    }

    void pointerTo(int x, int y) { movePointerTo(display, editorWindow, x, y); }
    void leftButton(bool down) { pressLeftButton(display, down); }
    bool idleUntilWritten(std::uint32_t port, float value) {
        return idleUntil([&] {
            for (const RecordedWrite& write : writes) {
                if (write.port == port && write.protocol == 0 && std::memcmp(write.bytes.data(), &value, 4) == 0) {
                    return true;
                }
            }
            return false;
        });
    }
    bool idleUntilWriteCount(std::size_t count) {
        return idleUntil([&] { return writes.size() >= count; });
    }

    XvfbServer server;
    Display* display;
    Lv2World world;
    LoadedUi ui;
    UridTable urids;
    Window parent = 0;
    Window editorWindow = 0;
    AskedSize askedSize;
    std::vector<RecordedWrite> writes;
    LV2UI_Handle handle = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
};

// The golden frame's state (tests/unit/editor_golden_frame_test.cpp), told
// through ports: every parameter, the moving targets the sound reports,
// each axis's output and modulator 0 amount, and F's Y overshoot knob
// pressed.
TEST_F(Lv2Ui, ShowsTheVst2EditorsPictureOfTheSameValues) {
    EXPECT_EQ(askedSize.width, kEditorWidth);
    EXPECT_EQ(askedSize.height, kEditorHeight);
    for (std::int32_t index = 0; index < NumParams; ++index) {
        portEvent(lv2_ports::kFirstControl + static_cast<std::uint32_t>(index),
                  static_cast<float>((index * 37) % 90) / 89.0f);
    }
    const float outputs[kNumAxes] = {0.25f, 0.8f, 1.3f, 0.1f, 0.55f, 0.62f}; // by AxisIndex
    const float amounts[kNumAxes] = {0.3f, 0.9f, 0.0f, 1.0f, 0.45f, 0.2f};
    for (int slot = 0; slot < kNumAxes; ++slot) {
        const AxisBinding& binding = kParameterOrder[slot];
        const auto port = static_cast<std::uint32_t>(slot);
        portEvent(lv2_ports::kFirstTarget + port, static_cast<float>((binding.firstParameter * 37) % 90) / 89.0f);
        portEvent(lv2_ports::kFirstAxisOutput + port, outputs[binding.axis]);
        portEvent(lv2_ports::kFirstModulationAmount + port, amounts[binding.axis]);
    }
    pointerTo(167 + 71 + 13, 289 + 13);
    leftButton(true);

    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* golden = stbi_load(kGolden.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(golden, nullptr);
    const std::vector<unsigned char> expected(golden, golden + static_cast<std::size_t>(width) * height * 3);
    stbi_image_free(golden);
    EXPECT_TRUE(idleUntil([&] { return windowPixels() == expected; }))
        << "the window never showed the golden frame";
    leftButton(false);
    EXPECT_TRUE(idleUntilWriteCount(kNumAxes));
    EXPECT_EQ(writes.size(), static_cast<std::size_t>(kNumAxes))
        << "a knob press writes no parameter; the release lets go of every axis";
    for (const RecordedWrite& write : writes) {
        EXPECT_EQ(write.port, lv2_ports::kEvents);
        EXPECT_EQ(write.protocol, urids.map(LV2_ATOM__eventTransfer));
    }
}

// A host forwards the UI's writes: control values into the ports, messages
// onto the events port. Compared with an instance that got none of them.
TEST_F(Lv2Ui, PadAndKnobGesturesReachTheSound) {
    Lv2Instance played(world, urids, 44100.0);
    Lv2Instance untouched(world, urids, 44100.0);
    ASSERT_TRUE(played.valid() && untouched.valid());
    played.activate();
    untouched.activate();
    const auto forward = [&] {
        for (const RecordedWrite& write : writes) {
            if (write.protocol == 0) {
                ASSERT_EQ(write.bytes.size(), sizeof(float));
                std::memcpy(&played.port(write.port), write.bytes.data(), sizeof(float));
            } else {
                ASSERT_EQ(write.port, lv2_ports::kEvents);
                played.queueAtom(0, *reinterpret_cast<const LV2_Atom*>(write.bytes.data()));
            }
        }
        writes.clear();
    };

    // Drag M's XY pad from one point to another and hold it there.
    const ControlRect pad = padArea(kXyPad, 0);
    pointerTo(pad.x + 40, pad.y + 50);
    leftButton(true);
    ASSERT_TRUE(idleUntilWritten(lv2_ports::kFirstControl + MXTargetPos, padValues(kXyPad, 0, pad.x + 40, 0).x));
    pointerTo(pad.x + 120, pad.y + 30);
    const PadValues held = padValues(kXyPad, 0, pad.x + 120, pad.y + 30);
    ASSERT_TRUE(idleUntilWritten(lv2_ports::kFirstControl + MYTargetPos, held.y));
    forward();
    played.run(256);
    untouched.run(256);
    EXPECT_EQ(played.port(lv2_ports::kFirstControl + MXTargetPos), held.x);
    EXPECT_EQ(played.port(lv2_ports::kFirstControl + MYTargetPos), held.y);
    // The held axes took the pad's values as their targets, which the sound
    // reports back: MY and MX are the first two in parameter order.
    EXPECT_EQ(played.port(lv2_ports::kFirstTarget + 0), held.y);
    EXPECT_EQ(played.port(lv2_ports::kFirstTarget + 1), held.x);
    EXPECT_NE(std::memcmp(played.left().data(), untouched.left().data(), 256 * sizeof(float)), 0);

    // Letting go releases the axes: a host's TargetPos write no longer
    // moves a target, as it did while the pad held it.
    leftButton(false);
    ASSERT_TRUE(idleUntilWriteCount(kNumAxes));
    forward();
    played.port(lv2_ports::kFirstControl + MYTargetPos) = 0.9f;
    played.run(64);
    EXPECT_EQ(played.port(lv2_ports::kFirstTarget + 0), held.y);

    // A knob drag (M's X rate, the first knob) changes its port.
    const float rateBefore = played.port(lv2_ports::kFirstControl + MXRate);
    const std::int32_t knob = 0 * kControlsPerColumn + 2;
    ASSERT_EQ(controlParams[knob], MXRate);
    pointerTo(controlRects[knob].x + 10, controlRects[knob].y + 10);
    leftButton(true);
    pointerTo(controlRects[knob].x + 10, controlRects[knob].y - 20);
    ASSERT_TRUE(idleUntil([&] { return !writes.empty(); }));
    leftButton(false);
    ASSERT_TRUE(idleUntilWriteCount(1 + kNumAxes));
    forward();
    EXPECT_GT(played.port(lv2_ports::kFirstControl + MXRate), rateBefore);
}

} // namespace
