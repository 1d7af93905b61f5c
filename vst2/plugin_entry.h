// What the exported entry does, kept apart from the export itself so that it
// can be exercised without loading the library.
#pragma once

#include "vst2.h"

class AudioEffect;

// Made by the plug-in class: one new instance in one heap block, or null.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

// Asks the host for its version (0: no instance), then makes the instance and
// answers its descriptor, or null.
AEffect* openPluginInstance(audioMasterCallback audioMaster);
