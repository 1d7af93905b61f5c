// The LV2 plug-in's names. The plug-in URI is published: hosts and saved
// sessions find Quorvane by it, so it never changes.
#pragma once

#define QUORVANE_LV2_URI "https://quorvane.org/lv2/quorvane"

constexpr const char* kPluginUri = QUORVANE_LV2_URI;
constexpr const char* kUiUri = QUORVANE_LV2_URI "#ui";
constexpr const char* kPresetUriPrefix = QUORVANE_LV2_URI "#preset-";

// The editor's writes into the engine, sent to the sound as atom:Objects of
// these types on the events port.
constexpr const char* kAxisHeldUri = QUORVANE_LV2_URI "#AxisHeld";
constexpr const char* kAxisTargetUri = QUORVANE_LV2_URI "#AxisTarget";
constexpr const char* kModulationAmountUri = QUORVANE_LV2_URI "#ModulationAmount";
constexpr const char* kRefreshAxesUri = QUORVANE_LV2_URI "#RefreshAxes";
// Their properties: the axis (atom:Int, an AxisIndex) and the value
// (atom:Bool for held, atom:Float otherwise).
constexpr const char* kAxisPropertyUri = QUORVANE_LV2_URI "#axis";
constexpr const char* kValuePropertyUri = QUORVANE_LV2_URI "#value";
