// What --info and --list-params print about a loaded plug-in.
#pragma once

#include <ostream>

#include "vst_plugin.h"

void printPluginInfo(VstPlugin& plugin, std::ostream& out);
void printParameterList(VstPlugin& plugin, std::ostream& out);
