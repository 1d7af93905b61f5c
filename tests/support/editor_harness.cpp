#include "editor_harness.h"

#include <cmath>
#include <cstring>

#include "editor/bitmap_resources.h"
#include "editor/dib_decoder.h"
#include "editor/xplat_software.h"
#include "resources/bitmap_ids.h"
#include "vst2/vst2_editor.h"
#include "vst2/plugin_entry.h"

namespace {

Raster loadResource(std::int32_t id) {
    const ResourceBytes bytes = findBitmapResource(id);
    Raster raster;
    decodePackedDib(bytes.data, bytes.size, raster);
    return raster;
}

void keepFrame(void* context, const XplatFrame& presented) {
    auto* harness = static_cast<EditorHarness*>(context);
    Raster& frame = harness->lastFrame;
    frame = Raster::colour(presented.width, presented.height);
    for (std::int32_t row = 0; row < presented.height; ++row) {
        std::memcpy(&frame.bytes[static_cast<std::size_t>(row) * presented.width * 3],
                    presented.rgb + static_cast<std::size_t>(row) * presented.stride,
                    static_cast<std::size_t>(presented.width) * 3);
    }
    ++harness->framesPresented;
}

} // namespace

EditorHarness::EditorHarness()
    : plugin(static_cast<ADelay*>(createEffectInstance(RecordingHost::callback))),
      editor(&static_cast<Vst2Editor*>(plugin->getEditor())->window()) {
    editor->open(nullptr);
    xplatSoftwareSetFrameSink(editor->platformWindow(), {keepFrame, this});
    host.calls.clear();
}

EditorHarness::~EditorHarness() = default;

void EditorHarness::parkEveryMark() {
    for (VstInt32 index = 0; index < NumParams; ++index) {
        plugin->setParameter(index, NAN);
    }
    for (AxisRecord& axis : plugin->engine.axes) {
        axis.out = NAN;
        axis.modulators[0].amount = NAN;
    }
}

Raster EditorHarness::panel() const { return loadResource(IDB_PANEL); }

Raster withMark(Raster base, std::int32_t x, std::int32_t y, std::int32_t imageId, std::int32_t maskId) {
    const Raster image = loadResource(imageId);
    const Raster mask = loadResource(maskId);
    rasterBlit(base, x, y, image.width, image.height, mask, 0, 0, RasterOp::sourceAnd);
    rasterBlit(base, x, y, image.width, image.height, image, 0, 0, RasterOp::sourcePaint);
    return base;
}
