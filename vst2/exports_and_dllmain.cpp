// The library's exports: the entry that hosts call once per instance, and
// on Windows the notification that the library was loaded or unloaded.
#include "plugin_entry.h"

#if defined(_WIN32)
#include "editor/xplat_win32.h"

// The module definition file exports this as "main" only in the 32-bit
// library, as 32-bit hosts have always found it; the 64-bit library exports
// it under its own name too, which 64-bit hosts look up first.
extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    return openPluginInstance(audioMaster);
}

namespace {

#if defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 80, "the window class record of 64-bit Windows");
#else
static_assert(sizeof(WNDCLASSEXA) == 48, "the window class record of 32-bit Windows");
#endif

// One class for every instance's editor window, registered for as long as
// the library is loaded.
void registerEditorWindowClass(const char* className) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // No CS_DBLCLKS: a double click reaches the editor as two presses.
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = xplatWindowProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = moduleInstance;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = nullptr;
    // Windows deletes a class's background brush when the class is unregistered.
    windowClass.hbrBackground = CreateSolidBrush(RGB(119, 119, 119));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = className;
    windowClass.hIconSm = nullptr;
    RegisterClassExA(&windowClass);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
    moduleInstance = module;
    char className[kWindowClassNameSize];
    xplatWindowClassName(className);
    if (reason == DLL_PROCESS_ATTACH) {
        registerEditorWindowClass(className);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterClassA(className, module);
    }
    // Thread attach and detach change nothing.
    return TRUE;
}
#else
#define QUORVANE_EXPORT __attribute__((visibility("default")))

extern "C" {
// Linux hosts look up VSTPluginMain first, older ones "main"; both are the
// same function. C++ reserves the name main, hence the assembler label.
QUORVANE_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return openPluginInstance(audioMaster);
}
QUORVANE_EXPORT AEffect* vstMainEntry(audioMasterCallback audioMaster) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
}
#endif
