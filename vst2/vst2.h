// Our own declarations of the VST 2 binary interface, written from its
// published numbers. Every record here crosses the host boundary, so the
// layouts are pinned by static assertions at the bottom of the file.
#pragma once

#include <cstddef>
#include <cstdint>

// 32-bit Windows hosts call with __cdecl; Win64 has one calling convention
// and takes the keyword as a no-op.
#if defined(_WIN32)
#define VSTCALLBACK __cdecl
#else
#define VSTCALLBACK
#endif

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
// Pointer-sized: 32 bits on Win32, 64 bits on Win64 and x86-64 Linux. Never
// long, which stays 32 bits on Win64.
using VstIntPtr = std::intptr_t;

struct AEffect;

// (effect, opcode, index, value, ptr, opt) -> answer; both directions.
using audioMasterCallback = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                    void* ptr, float opt);
using AEffectDispatcherProc = VstIntPtr(VSTCALLBACK*)(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                                      void* ptr, float opt);
using AEffectProcessProc = void(VSTCALLBACK*)(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
using AEffectSetParameterProc = void(VSTCALLBACK*)(AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float(VSTCALLBACK*)(AEffect* effect, VstInt32 index);

// Four characters packed first-in-most-significant-byte, as VST 2 identifiers are.
constexpr VstInt32 fourCharCode(char a, char b, char c, char d) {
    return static_cast<VstInt32>((static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
                                 (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
                                 static_cast<std::uint32_t>(static_cast<unsigned char>(d)));
}

constexpr VstInt32 kEffectMagic = fourCharCode('V', 's', 't', 'P');

// The descriptor a plug-in hands to its host.
struct AEffect {
    VstInt32 magic;                       // kEffectMagic
    AEffectDispatcherProc dispatcher;     // every opcode below
    AEffectProcessProc process;           // accumulating audio entry (replacing in practice)
    AEffectSetParameterProc setParameter; // index, normalised value
    AEffectGetParameterProc getParameter; // index -> normalised value
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;        // effFlags* bits
    VstIntPtr resvd1;      // host's own, zero from the plug-in
    VstIntPtr resvd2;      // host's own, zero from the plug-in
    VstInt32 initialDelay; // latency in sample frames
    VstInt32 realQualities;
    VstInt32 offQualities;
    float ioRatio;
    void* object;                        // the plug-in instance behind this record
    void* user;                          // free for the host
    VstInt32 uniqueID;                   // four-character identifier
    VstInt32 version;                    // plug-in version
    AEffectProcessProc processReplacing; // replacing audio entry
    char future[60];                     // reserved, zero
};

// Descriptor flags.
enum VstAEffectFlags : VstInt32 {
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,
    effFlagsHasVu = 1 << 2,
    effFlagsCanMono = 1 << 3,
    effFlagsCanReplacing = 1 << 4,
    effFlagsProgramChunks = 1 << 5,
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9,
    effFlagsExtIsAsync = 1 << 10,
    effFlagsExtHasBuffer = 1 << 11,
    effFlagsCanDoubleReplacing = 1 << 12, // VST 2.4; hosts print it, we never set it
};

// Host -> plug-in requests through AEffect::dispatcher.
enum AEffectOpcodes : VstInt32 {
    effOpen = 0,                       // after construction; answers 0
    effClose = 1,                      // ends the instance
    effSetProgram = 2,                 // value: program number
    effGetProgram = 3,                 // answer: current program
    effSetProgramName = 4,             // ptr: char[24] in
    effGetProgramName = 5,             // ptr: char[24] out
    effGetParamLabel = 6,              // index, ptr: char[8] out (unit)
    effGetParamDisplay = 7,            // index, ptr: char[8] out (value text)
    effGetParamName = 8,               // index, ptr: char[8] out (hosts pass more)
    effGetVu = 9,                      // answer: level times 32767
    effSetSampleRate = 10,             // opt: sample rate in Hz
    effSetBlockSize = 11,              // value: maximum frames per block
    effMainsChanged = 12,              // value: 0 suspend, non-zero resume
    effEditGetRect = 13,               // ptr: ERect** out
    effEditOpen = 14,                  // ptr: host's parent window
    effEditClose = 15,                 // close the editor window
    effEditDraw = 16,                  // ptr: ERect to redraw
    effEditMouse = 17,                 // index x, value y
    effEditKey = 18,                   // value: key
    effEditIdle = 19,                  // regular idle tick for the editor
    effEditTop = 20,                   // editor brought to front
    effEditSleep = 21,                 // editor hidden
    effIdentify = 22,                  // answer: 'NvEf'
    effGetChunk = 23,                  // ptr: void** out, index: preset flag; answer: size
    effSetChunk = 24,                  // ptr: data, value: size, index: preset flag
    effProcessEvents = 25,             // ptr: VstEvents*
    effCanBeAutomated = 26,            // index; answer 1 if automatable
    effString2Parameter = 27,          // index, ptr: text in
    effGetNumProgramCategories = 28,   // answer: category count
    effGetProgramNameIndexed = 29,     // value category, index, ptr: char[24] out
    effCopyProgram = 30,               // index: destination program
    effConnectInput = 31,              // index, value: connected
    effConnectOutput = 32,             // index, value: connected
    effGetInputProperties = 33,        // index, ptr: VstPinProperties* out
    effGetOutputProperties = 34,       // index, ptr: VstPinProperties* out
    effGetPlugCategory = 35,           // answer: VstPlugCategory
    effGetCurrentPosition = 36,        // answer: offline position
    effGetDestinationBuffer = 37,      // answer: offline destination pointer
    effOfflineNotify = 38,             // ptr: VstAudioFile*, value count, index start
    effOfflinePrepare = 39,            // ptr: VstOfflineTask*, value count
    effOfflineRun = 40,                // ptr: VstOfflineTask*, value count
    effProcessVarIo = 41,              // ptr: VstVariableIo*
    effSetSpeakerArrangement = 42,     // value: input arrangement*, ptr: output arrangement*
    effSetBlockSizeAndSampleRate = 43, // value: block size, opt: sample rate
    effSetBypass = 44,                 // value: bypass on
    effGetEffectName = 45,             // ptr: char[32] out
    effGetErrorText = 46,              // ptr: char[256] out
    effGetVendorString = 47,           // ptr: char[64] out
    effGetProductString = 48,          // ptr: char[64] out
    effGetVendorVersion = 49,          // answer: vendor version
    effVendorSpecific = 50,            // all arguments the vendor's
    effCanDo = 51,                     // ptr: capability text; answer 1 yes, 0 don't know, -1 no
    effGetTailSize = 52,               // answer: tail in sample frames
    effIdle = 53,                      // plug-in idle
    effGetIcon = 54,                   // answer: icon pointer
    effSetViewPosition = 55,           // index x, value y
    effGetParameterProperties = 56,    // index, ptr: VstParameterProperties* out
    effKeysRequired = 57,              // answer 0 when keys are required
    effGetVstVersion = 58,             // answer: 2 for VST 2.0
};

// Plug-in -> host requests through audioMasterCallback.
enum AudioMasterOpcodes : VstInt32 {
    audioMasterAutomate = 0,     // index, opt: value just set
    audioMasterVersion = 1,      // answer: host's VST version
    audioMasterCurrentId = 2,    // answer: unique id of the plug-in being loaded
    audioMasterIdle = 3,         // give the host idle time
    audioMasterPinConnected = 4, // index pin, value 0 input / 1 output; answer 0 = connected
    // 5 has no function in VST 2.0.
    audioMasterWantMidi = 6,      // value: filter
    audioMasterGetTime = 7,       // value: filter; answer: VstTimeInfo*
    audioMasterProcessEvents = 8, // ptr: VstEvents* out to the host
    audioMasterSetTime = 9,       // ptr: VstTimeInfo*
    audioMasterTempoAt = 10,      // value: sample position; answer: tempo * 10000
    audioMasterGetNumAutomatableParameters = 11,
    audioMasterGetParameterQuantization = 12,
    audioMasterIOChanged = 13,  // numInputs/numOutputs/initialDelay changed
    audioMasterNeedIdle = 14,   // plug-in wants effIdle calls
    audioMasterSizeWindow = 15, // index width, value height
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,         // answer: AEffect*
    audioMasterGetNextPlug = 21,             // answer: AEffect*
    audioMasterWillReplaceOrAccumulate = 22, // answer: 0 unsupported, 1 replace, 2 accumulate
    audioMasterGetCurrentProcessLevel = 23,  // answer: 0 unknown, 1 user, 2 realtime, 3 prefetch, 4 offline
    audioMasterGetAutomationState = 24,      // answer: 0 unsupported, 1 off, 2 read, 3 write, 4 read/write
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,   // opt: sample rate
    audioMasterGetSpeakerArrangement = 31, // value: input arrangement*, ptr: output arrangement*
    audioMasterGetVendorString = 32,       // ptr: char[64] out
    audioMasterGetProductString = 33,      // ptr: char[64] out
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterSetIcon = 36,
    audioMasterCanDo = 37, // ptr: capability text; answer 1 yes, 0 don't know, -1 no
    audioMasterGetLanguage = 38,
    audioMasterOpenWindow = 39,    // ptr: window description
    audioMasterCloseWindow = 40,   // ptr: window description
    audioMasterGetDirectory = 41,  // answer: plug-in directory
    audioMasterUpdateDisplay = 42, // something other than a parameter changed
};

// Text lengths the interface nominally grants, without the terminator.
constexpr std::size_t kVstMaxProgNameLen = 24;
constexpr std::size_t kVstMaxParamStrLen = 8;
constexpr std::size_t kVstMaxVendorStrLen = 64;
constexpr std::size_t kVstMaxProductStrLen = 64;
constexpr std::size_t kVstMaxEffectNameLen = 32;
constexpr std::size_t kVstMaxLabelLen = 64;
constexpr std::size_t kVstMaxShortLabelLen = 8;

// Editor rectangle, in pixels.
struct ERect {
    VstInt16 top;
    VstInt16 left;
    VstInt16 bottom;
    VstInt16 right;
};

enum VstEventTypes : VstInt32 {
    kVstMidiType = 1,
    kVstAudioType = 2,
    kVstVideoType = 3,
    kVstParameterType = 4,
    kVstTriggerType = 5,
    kVstSysExType = 6,
};

// Generic event; the type says which record it really is.
struct VstEvent {
    VstInt32 type;
    VstInt32 byteSize;    // hosts disagree about it; never trusted
    VstInt32 deltaFrames; // offset into the coming block
    VstInt32 flags;
    char data[16];
};

struct VstMidiEvent {
    VstInt32 type; // kVstMidiType
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 noteLength; // in sample frames, 0 if unknown
    VstInt32 noteOffset;
    char midiData[4]; // status, data 1, data 2, 0
    char detune;      // cents, -64 to 63
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

// A block's events; the array really holds numEvents pointers.
struct VstEvents {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* events[2];
};

enum VstPinPropertiesFlags : VstInt32 {
    kVstPinIsActive = 1 << 0,
    kVstPinIsStereo = 1 << 1,
    kVstPinUseSpeaker = 1 << 2,
};

struct VstPinProperties {
    char label[kVstMaxLabelLen];
    VstInt32 flags; // VstPinPropertiesFlags
    VstInt32 arrangementType;
    char shortLabel[kVstMaxShortLabelLen];
    char future[48];
};

enum VstPlugCategory : VstInt32 {
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
    kPlugCategAnalysis = 3,
    kPlugCategMastering = 4,
    kPlugCategSpacializer = 5,
    kPlugCategRoomFx = 6,
    kPlugSurroundFx = 7,
    kPlugCategRestoration = 8,
    kPlugCategOfflineProcess = 9,
    kPlugCategShell = 10,
    kPlugCategGenerator = 11,
};

// Host transport, answered to audioMasterGetTime.
struct VstTimeInfo {
    double samplePos; // frames since the song start
    double sampleRate;
    double nanoSeconds;
    double ppqPos; // quarter notes since the song start
    double tempo;  // beats per minute
    double barStartPos;
    double cycleStartPos;
    double cycleEndPos;
    VstInt32 timeSigNumerator;
    VstInt32 timeSigDenominator;
    VstInt32 smpteOffset;
    VstInt32 smpteFrameRate;
    VstInt32 samplesToNextClock;
    VstInt32 flags; // VstTimeInfoFlags
};

enum VstTimeInfoFlags : VstInt32 {
    kVstTransportChanged = 1 << 0,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstAutomationWriting = 1 << 6,
    kVstAutomationReading = 1 << 7,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15,
};

// Records that only pass through the shell by pointer; it never looks inside.
struct VstAudioFile;
struct VstOfflineTask;
struct VstVariableIo;
struct VstSpeakerArrangement;
struct VstParameterProperties;
struct VstWindow;

static_assert(sizeof(VstIntPtr) == sizeof(void*), "value and answer carry pointers");

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(void*) == 4, "Win32 build expected");
static_assert(sizeof(AEffect) == 144, "AEffect is 144 bytes of 32-bit fields on Win32");
static_assert(offsetof(AEffect, numPrograms) == 20);
static_assert(offsetof(AEffect, resvd1) == 40);
static_assert(offsetof(AEffect, ioRatio) == 60);
static_assert(offsetof(AEffect, object) == 64);
static_assert(offsetof(AEffect, uniqueID) == 72);
static_assert(offsetof(AEffect, processReplacing) == 80);
static_assert(offsetof(AEffect, future) == 84);
static_assert(sizeof(VstEvents) == 16);
static_assert(offsetof(VstEvents, events) == 8);
#elif defined(_WIN64) || (defined(__x86_64__) && defined(__linux__))
// Win64 (long of 32 bits) and x86-64 Linux (long of 64 bits) lay the records
// out alike: no field is a long, and pointers and reserves are 8 bytes.
#if defined(_WIN64)
static_assert(sizeof(long) == 4 && sizeof(void*) == 8, "Win64 build expected");
#else
static_assert(sizeof(long) == 8 && sizeof(void*) == 8, "x86-64 Linux build expected");
#endif
static_assert(sizeof(AEffect) == 192, "AEffect on 64-bit hosts: pointer-sized pointers and reserves");
static_assert(offsetof(AEffect, dispatcher) == 8);
static_assert(offsetof(AEffect, process) == 16);
static_assert(offsetof(AEffect, setParameter) == 24);
static_assert(offsetof(AEffect, getParameter) == 32);
static_assert(offsetof(AEffect, numPrograms) == 40);
static_assert(offsetof(AEffect, flags) == 56);
static_assert(offsetof(AEffect, resvd1) == 64);
static_assert(offsetof(AEffect, resvd2) == 72);
static_assert(offsetof(AEffect, initialDelay) == 80);
static_assert(offsetof(AEffect, ioRatio) == 92);
static_assert(offsetof(AEffect, object) == 96);
static_assert(offsetof(AEffect, user) == 104);
static_assert(offsetof(AEffect, uniqueID) == 112);
static_assert(offsetof(AEffect, version) == 116);
static_assert(offsetof(AEffect, processReplacing) == 120);
static_assert(offsetof(AEffect, future) == 128);
static_assert(sizeof(VstEvents) == 32);
static_assert(offsetof(VstEvents, events) == 16);
#else
#error "the VST 2 record layouts are checked for Win32, Win64 and x86-64 Linux only"
#endif
static_assert(sizeof(VstTimeInfo) == 88);
static_assert(offsetof(VstTimeInfo, flags) == 84);
static_assert(sizeof(ERect) == 8);
static_assert(sizeof(VstEvent) == 32);
static_assert(sizeof(VstMidiEvent) == 32);
static_assert(offsetof(VstMidiEvent, midiData) == 24);
static_assert(sizeof(VstPinProperties) == 128);
