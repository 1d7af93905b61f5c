// Opens what --plugin names in the format it is in.
#pragma once

#include <memory>
#include <string>

#include "plugin.h"

// A directory is an LV2 bundle, a URI (scheme:...) that names no file an LV2
// plug-in's URI, anything else a VST 2 library.
std::unique_ptr<Plugin> loadPlugin(const std::string& where, const HostState& host);
