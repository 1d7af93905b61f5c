#include "editor_picture.h"

#include <cstdio>

#include "vst2/editor_picture_request.h"
#include "png_file.h"
#include "vst_plugin.h"

std::vector<std::uint8_t> requestEditorPicture(VstPlugin& plugin) {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kEditorPictureBytes));
    if (plugin.dispatch(effVendorSpecific, kEditorPictureRequest, kEditorPictureBytes, rgb.data()) != 1) {
        rgb.clear();
    }
    return rgb;
}

void writeEditorPicture(VstPlugin& plugin, const std::string& path) {
    const std::vector<std::uint8_t> rgb = requestEditorPicture(plugin);
    if (rgb.empty()) {
        throw PluginError(plugin.path() + " gives no picture of its editor (--editor-png)");
    }
    const std::string unfinished = path + ".part";
    if (!writeRgbPng(unfinished, kEditorPictureWidth, kEditorPictureHeight, rgb) ||
        std::rename(unfinished.c_str(), path.c_str()) != 0) {
        std::remove(unfinished.c_str());
        throw PluginError("cannot write " + path);
    }
}
