// The USER and GDI calls behind the DLL's editor, as its import table sees
// them: which calls, in which order, with which device contexts, for how
// long, and with which raster operations.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "host_window.h"
#include "loaded_dll.h"
#include "tests/support/recording_host.h"
#include "window_call_log.h"

namespace {

constexpr std::uintptr_t kPanel = 101;
constexpr std::uintptr_t kTargetMark = 129;
constexpr std::uintptr_t kTargetMask = 130;
constexpr std::uintptr_t kPointMark = 142;
constexpr std::uintptr_t kMarkMask = 143;
constexpr std::uintptr_t kKnobMarkActive = 144;
constexpr std::uintptr_t kKnobMarkIdle = 145;

std::uintptr_t word(const void* handle) { return reinterpret_cast<std::uintptr_t>(handle); }

std::vector<WindowCall> callsOf(std::initializer_list<const char*> functions) {
    std::vector<WindowCall> kept;
    for (const WindowCall& call : windowCalls()) {
        if (std::any_of(functions.begin(), functions.end(), [&](const char* f) { return call.function == f; })) {
            kept.push_back(call);
        }
    }
    return kept;
}

// Reads the log one call at a time, failing the test where it differs.
class CallReader {
public:
    explicit CallReader(std::vector<WindowCall> calls) : calls(std::move(calls)) {}
    const WindowCall& next(const char* function) {
        static const WindowCall missing{"", std::vector<std::uintptr_t>(12, 0), 0, {}};
        if (at >= calls.size()) {
            ADD_FAILURE() << "expected " << function << " after the last call";
            return missing;
        }
        const WindowCall& call = calls[at++];
        EXPECT_EQ(call.function, function) << "call " << at - 1;
        return call.function == function ? call : missing;
    }
    bool done() const { return at == calls.size(); }

private:
    std::vector<WindowCall> calls;
    std::size_t at = 0;
};

struct Editor {
    HWND window = nullptr;
    std::uintptr_t backBuffer = 0;
    std::map<std::uintptr_t, std::uintptr_t> resourceOf; // bitmap handle -> resource id
};

// One copy into the back buffer: the window's device context, two memory
// contexts made from it, the back buffer into the first, each source into
// the second before its BitBlt, everything put back, deleted and released.
// Answers the resource ids of the sources and the copies made.
std::vector<std::uintptr_t> readBackBufferCopy(CallReader& reader, const Editor& editor,
                                               std::initializer_list<DWORD> operations,
                                               std::vector<WindowCall>& blits) {
    const WindowCall& windowDc = reader.next("GetDC");
    EXPECT_EQ(windowDc.arguments[0], word(editor.window));
    const WindowCall& backDc = reader.next("CreateCompatibleDC");
    const WindowCall& sourceDc = reader.next("CreateCompatibleDC");
    EXPECT_EQ(backDc.arguments[0], windowDc.result);
    EXPECT_EQ(sourceDc.arguments[0], windowDc.result);
    const WindowCall& selectBackBuffer = reader.next("SelectObject");
    EXPECT_EQ(selectBackBuffer.arguments, std::vector<std::uintptr_t>({backDc.result, editor.backBuffer}));
    std::vector<std::uintptr_t> sources;
    std::uintptr_t sourceDcHeld = 0;
    for (DWORD operation : operations) {
        const WindowCall& select = reader.next("SelectObject");
        EXPECT_EQ(select.arguments[0], sourceDc.result);
        sourceDcHeld = sourceDcHeld == 0 ? select.result : sourceDcHeld;
        const auto id = editor.resourceOf.find(select.arguments[1]);
        sources.push_back(id != editor.resourceOf.end() ? id->second : 0);
        const WindowCall& blit = reader.next("BitBlt");
        EXPECT_EQ(blit.arguments[0], backDc.result);
        EXPECT_EQ(blit.arguments[5], sourceDc.result);
        EXPECT_EQ(blit.arguments[8], operation);
        blits.push_back(blit);
    }
    // Both memory contexts get back what they held, in either order.
    const std::set<std::vector<std::uintptr_t>> restored = {reader.next("SelectObject").arguments,
                                                            reader.next("SelectObject").arguments};
    EXPECT_EQ(restored, (std::set<std::vector<std::uintptr_t>>{{sourceDc.result, sourceDcHeld},
                                                                {backDc.result, selectBackBuffer.result}}));
    const std::set<std::uintptr_t> deleted = {reader.next("DeleteDC").arguments[0],
                                              reader.next("DeleteDC").arguments[0]};
    EXPECT_EQ(deleted, (std::set<std::uintptr_t>{backDc.result, sourceDc.result}));
    EXPECT_EQ(reader.next("ReleaseDC").arguments, std::vector<std::uintptr_t>({word(editor.window), windowDc.result}));
    return sources;
}

// The present: the window's own device context (not BeginPaint's), one
// memory context holding the back buffer, one SRCCOPY of the whole panel.
void readPresent(CallReader& reader, const Editor& editor) {
    const WindowCall& windowDc = reader.next("GetDC");
    EXPECT_EQ(windowDc.arguments[0], word(editor.window));
    const WindowCall& backDc = reader.next("CreateCompatibleDC");
    EXPECT_EQ(backDc.arguments[0], windowDc.result);
    const WindowCall& select = reader.next("SelectObject");
    EXPECT_EQ(select.arguments, std::vector<std::uintptr_t>({backDc.result, editor.backBuffer}));
    EXPECT_EQ(reader.next("BitBlt").arguments,
              std::vector<std::uintptr_t>({windowDc.result, 0, 0, 500, 420, backDc.result, 0, 0, SRCCOPY}));
    EXPECT_EQ(reader.next("SelectObject").arguments, std::vector<std::uintptr_t>({backDc.result, select.result}));
    EXPECT_EQ(reader.next("DeleteDC").arguments[0], backDc.result);
    EXPECT_EQ(reader.next("ReleaseDC").arguments, std::vector<std::uintptr_t>({word(editor.window), windowDc.result}));
}

// A whole repaint: the panel, 45 marks, the present. Answers the image of
// every mark in drawing order.
std::vector<std::uintptr_t> readRepaint(CallReader& reader, const Editor& editor) {
    std::vector<WindowCall> blits;
    EXPECT_EQ(readBackBufferCopy(reader, editor, {SRCCOPY}, blits), std::vector<std::uintptr_t>{kPanel});
    EXPECT_EQ(blits.back().arguments, std::vector<std::uintptr_t>(
                                          {blits.back().arguments[0], 0, 0, 500, 420, blits.back().arguments[5], 0, 0,
                                           SRCCOPY}));
    std::vector<std::uintptr_t> images;
    for (int mark = 0; mark < 45; ++mark) {
        blits.clear();
        const std::vector<std::uintptr_t> sources = readBackBufferCopy(reader, editor, {SRCAND, SRCPAINT}, blits);
        // Mask, then image, both to the same place from the same corner.
        EXPECT_EQ(sources[0], sources[1] == kTargetMark ? kTargetMask : kMarkMask);
        images.push_back(sources[1]);
        EXPECT_TRUE(std::equal(blits[0].arguments.begin() + 1, blits[0].arguments.begin() + 5,
                               blits[1].arguments.begin() + 1));
        EXPECT_EQ(blits[0].arguments[6], 0u);
        EXPECT_EQ(blits[0].arguments[7], 0u);
    }
    readPresent(reader, editor);
    return images;
}

std::vector<std::uintptr_t> marksWithKnobs(std::uintptr_t knobMark) {
    std::vector<std::uintptr_t> marks = {kTargetMark, kPointMark, kTargetMark, kPointMark, kTargetMark,
                                         kPointMark,  kPointMark, kPointMark,  kPointMark};
    marks.insert(marks.end(), 36, knobMark);
    return marks;
}

class EditorWindowCalls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(dll.module, nullptr);
        ASSERT_EQ(recordWindowCalls(dll.module), 16) << "the DLL does not import every function recorded";
        windowCalls().clear();
        recorder.answer = [](const HostCall& call) -> VstIntPtr {
            if (call.opcode == audioMasterAutomate) {
                noteHostCall("audioMasterAutomate", static_cast<std::uintptr_t>(call.index));
            }
            return call.opcode == audioMasterVersion ? 2400 : 0;
        };
        effect = dll.entry(RecordingHost::callback);
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect != nullptr) {
            dispatch(effect, effClose);
        }
    }
    // Opens the editor and learns its handles from the calls that made them.
    Editor open() {
        Editor editor;
        for (const WindowCall& call : callsOf({"LoadBitmapA"})) {
            editor.resourceOf[call.result] = call.arguments[1];
        }
        windowCalls().clear();
        EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, host.handle()), 1);
        editor.window = host.editorWindow();
        const std::vector<WindowCall> made = callsOf({"CreateCompatibleBitmap"});
        EXPECT_EQ(made.size(), 1u);
        editor.backBuffer = made.empty() ? 0 : made[0].result;
        return editor;
    }

    RecordingHost recorder;
    LoadedDll dll;
    HostWindow& host = HostWindow::shared();
    AEffect* effect = nullptr;
};

TEST_F(EditorWindowCalls, BitmapsLoadFromTheModuleByIntegerIdentifier) {
    const std::vector<WindowCall> loads = callsOf({"LoadBitmapA"});
    std::vector<std::uintptr_t> ids;
    for (const WindowCall& load : loads) {
        EXPECT_EQ(load.arguments[0], word(dll.module));
        EXPECT_NE(load.result, 0u) << "bitmap " << load.arguments[1] << " is missing from the resources";
        ids.push_back(load.arguments[1]);
    }
    EXPECT_EQ(ids, std::vector<std::uintptr_t>(
                       {kPanel, kTargetMark, kTargetMask, kKnobMarkActive, kKnobMarkIdle, kPointMark, kMarkMask}));

    windowCalls().clear();
    ASSERT_EQ(dispatch(effect, effClose), 1);
    effect = nullptr;
    std::set<std::uintptr_t> deleted, loaded;
    for (const WindowCall& call : callsOf({"DeleteObject"})) {
        deleted.insert(call.arguments[0]);
    }
    for (const WindowCall& load : loads) {
        loaded.insert(load.result);
    }
    EXPECT_EQ(deleted, loaded);
}

TEST_F(EditorWindowCalls, OpenMakesTheChildAndItsBackBufferThenPaints) {
    const Editor editor = open();
    ASSERT_NE(editor.window, nullptr);
    CallReader reader(callsOf({"CreateWindowExA", kSetUserData, "GetDC", "ReleaseDC", "CreateCompatibleBitmap",
                               "CreateCompatibleDC", "DeleteDC", "SelectObject", "BitBlt"}));
    const WindowCall& create = reader.next("CreateWindowExA");
    EXPECT_EQ(create.text, "ZuWinQuorvane|PlugClientArea");
    EXPECT_EQ(create.arguments, std::vector<std::uintptr_t>({0, WS_CHILD | WS_VISIBLE, 0, 0, 500, 420,
                                                             word(host.handle()), 0, word(dll.module), 0}));
    EXPECT_EQ(create.result, word(editor.window));
    const WindowCall& userData = reader.next(kSetUserData);
    EXPECT_EQ(userData.arguments[0], word(editor.window));
    EXPECT_EQ(userData.arguments[1], static_cast<std::uintptr_t>(GWLP_USERDATA));
    EXPECT_NE(userData.arguments[2], 0u);
    EXPECT_EQ(static_cast<std::uintptr_t>(GetWindowLongPtrA(editor.window, GWLP_USERDATA)), userData.arguments[2])
        << "the editor's address did not survive whole";
    const WindowCall& windowDc = reader.next("GetDC");
    EXPECT_EQ(windowDc.arguments[0], word(editor.window));
    EXPECT_EQ(reader.next("CreateCompatibleBitmap").arguments,
              std::vector<std::uintptr_t>({windowDc.result, 500, 420}));
    EXPECT_EQ(reader.next("ReleaseDC").arguments, std::vector<std::uintptr_t>({word(editor.window), windowDc.result}));
    EXPECT_EQ(readRepaint(reader, editor), marksWithKnobs(kKnobMarkIdle));
    EXPECT_TRUE(reader.done());
}

TEST_F(EditorWindowCalls, IdleRepaintsWithTransientDeviceContexts) {
    const Editor editor = open();
    pumpMessages();
    windowCalls().clear();
    dispatch(effect, effEditIdle);
    CallReader reader(windowCalls());
    EXPECT_EQ(readRepaint(reader, editor), marksWithKnobs(kKnobMarkIdle));
    EXPECT_TRUE(reader.done());
}

TEST_F(EditorWindowCalls, TheWindowProcedureHandlesDefaultFirstAndCapturesFromPressToRelease) {
    const Editor editor = open();
    pumpMessages();
    const auto messages = [&] {
        std::vector<std::string> seen;
        for (const WindowCall& call :
             callsOf({"DefWindowProcA", kGetUserData, "SetCapture", "ReleaseCapture", "audioMasterAutomate"})) {
            const bool mouse = call.function != "DefWindowProcA" || call.arguments[1] == WM_LBUTTONDOWN ||
                               call.arguments[1] == WM_MOUSEMOVE || call.arguments[1] == WM_LBUTTONUP;
            if (mouse) {
                seen.push_back(call.function + (call.function == "audioMasterAutomate"
                                                    ? " " + std::to_string(call.arguments[0])
                                                    : ""));
            }
        }
        windowCalls().clear();
        return seen;
    };
    const auto post = [&](UINT message, int x, int y) {
        PostMessageA(editor.window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
        pumpMessages();
    };
    windowCalls().clear();

    post(WM_LBUTTONDOWN, 45, 65); // on the oscillator pad
    EXPECT_EQ(messages(), std::vector<std::string>({"DefWindowProcA", kGetUserData, "audioMasterAutomate 14",
                                                    "audioMasterAutomate 0", "SetCapture"}));
    post(WM_MOUSEMOVE, 60, 80);
    const std::vector<WindowCall> repaint = windowCalls();
    EXPECT_EQ(messages(), std::vector<std::string>(
                              {"DefWindowProcA", kGetUserData, "audioMasterAutomate 14", "audioMasterAutomate 0"}));
    EXPECT_EQ(std::count_if(repaint.begin(), repaint.end(), [](const WindowCall& c) { return c.function == "BitBlt"; }),
              92) << "a move during a drag repaints the whole panel";
    post(WM_LBUTTONUP, 60, 80);
    EXPECT_EQ(messages(), std::vector<std::string>({"DefWindowProcA", kGetUserData, "ReleaseCapture"}));

    // Without an editor in the user data the pointer is still taken and
    // given back.
    SetWindowLongPtrA(editor.window, GWLP_USERDATA, 0);
    post(WM_LBUTTONDOWN, 45, 65);
    EXPECT_EQ(GetCapture(), editor.window);
    EXPECT_EQ(messages(), std::vector<std::string>({"DefWindowProcA", kGetUserData, "SetCapture"}));
    post(WM_LBUTTONUP, 45, 65);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(messages(), std::vector<std::string>({"DefWindowProcA", kGetUserData, "ReleaseCapture"}));
}

TEST_F(EditorWindowCalls, CloseDeletesTheBackBufferThenDestroysTheWindow) {
    const Editor editor = open();
    windowCalls().clear();
    EXPECT_EQ(dispatch(effect, effEditClose), 0);
    CallReader reader(callsOf({"DeleteObject", "DestroyWindow"}));
    EXPECT_EQ(reader.next("DeleteObject").arguments[0], editor.backBuffer);
    EXPECT_EQ(reader.next("DestroyWindow").arguments[0], word(editor.window));
    EXPECT_TRUE(reader.done());
    EXPECT_EQ(host.editorWindow(), nullptr);
}

} // namespace
