#include "lv2_world.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "plugin.h"

namespace {

// Points fd 2 at /dev/null while it lives.
class QuietStderr {
public:
    explicit QuietStderr(bool quiet) {
        if (!quiet) {
            return;
        }
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved >= 0 && null >= 0) {
            dup2(null, STDERR_FILENO);
        }
        if (null >= 0) {
            close(null);
        }
    }
    ~QuietStderr() {
        if (saved >= 0) {
            std::fflush(stderr);
            dup2(saved, STDERR_FILENO);
            close(saved);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved = -1;
};

std::string searchPath() {
    const char* path = std::getenv("LV2_PATH");
    return path != nullptr ? std::string("LV2_PATH ") + path : "~/.lv2, /usr/local/lib/lv2 and /usr/lib/lv2";
}

} // namespace

std::string nodeText(const LilvNode* node) {
    if (node == nullptr) {
        return "";
    }
    if (lilv_node_is_uri(node)) {
        return lilv_node_as_uri(node);
    }
    const char* text = lilv_node_as_string(node);
    return text != nullptr ? text : "";
}

bool looksLikeUri(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size() ||
        !std::isalpha(static_cast<unsigned char>(text[0]))) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

Lv2World::Lv2World(bool verbose) : world(lilv_world_new()), verbose(verbose) {
    if (world == nullptr) {
        throw PluginError("cannot start lilv, the LV2 library");
    }
    QuietStderr quiet(!verbose);
    lilv_world_load_all(world);
}

Lv2World::~Lv2World() {
    lilv_world_free(world);
}

const LilvPlugin* Lv2World::find(const std::string& where) {
    struct stat info{};
    if (stat(where.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return findInBundle(where);
    }
    const OwnedNode wanted = uri(where.c_str());
    const LilvPlugin* plugin =
        wanted ? lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), wanted.get()) : nullptr;
    if (plugin == nullptr) {
        throw PluginError("no LV2 plug-in has the URI " + where + " (searched " + searchPath() + ")");
    }
    return plugin;
}

const LilvPlugin* Lv2World::findInBundle(const std::string& directory) {
    std::error_code error;
    std::string path = std::filesystem::canonical(directory, error).string();
    if (error) {
        throw PluginError("plug-in " + directory + ": " + error.message());
    }
    if (!std::filesystem::is_regular_file(path + "/manifest.ttl")) {
        throw PluginError(directory + " is a directory but not an LV2 bundle: it has no manifest.ttl");
    }
    // Compared as canonical paths: LV2_PATH may reach the bundle through a
    // link or with doubled slashes.
    const auto inBundle = [&]() {
        std::vector<const LilvPlugin*> found;
        const LilvPlugins* all = lilv_world_get_all_plugins(world);
        LILV_FOREACH(plugins, i, all) {
            const LilvPlugin* plugin = lilv_plugins_get(all, i);
            char* bundlePath = lilv_file_uri_parse(lilv_node_as_uri(lilv_plugin_get_bundle_uri(plugin)), nullptr);
            if (bundlePath != nullptr) {
                std::error_code ignored;
                if (std::filesystem::canonical(bundlePath, ignored).string() == path) {
                    found.push_back(plugin);
                }
                lilv_free(bundlePath);
            }
        }
        return found;
    };
    // lilv's bundle URIs end with a slash.
    const OwnedNode bundle(lilv_new_file_uri(world, nullptr, (path + '/').c_str()));

    std::vector<const LilvPlugin*> found = inBundle();
    if (found.empty()) {
        // Not on the search path: read it as well.
        QuietStderr quiet(!verbose);
        lilv_world_load_bundle(world, bundle.get());
        found = inBundle();
    }
    if (found.empty()) {
        throw PluginError(directory + " is an LV2 bundle without a plug-in");
    }
    if (found.size() > 1) {
        std::string uris;
        for (const LilvPlugin* plugin : found) {
            uris += (uris.empty() ? "" : ", ") + nodeText(lilv_plugin_get_uri(plugin));
        }
        throw PluginError(directory + " holds " + std::to_string(found.size()) +
                          " LV2 plug-ins; give --plugin the URI of one (its folder must be in LV2_PATH): " + uris);
    }
    return found.front();
}
