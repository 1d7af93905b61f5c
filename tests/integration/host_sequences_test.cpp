// Hosts differ in what they send and when; the plug-in must not care.
#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "loaded_plugin.h"
#include "tests/support/recording_host.h"

namespace {

// Output buffers with a guard zone after the frames the plug-in may write.
class GuardedOutputs {
public:
    static constexpr float kGuard = 12345.0f;
    static constexpr int kGuardFrames = 16;

    explicit GuardedOutputs(int frames)
        : frames(frames), left(frames + kGuardFrames, kGuard), right(frames + kGuardFrames, kGuard) {}

    float** channels() {
        pointers[0] = left.data();
        pointers[1] = right.data();
        return pointers;
    }
    bool guardsIntact() const {
        for (int i = frames; i < frames + kGuardFrames; ++i) {
            if (left[i] != kGuard || right[i] != kGuard) {
                return false;
            }
        }
        return true;
    }
    bool framesFiniteAndEqual() const {
        for (int i = 0; i < frames; ++i) {
            if (!std::isfinite(left[i]) || left[i] != right[i]) {
                return false;
            }
        }
        return true;
    }

private:
    int frames;
    std::vector<float> left, right;
    float* pointers[2] = {};
};

TEST(HostSequences, EveryVersionAnswerAHostGivesMakesAnInstance) {
    LoadedPlugin library;
    for (VstIntPtr version : {2, 2300, 2400}) {
        RecordingHost host;
        host.answer = [version](const HostCall& call) { return call.opcode == audioMasterVersion ? version : 0; };
        AEffect* effect = library.entry("VSTPluginMain")(RecordingHost::callback);
        ASSERT_NE(effect, nullptr) << version;
        EXPECT_EQ(dispatch(effect, effClose), 1);
    }
}

TEST(HostSequences, MainsOffBeforeOnAndOnTwiceInARow) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    host.calls.clear();
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effMainsChanged, 0, 1);
    dispatch(effect, effMainsChanged, 0, 1);
    EXPECT_EQ(host.count(audioMasterWantMidi), 2);
    GuardedOutputs out(64);
    effect->processReplacing(effect, nullptr, out.channels(), 64);
    EXPECT_TRUE(out.guardsIntact());
    dispatch(effect, effMainsChanged, 0, 0);
    dispatch(effect, effMainsChanged, 0, 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST(HostSequences, EditorIdleAndCloseWithoutAnOpenEditor) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(dispatch(effect, effEditIdle), 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST(HostSequences, RatesAndBlockSizesChangingBetweenCalls) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    dispatch(effect, effMainsChanged, 0, 1);
    const float rates[] = {88200.0f, 44100.0f, 96000.0f, 48000.0f, 22050.0f, 192000.0f};
    const int sizes[] = {1, 4096, 7, 512, 0, 33, 2048, 1, 4096};
    int call = 0;
    for (float rate : rates) {
        dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
        for (int frames : sizes) {
            dispatch(effect, effSetBlockSize, 0, frames);
            GuardedOutputs out(frames);
            if (++call % 2 == 0) {
                effect->process(effect, nullptr, out.channels(), frames);
            } else {
                effect->processReplacing(effect, nullptr, out.channels(), frames);
            }
            ASSERT_TRUE(out.guardsIntact()) << rate << " Hz, " << frames << " frames";
            ASSERT_TRUE(out.framesFiniteAndEqual()) << rate << " Hz, " << frames << " frames";
        }
    }
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST(HostSequences, MainsSwitchedFromTheAudioThread) {
    LoadedPlugin library;
    RecordingHost host;
    AEffect* effect = library.entry("main")(RecordingHost::callback);
    dispatch(effect, effSetBlockSize, 0, 128);
    std::thread audio([effect] {
        dispatch(effect, effMainsChanged, 0, 1);
        for (int block = 0; block < 50; ++block) {
            GuardedOutputs out(128);
            effect->processReplacing(effect, nullptr, out.channels(), 128);
        }
        dispatch(effect, effMainsChanged, 0, 0);
    });
    audio.join();
    EXPECT_EQ(host.count(audioMasterWantMidi), 2);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

} // namespace
