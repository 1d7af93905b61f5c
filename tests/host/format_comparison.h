// One performance rendered through the same instrument in two formats (a
// VST 2 library and an LV2 bundle or URI), and how far apart they came out.
// To compare Quorvane's own two builds, point it at QUORVANE_LIBRARY and the
// built Quorvane.lv2 and expect 0.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "lv2_test_plugins.h"
#include "render_command.h"

// A plug-in and what only it is given: parameter values differ between
// formats where VST 2 normalises them and LV2 does not.
struct FormatRender {
    std::string plugin;
    std::vector<std::string> args;
};

// The largest difference between any two samples of the renders, or NaN
// (with a test failure) when either render failed or their shapes differ.
// `common` goes to both (--midi, --input, --block, ...).
inline double largestDifference(const ScratchDir& scratch, const FormatRender& a, const FormatRender& b,
                                const std::vector<std::string>& common) {
    const double failed = std::numeric_limits<double>::quiet_NaN();
    std::vector<AudioData> outputs;
    for (const FormatRender* render : {&a, &b}) {
        const std::string file = "compare-" + std::to_string(outputs.size()) + ".wav";
        std::vector<std::string> args = {"--plugin", render->plugin, "-o", file};
        args.insert(args.end(), common.begin(), common.end());
        args.insert(args.end(), render->args.begin(), render->args.end());
        const CommandResult result = scratch.run(args, kLv2PathSetting + " ASAN_OPTIONS=detect_leaks=0");
        if (result.exitCode != 0) {
            ADD_FAILURE() << render->plugin << ": " << result.err;
            return failed;
        }
        outputs.push_back(readAudioFile(scratch.path(file)));
    }
    if (outputs[0].channels != outputs[1].channels || outputs[0].samples.size() != outputs[1].samples.size()) {
        ADD_FAILURE() << a.plugin << " rendered " << outputs[0].channels << " x " << outputs[0].frames() << ", "
                      << b.plugin << " " << outputs[1].channels << " x " << outputs[1].frames();
        return failed;
    }
    double largest = 0.0;
    for (std::size_t i = 0; i < outputs[0].samples.size(); ++i) {
        largest = std::max(largest, std::fabs(static_cast<double>(outputs[0].samples[i]) - outputs[1].samples[i]));
    }
    return largest;
}
