// A host that loads Quorvane.so, plays it with its editor open in a real X11
// window, and unloads it, a thousand times in one process: every load must
// leave nothing behind. The heap is LeakSanitizer's to watch (the sanitizer
// build runs this test too); here the library must really unload, resident
// memory must stay flat once warm, and every X connection and window the
// editor made must be gone from the server (the X-Resource extension counts
// the server's clients, XQueryTree the windows).
// gtest first: X.h defines None, which gtest uses as a name.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "tests/support/load_cycle_host.h"
#include "xvfb_server.h"

namespace {

using namespace load_cycle;

constexpr int kCycles = 1000;
// Allocators and the dynamic loader settle within the first cycles.
constexpr int kWarmUpCycles = 50;
constexpr long kMaxGrowthBytes = 256 * 1024;

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's own bookkeeping (allocation stacks of every load, at new
// library addresses) grows with the cycles; there LeakSanitizer is the judge.
constexpr bool kResidentMemoryMeasurable = false;
#else
constexpr bool kResidentMemoryMeasurable = true;
#endif

using PluginEntry = AEffect* (*)(audioMasterCallback);

long residentBytes() {
    long pages = 0;
    long resident = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return -1;
    }
    const int read = std::fscanf(statm, "%ld %ld", &pages, &resident);
    std::fclose(statm);
    return read == 2 ? resident * sysconf(_SC_PAGESIZE) : -1;
}

class LoadCycles : public ::testing::Test {
protected:
    LoadCycles() : display(XOpenDisplay(server.displayName().c_str())) {}
    ~LoadCycles() override {
        if (display != nullptr) {
            XCloseDisplay(display);
        }
    }

    void SetUp() override {
        ASSERT_NE(display, nullptr);
        int eventBase = 0;
        int errorBase = 0;
        ASSERT_TRUE(XResQueryExtension(display, &eventBase, &errorBase)) << "the server counts its clients";
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 520, 440, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }

    int clientCount() {
        int count = 0;
        XResClient* clients = nullptr;
        if (XResQueryClients(display, &count, &clients) == 0) {
            return -1;
        }
        XFree(clients);
        return count;
    }

    unsigned childCount(Window window) {
        Window root = 0;
        Window itsParent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display, window, &root, &itsParent, &children, &count) == 0) {
            return ~0u;
        }
        XFree(children);
        return count;
    }

    // Load, open, play, show, close, unload. Checks, while the editor is
    // open, that the counts below see its connection and window.
    void cycle(int clientsBefore) {
        void* library = dlopen(QUORVANE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<PluginEntry>(dlsym(library, "main"));
        ASSERT_NE(entry, nullptr);
        AEffect* effect = entry(answerVersion);
        ASSERT_NE(effect, nullptr);
        openAndPlay(effect);

        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))), 1);
        dispatch(effect, effEditIdle);
        dispatch(effect, effEditIdle);
        XSync(display, False);
        EXPECT_EQ(childCount(parent), 1u) << "the editor's window in the host's";
        EXPECT_EQ(clientCount(), clientsBefore + 1) << "the editor's own connection";
        dispatch(effect, effEditClose);

        dispatch(effect, effMainsChanged, 0, 0);
        EXPECT_EQ(dispatch(effect, effClose), 1);
        ASSERT_EQ(dlclose(library), 0);
        EXPECT_EQ(dlopen(QUORVANE_LIBRARY, RTLD_NOW | RTLD_NOLOAD), nullptr) << "the library stayed loaded";
    }

    XvfbServer server;
    Display* display;
    Window parent = 0;
};

TEST_F(LoadCycles, AThousandLoadsLeaveNoMemoryConnectionOrWindowBehind) {
    const int clientsBefore = clientCount();
    ASSERT_GT(clientsBefore, 0);
    const unsigned topLevelBefore = childCount(DefaultRootWindow(display));
    long residentAfterWarmUp = 0;
    for (int n = 0; n < kCycles; ++n) {
        cycle(clientsBefore);
        ASSERT_FALSE(HasFatalFailure()) << "cycle " << n;
        ASSERT_EQ(childCount(parent), 0u) << "a window of the editor outlived it, cycle " << n;
        ASSERT_EQ(childCount(DefaultRootWindow(display)), topLevelBefore) << "a window left on the root, cycle " << n;
        ASSERT_EQ(clientCount(), clientsBefore) << "a connection left open, cycle " << n;
        if (n + 1 == kWarmUpCycles) {
            residentAfterWarmUp = residentBytes();
        }
    }
    const long growth = residentBytes() - residentAfterWarmUp;
    std::printf("resident memory after %d cycles: %+ld bytes since cycle %d\n", kCycles, growth, kWarmUpCycles);
    if (kResidentMemoryMeasurable) {
        EXPECT_LT(growth, kMaxGrowthBytes);
    }
}

} // namespace
