// quorvane-render with Quorvane itself: the bare command and a note.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <set>
#include <string>

#include <stb_image.h>

#include "audio_measure.h"
#include "host/demo_performance.h"
#include "render_command.h"
#include "vst2/vst2.h"
#include "smf_builder.h"

namespace {

TEST(QuorvaneRender, BareCommandWritesTheDemoBesideWhereItRuns) {
    ScratchDir scratch;
    const CommandResult result = scratch.run({});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioData demo = readAudioFile(scratch.path("quorvane-demo.wav"));
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.sampleRate, 44100);
    // The last note-off at 9.6 s, then the 2 s tail.
    EXPECT_EQ(demo.frames(), std::llround(9.6 * 44100) + 2 * 44100);
    EXPECT_EQ(result.out.rfind("Rendered 11.60 s to quorvane-demo.wav (2 ch, 44100 Hz, float): peak ", 0), 0u)
        << result.out;
    EXPECT_GT(rmsOf(demo, 0, 0, demo.frames()), 0.01);
    for (float s : demo.samples) {
        ASSERT_TRUE(std::isfinite(s));
    }
}

TEST(QuorvaneRender, Note69SoundsAt440Hz) {
    ScratchDir scratch;
    Track t;
    t.event(0, {0x90, 69, 100}).event(1920, {0x80, 69, 0}).end(); // two seconds at 120 BPM
    writeBytes(scratch.path("a4.mid"), midiFile(0, 480, {t}));
    const CommandResult result = scratch.run({"--midi", "a4.mid", "-o", "a4.wav", "--tail", "0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const AudioData a4 = readAudioFile(scratch.path("a4.wav"));
    ASSERT_EQ(a4.frames(), 2 * 44100 + 1);
    // Once the pitch axis has settled, well before the delay's first echo.
    EXPECT_NEAR(frequencyOf(a4, 44100, 88200), 440.0, 0.5);
}

// The target mark's top wedge: row 0, column 4 of the 9 x 9 mark, which is
// drawn from (trunc(1 + 160 × MXTargetPos), trunc(1 + 200 × MYTargetPos)).
bool targetMarkTipIsWhite(const std::string& png, double pitchTarget, double levelTarget) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgb = stbi_load(png.c_str(), &width, &height, &channels, 3);
    EXPECT_NE(rgb, nullptr) << png;
    if (rgb == nullptr) {
        return false;
    }
    EXPECT_EQ(width, 500);
    EXPECT_EQ(height, 420);
    const int x = static_cast<int>(1 + 160 * levelTarget) + 4;
    const int y = static_cast<int>(1 + 200 * pitchTarget);
    const stbi_uc* pixel = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
    const bool white = pixel[0] == 255 && pixel[1] == 255 && pixel[2] == 255;
    stbi_image_free(rgb);
    return white;
}

TEST(QuorvaneRender, EditorPictureShowsWhereTheRenderLeftTheAxes) {
    ScratchDir scratch;
    Track t;
    t.event(0, {0x90, 81, 127}).event(960, {0x80, 81, 0}).end();
    writeBytes(scratch.path("e5.mid"), midiFile(0, 480, {t}));
    const CommandResult result =
        scratch.run({"--midi", "e5.mid", "-o", "e5.wav", "--tail", "0.1", "--editor-png", "e5.png"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Note 81 at full velocity: pitch target 60/96, level target 1.
    EXPECT_TRUE(targetMarkTipIsWhite(scratch.path("e5.png"), 0.625, 1.0));
    EXPECT_FALSE(targetMarkTipIsWhite(scratch.path("e5.png"), 0.5, 1.0));
}

TEST(QuorvaneRender, EditorPictureFromAPlugInWithoutOneIsRefusedBeforeRendering) {
    ScratchDir scratch;
    const CommandResult result = scratch.run({"--plugin", RECORDING_PLUGIN, "--editor-png", "x.png"});
    EXPECT_NE(result.exitCode, 0);
    ASSERT_EQ(result.errorLines().size(), 1u) << result.err;
    EXPECT_NE(result.err.find("gives no picture of its editor"), std::string::npos) << result.err;
    EXPECT_TRUE(scratch.files().size() <= 2u) << "nothing but the captured output streams";
    for (const std::string& name : scratch.files()) {
        EXPECT_EQ(name[0], '.') << name;
    }
}

// The demo writes Quorvane's parameters by name; a name Quorvane does not
// have would silently drop the write.
TEST(QuorvaneRender, DemoNamesAreQuorvaneParameters) {
    void* library = dlopen(QUORVANE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "VSTPluginMain"));
    ASSERT_NE(entry, nullptr);
    AEffect* fx = entry([](AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) -> VstIntPtr {
        return opcode == audioMasterVersion ? 2400 : 0;
    });
    ASSERT_NE(fx, nullptr);
    std::set<std::string> names;
    for (int i = 0; i < fx->numParams; ++i) {
        char name[256] = {};
        fx->dispatcher(fx, effGetParamName, i, 0, name, 0.0f);
        if (name[0] != '\0') {
            names.insert(name);
        }
    }
    fx->dispatcher(fx, effClose, 0, 0, nullptr, 0.0f);
    dlclose(library);
    ASSERT_FALSE(names.empty());
    for (const DemoSetting& s : demoSettings()) {
        EXPECT_EQ(names.count(s.name), 1u) << s.name;
    }
    for (const DemoAutomation& a : demoAutomation()) {
        EXPECT_EQ(names.count(a.name), 1u) << a.name;
    }
}

} // namespace
