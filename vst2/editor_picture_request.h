// Quorvane's own effVendorSpecific request: a picture of the editor as it
// would be drawn now, for hosts without a window system (quorvane-render's
// --editor-png). index: kEditorPictureRequest; value: the buffer's size in
// bytes, which must be kEditorPictureBytes; ptr: the buffer, filled with
// 24-bit red, green, blue rows from the top. Answers 1 when it was filled.
#pragma once

#include "vst2/vst2.h"

constexpr VstInt32 kEditorPictureRequest = fourCharCode('Q', 'p', 'i', 'c');
constexpr int kEditorPictureWidth = 500;
constexpr int kEditorPictureHeight = 420;
constexpr VstIntPtr kEditorPictureBytes = VstIntPtr{kEditorPictureWidth} * kEditorPictureHeight * 3;
