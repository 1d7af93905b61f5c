// The bitmap files are assembled into the library itself, so the Linux
// plug-in reads no file at run time.
#include "bitmap_resources.h"

#include "resources/bitmap_ids.h"

#define QUORVANE_EMBED(symbol, file)                                                                                  \
    __asm__(".pushsection .rodata\n"                                                                                  \
            ".balign 4\n"                                                                                             \
            ".local " #symbol "_begin\n" #symbol "_begin:\n"                                                          \
            ".incbin \"" QUORVANE_RESOURCE_DIR "/" file "\"\n"                                                        \
            ".local " #symbol "_end\n" #symbol "_end:\n"                                                              \
            ".popsection\n");                                                                                         \
    extern "C" const std::uint8_t symbol##_begin[];                                                                   \
    extern "C" const std::uint8_t symbol##_end[];

QUORVANE_EMBED(quorvane_panel_bmp, "panel.bmp")
QUORVANE_EMBED(quorvane_target_mark_bmp, "target_mark.bmp")
QUORVANE_EMBED(quorvane_target_mask_bmp, "target_mask.bmp")
QUORVANE_EMBED(quorvane_point_mark_bmp, "point_mark.bmp")
QUORVANE_EMBED(quorvane_mark_mask_bmp, "mark_mask.bmp")
QUORVANE_EMBED(quorvane_knob_mark_active_bmp, "knob_mark_active.bmp")
QUORVANE_EMBED(quorvane_knob_mark_idle_bmp, "knob_mark_idle.bmp")

namespace {

struct EmbeddedBitmap {
    std::int32_t resourceId;
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

const EmbeddedBitmap kEmbeddedBitmaps[] = {
    {IDB_PANEL, quorvane_panel_bmp_begin, quorvane_panel_bmp_end},
    {IDB_TARGET_MARK, quorvane_target_mark_bmp_begin, quorvane_target_mark_bmp_end},
    {IDB_TARGET_MASK, quorvane_target_mask_bmp_begin, quorvane_target_mask_bmp_end},
    {IDB_POINT_MARK, quorvane_point_mark_bmp_begin, quorvane_point_mark_bmp_end},
    {IDB_MARK_MASK, quorvane_mark_mask_bmp_begin, quorvane_mark_mask_bmp_end},
    {IDB_KNOB_MARK_ACTIVE, quorvane_knob_mark_active_bmp_begin, quorvane_knob_mark_active_bmp_end},
    {IDB_KNOB_MARK_IDLE, quorvane_knob_mark_idle_bmp_begin, quorvane_knob_mark_idle_bmp_end},
};

// A bitmap file starts with a 14-byte file header that a resource lacks.
constexpr std::size_t kFileHeaderSize = 14;

} // namespace

ResourceBytes findBitmapResource(std::int32_t resourceId) {
    for (const EmbeddedBitmap& bitmap : kEmbeddedBitmaps) {
        const auto size = static_cast<std::size_t>(bitmap.end - bitmap.begin);
        if (bitmap.resourceId == resourceId && size > kFileHeaderSize) {
            return {bitmap.begin + kFileHeaderSize, size - kFileHeaderSize};
        }
    }
    return {nullptr, 0};
}
