// A whole repaint, pixel for pixel, against a committed picture of one known
// state: every kind of mark, a pressed knob, marks off the pads.
#include <gtest/gtest.h>

#include <stb_image.h>

#include <string>

#include "editor/editor_picture.h"
#include "png_file.h"
#include "tests/support/editor_harness.h"

namespace {

const std::string kGolden = std::string(QUORVANE_SOURCE_DIR) + "/tests/golden/editor_frame.png";

void setKnownState(EditorHarness& h) {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        h.plugin->setParameter(index, static_cast<float>((index * 37) % 90) / 89.0f);
    }
    const float outputs[6] = {0.25f, 0.8f, 1.3f, 0.1f, 0.55f, 0.62f}; // MY MX FX FY LX LY
    const float amounts[6] = {0.3f, 0.9f, 0.0f, 1.0f, 0.45f, 0.2f};
    for (int axis = 0; axis < 6; ++axis) {
        h.plugin->engine.axes[axis].out = outputs[axis];
        h.plugin->engine.axes[axis].modulators[0].amount = amounts[axis];
    }
    // Press column F's Y overshoot knob so that it shows blue.
    h.editor->onMouseDown(167 + 71 + 13, 289 + 13);
}

TEST(EditorGoldenFrame, KnownStateMatchesTheCommittedPicture) {
    EditorHarness h;
    setKnownState(h);
    const EditorFrame frame = captureEditorFrame(*h.editor);
    ASSERT_EQ(frame.width, 500);
    ASSERT_EQ(frame.height, 420);

    int width = 0, height = 0, channels = 0;
    stbi_uc* golden = stbi_load(kGolden.c_str(), &width, &height, &channels, 3);
    const std::string actual = "editor_frame.actual.png";
    if (golden == nullptr || width != 500 || height != 420 ||
        !std::equal(frame.rgb.begin(), frame.rgb.end(), golden)) {
        writeRgbPng(actual, frame.width, frame.height, frame.rgb);
        ADD_FAILURE() << "the frame differs from " << kGolden << "; this run's frame is in " << actual
                      << " (copy it over the golden picture only if the change is intended)";
    }
    stbi_image_free(golden);
}

} // namespace
