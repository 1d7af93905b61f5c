// A picture of a plug-in's editor without a window system, for plug-ins that
// answer Quorvane's editor-picture request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VstPlugin;

// 24-bit rows from the top, or empty when the plug-in gives no picture.
std::vector<std::uint8_t> requestEditorPicture(VstPlugin& plugin);

// Writes the editor as it stands now to a PNG file; the file appears only
// when it is complete. Throws PluginError when the plug-in gives no picture
// or the file cannot be written.
void writeEditorPicture(VstPlugin& plugin, const std::string& path);
