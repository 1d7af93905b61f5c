#include "editor_picture.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "plugin.h"
#include "png_file.h"
#include "vst2/editor_picture_request.h"

void writeEditorPicture(Plugin& plugin, const std::string& path) {
    const std::vector<std::uint8_t> rgb = plugin.editorPicture();
    if (rgb.empty()) {
        throw PluginError(plugin.location() + " gives no picture of its editor (--editor-png)");
    }
    const std::string unfinished = path + ".part";
    if (!writeRgbPng(unfinished, kEditorPictureWidth, kEditorPictureHeight, rgb) ||
        std::rename(unfinished.c_str(), path.c_str()) != 0) {
        std::remove(unfinished.c_str());
        throw PluginError("cannot write " + path);
    }
}
