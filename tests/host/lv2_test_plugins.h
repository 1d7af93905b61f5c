// Where the tests find LV2 plug-ins, and our own LV2 test plug-in.
#pragma once

#include <string>

// LV2 plug-ins the tests load: our test bundles, then Debian's. Set for each
// command, so that nothing in the runner's ~/.lv2 is seen.
inline const std::string kLv2Path = std::string(LV2_TEST_PATH) + ":/usr/lib/lv2";
inline const std::string kLv2PathSetting = "LV2_PATH='" + kLv2Path + "'";
// The LV2 twin of the VST 2 recording plug-in (tests/host/lv2/).
inline const std::string kLv2Recorder = "urn:quorvane:test:lv2-recorder";
