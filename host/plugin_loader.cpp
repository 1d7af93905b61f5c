#include "plugin_loader.h"

#include <sys/stat.h>

#include "lv2_plugin.h"
#include "lv2_world.h"
#include "vst_plugin.h"

std::unique_ptr<Plugin> loadPlugin(const std::string& where, const HostState& host) {
    struct stat info{};
    const bool exists = stat(where.c_str(), &info) == 0;
    if (exists ? S_ISDIR(info.st_mode) : looksLikeUri(where)) {
        return std::make_unique<Lv2Plugin>(where, host);
    }
    return std::make_unique<VstPlugin>(where, host);
}
