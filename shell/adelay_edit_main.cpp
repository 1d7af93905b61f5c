// The library's exports: the entry that hosts call once per instance.
#include "plugin_entry.h"

#if defined(_WIN32)
// The module definition file exports this as "main" and nothing else.
extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    return openPluginInstance(audioMaster);
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
