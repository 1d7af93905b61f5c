// quorvane-render with Quorvane itself: the bare command and a note.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <set>
#include <string>

#include "audio_measure.h"
#include "host/demo_performance.h"
#include "shell/vst2.h"
#include "render_command.h"
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
    if (peakOf(demo) == 0.0) {
        GTEST_SKIP() << "Quorvane renders silence: its engine has not landed yet";
    }
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
    if (peakOf(a4) == 0.0) {
        GTEST_SKIP() << "Quorvane renders silence: its engine has not landed yet";
    }
    // Once the pitch axis has settled, well before the delay's first echo.
    EXPECT_NEAR(frequencyOf(a4, 44100, 88200), 440.0, 0.5);
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
    if (names.empty()) {
        GTEST_SKIP() << "Quorvane does not name its parameters yet";
    }
    for (const DemoSetting& s : demoSettings()) {
        EXPECT_EQ(names.count(s.name), 1u) << s.name;
    }
    for (const DemoAutomation& a : demoAutomation()) {
        EXPECT_EQ(names.count(a.name), 1u) << a.name;
    }
}

} // namespace
