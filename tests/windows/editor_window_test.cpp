// The editor in a real window: the DLL's editor opened through the
// dispatcher into a window of ours, played with real mouse messages, and
// what the window shows compared pixel for pixel with the frames that the
// software window layer presents for the same state.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "editor/xplat_software.h"
#include "editor/xplat_win32_messages.h"
#include "host_window.h"
#include "loaded_dll.h"
#include "tests/support/editor_harness.h"

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 420;
constexpr VstInt32 kBlockSize = 512;

using Automation = std::pair<VstInt32, float>;

std::vector<Automation> automationsOf(const RecordingHost& host, const AEffect* effect) {
    std::vector<Automation> automations;
    for (const HostCall& call : host.calls) {
        if (call.opcode == audioMasterAutomate && call.effect == effect) {
            automations.emplace_back(call.index, call.opt);
        }
    }
    return automations;
}

// A 24-bit bottom-up bitmap file, for looking at a difference.
void writeBitmapFile(const std::string& path, const std::vector<std::uint8_t>& rgb) {
    const std::uint32_t stride = (kWidth * 3 + 3) & ~3u;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * kHeight;
    info.biSize = sizeof info;
    info.biWidth = kWidth;
    info.biHeight = kHeight;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return;
    }
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<std::uint8_t> row(stride);
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t* pixel = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            row[x * 3] = pixel[2];
            row[x * 3 + 1] = pixel[1];
            row[x * 3 + 2] = pixel[0];
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    std::fclose(out);
}

// On a difference both pictures are left in the working directory.
void expectSamePixels(const std::vector<std::uint8_t>& shown, const std::vector<std::uint8_t>& expected,
                      const std::string& moment) {
    ASSERT_EQ(shown.size(), expected.size()) << moment;
    if (shown == expected) {
        return;
    }
    int differing = 0;
    std::size_t first = 0;
    for (std::size_t pixel = 0; pixel < shown.size() / 3; ++pixel) {
        if (std::equal(&shown[pixel * 3], &shown[pixel * 3 + 3], &expected[pixel * 3])) {
            continue;
        }
        first = differing++ == 0 ? pixel : first;
    }
    writeBitmapFile(moment + ".window.bmp", shown);
    writeBitmapFile(moment + ".expected.bmp", expected);
    ADD_FAILURE() << moment << ": " << differing << " pixels differ, the first at (" << first % kWidth << ", "
                  << first / kWidth << "); see " << moment << ".window.bmp and " << moment << ".expected.bmp";
}

// The DLL's editor in a window of ours, and its twin on the software window
// layer in this program; every step is done to both.
class EditorInAWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dll.entry, nullptr);
        effect = dll.entry(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
        twin = reference.plugin->getAeffect();
        for (AEffect* instance : {effect, twin}) {
            dispatch(instance, effSetBlockSizeAndSampleRate, 0, kBlockSize, nullptr, 44100.0f);
            dispatch(instance, effMainsChanged, 0, 1);
        }
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, host.handle()), 1);
        child = host.editorWindow();
        ASSERT_NE(child, nullptr);
        pumpMessages();
        reference.host.calls.clear();
    }
    void TearDown() override {
        if (effect != nullptr) {
            EXPECT_EQ(dispatch(effect, effEditClose), 0);
            EXPECT_EQ(host.editorWindow(), nullptr) << "closing the editor leaves its window behind";
            EXPECT_EQ(dispatch(effect, effClose), 1);
        }
    }

    // Posted to the child window and dispatched by our message loop, as the
    // system delivers mouse input; the twin gets the same position.
    void mouse(UINT message, int x, int y) {
        const LPARAM position = MAKELPARAM(x, y);
        PostMessageA(child, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, position);
        pumpMessages();
        xplatSoftwareSendMessage(reference.editor->platformWindow(), xplatMessageOf(message),
                                 static_cast<std::uint32_t>(position));
    }
    void playBlocks(int count) {
        std::vector<float> left(kBlockSize), right(kBlockSize);
        float* outputs[2] = {left.data(), right.data()};
        for (int block = 0; block < count; ++block) {
            effect->processReplacing(effect, nullptr, outputs, kBlockSize);
            twin->processReplacing(twin, nullptr, outputs, kBlockSize);
        }
    }
    void idle() {
        dispatch(effect, effEditIdle);
        dispatch(twin, effEditIdle);
    }
    void expectWindowShowsTwin(const std::string& moment) {
        expectSamePixels(readWindowPixels(child, kWidth, kHeight), reference.lastFrame.bytes, moment);
    }

    LoadedDll dll;
    // Made once the DLL is loaded, whose resources it draws with; its host
    // is the one that both instances call.
    EditorHarness reference;
    HostWindow& host = HostWindow::shared();
    AEffect* effect = nullptr;
    AEffect* twin = nullptr;
    HWND child = nullptr;
};

TEST_F(EditorInAWindow, IsA500By420ChildAtTheTopLeftOfTheHostsWindow) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    EXPECT_STREQ(className, "ZuWinQuorvane");
    char title[64] = {};
    GetWindowTextA(child, title, sizeof title);
    EXPECT_STREQ(title, "PlugClientArea");
    EXPECT_EQ(GetParent(child), host.handle());
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & (WS_CHILD | WS_VISIBLE | WS_POPUP),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    RECT client{};
    GetClientRect(child, &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
    POINT origin{0, 0};
    MapWindowPoints(child, host.handle(), &origin, 1);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);

    // What open painted, before any idle call of ours.
    dispatch(twin, effEditIdle);
    expectWindowShowsTwin("after_open");
}

TEST_F(EditorInAWindow, APadDragAutomatesTheAxesAndTheWindowFollowsIt) {
    mouse(WM_LBUTTONDOWN, 45, 65); // oscillator pad: X 40/160, Y 60/200
    EXPECT_EQ(GetCapture(), child);
    const std::vector<Automation> press = automationsOf(reference.host, effect);
    ASSERT_EQ(press.size(), 2u);
    EXPECT_EQ(press[0], Automation(14, 0.25f)); // MXTargetPos first
    EXPECT_EQ(press[1].first, 0);               // then MYTargetPos
    EXPECT_FLOAT_EQ(press[1].second, 0.3f);

    mouse(WM_MOUSEMOVE, 125, 145);
    mouse(WM_MOUSEMOVE, 13000, 100); // far right: still a positive position
    EXPECT_EQ(effect->getParameter(effect, 14), 1.0f);
    mouse(WM_MOUSEMOVE, 13001, 100); // wraps round: left of the window
    EXPECT_EQ(effect->getParameter(effect, 14), 0.0f);
    mouse(WM_MOUSEMOVE, -20, 300); // captured, below and left of the pad
    expectWindowShowsTwin("pad_dragged");
    mouse(WM_LBUTTONUP, -20, 300);
    EXPECT_EQ(GetCapture(), nullptr);

    EXPECT_EQ(effect->getParameter(effect, 14), 0.0f);
    EXPECT_EQ(effect->getParameter(effect, 0), 1.0f);
    const std::vector<Automation> drag = automationsOf(reference.host, effect);
    EXPECT_EQ(drag.size(), 10u); // two per press and per move, none for the release
    EXPECT_EQ(drag, automationsOf(reference.host, twin));

    // The axes spring towards the pad's corner and, released, drift back;
    // idle repaints show where they are.
    playBlocks(12);
    idle();
    expectWindowShowsTwin("axes_moving");
}

TEST_F(EditorInAWindow, AKnobDragShowsTheBlueMarkAndAPaintMessageRepaints) {
    const float rateBefore = effect->getParameter(effect, 15); // MXRate
    mouse(WM_LBUTTONDOWN, 5 + 25 + 13, 258 + 13);
    mouse(WM_MOUSEMOVE, 5 + 25 + 13, 258 + 13 - 10);
    EXPECT_NEAR(effect->getParameter(effect, 15), rateBefore + 0.07f, 1e-6f);
    expectWindowShowsTwin("knob_pressed");
    mouse(WM_LBUTTONUP, 5 + 25 + 13, 258 + 13 - 10);
    EXPECT_EQ(automationsOf(reference.host, effect), automationsOf(reference.host, twin));

    // A parameter write alone repaints nothing; the paint message does,
    // after the default handling has filled the window with the class brush.
    effect->setParameter(effect, 44, 0.9f); // FXTargetPos
    twin->setParameter(twin, 44, 0.9f);
    InvalidateRect(child, nullptr, TRUE);
    UpdateWindow(child);
    xplatSoftwareSendMessage(reference.editor->platformWindow(), XplatMessage::paint, 0);
    expectWindowShowsTwin("after_paint_message");
}

// GetDC(NULL) is the whole screen: an editor that got no parent window must
// not paint its panel there.
TEST(EditorWithoutAParent, OpensButDrawsNowhere) {
    RecordingHost recorder;
    LoadedDll dll;
    ASSERT_NE(dll.entry, nullptr);
    AEffect* effect = dll.entry(RecordingHost::callback);
    ASSERT_NE(effect, nullptr);
    const HDC screen = GetDC(nullptr);
    PatBlt(screen, 0, 0, kWidth, kHeight, BLACKNESS);
    ReleaseDC(nullptr, screen);
    const std::vector<std::uint8_t> before = readWindowPixels(nullptr, kWidth, kHeight);
    ASSERT_EQ(before, std::vector<std::uint8_t>(before.size(), 0)) << "the screen cannot be read back";

    EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, nullptr), 1);
    EXPECT_EQ(FindWindowExA(nullptr, nullptr, "ZuWinQuorvane", nullptr), nullptr);
    dispatch(effect, effEditIdle);
    pumpMessages();
    expectSamePixels(readWindowPixels(nullptr, kWidth, kHeight), before, "screen_after_parentless_idle");
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

} // namespace
