// What loading and unloading Quorvane.dll does by itself: it registers the
// editor's window class while it is loaded, and only then.
#include <windows.h>

#include <gtest/gtest.h>

#include "loaded_dll.h"

namespace {

constexpr char kClassName[] = "ZuWinQuorvane";

bool classRegistered(HMODULE module, WNDCLASSEXA& found) {
    found = {};
    found.cbSize = sizeof found;
    return GetClassInfoExA(module, kClassName, &found) != 0;
}

DWORD WINAPI doNothing(LPVOID) { return 0; }

bool insideImage(HMODULE module, const void* address) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto* at = static_cast<const BYTE*>(address);
    return at >= base && at < base + headers->OptionalHeader.SizeOfImage;
}

TEST(LibraryLoad, RegistersTheEditorWindowClass) {
    LoadedDll dll;
    ASSERT_NE(dll.module, nullptr);
    WNDCLASSEXA found;
    ASSERT_TRUE(classRegistered(dll.module, found));
    EXPECT_EQ(found.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW)); // no CS_DBLCLKS
    EXPECT_TRUE(insideImage(dll.module, reinterpret_cast<const void*>(found.lpfnWndProc)));
    EXPECT_EQ(found.cbClsExtra, 0);
    EXPECT_EQ(found.cbWndExtra, 0);
    EXPECT_EQ(found.hInstance, dll.module);
    EXPECT_EQ(found.hIcon, nullptr);
    EXPECT_EQ(found.hCursor, nullptr);
    EXPECT_EQ(found.lpszMenuName, nullptr);
    EXPECT_EQ(found.hIconSm, nullptr);
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectA(found.hbrBackground, sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(119, 119, 119));
}

TEST(LibraryLoad, ThreadsComingAndGoingLeaveTheClassRegistered) {
    LoadedDll dll;
    ASSERT_NE(dll.module, nullptr);
    const HANDLE thread = CreateThread(nullptr, 0, doNothing, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    WNDCLASSEXA found;
    EXPECT_TRUE(classRegistered(dll.module, found));
}

TEST(LibraryLoad, UnloadingUnregistersAndLoadingAgainRegistersAgain) {
    LoadedDll first;
    ASSERT_NE(first.module, nullptr);
    const HMODULE firstModule = first.module;
    first.unload();
    ASSERT_EQ(GetModuleHandleA("Quorvane.dll"), nullptr) << "the library stayed loaded";
    WNDCLASSEXA found;
    EXPECT_FALSE(classRegistered(firstModule, found));

    LoadedDll second;
    ASSERT_NE(second.module, nullptr);
    ASSERT_TRUE(classRegistered(second.module, found));
    EXPECT_EQ(found.hInstance, second.module);
}

} // namespace
