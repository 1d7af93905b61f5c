// A picture of a plug-in's editor without a window system, for plug-ins that
// answer Quorvane's editor-picture request.
#pragma once

#include <string>

class Plugin;

// Writes the editor as it stands now to a PNG file; the file appears only
// when it is complete. Throws PluginError when the plug-in gives no picture
// or the file cannot be written.
void writeEditorPicture(Plugin& plugin, const std::string& path);
