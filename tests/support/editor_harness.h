// One plug-in instance with its editor open on the software back end, every
// presented frame kept, and a host that records what it is told.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "editor/editor_window.h"
#include "editor/raster.h"
#include "vst2/adelay.h"
#include "tests/support/recording_host.h"

class EditorHarness {
public:
    EditorHarness();
    ~EditorHarness();
    EditorHarness(const EditorHarness&) = delete;
    EditorHarness& operator=(const EditorHarness&) = delete;

    // Every parameter NaN and every axis output and modulator amount NaN:
    // all 45 marks leave the window, so a test draws only what it sets.
    void parkEveryMark();

    // The panel alone, as the library carries it.
    Raster panel() const;

    RecordingHost host;
    std::unique_ptr<ADelay> plugin;
    EditorWindow* editor = nullptr;
    int framesPresented = 0;
    // The last presented frame, 500 x 420.
    Raster lastFrame;
};

// Lays a mark over a copy of base the way the editor does: mask, then image.
Raster withMark(Raster base, std::int32_t x, std::int32_t y, std::int32_t imageId, std::int32_t maskId);
