// Plug-in classes compiled against these bases rely on the order of their
// virtual operations. The Itanium C++ ABI used on Linux encodes a virtual
// member pointer as 1 + the byte offset of its slot, which makes the order
// visible.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "vst2/adelay.h"

namespace {

template <typename MemberPointer> std::ptrdiff_t slotOf(MemberPointer member) {
    struct Representation {
        std::ptrdiff_t pointer;
        std::ptrdiff_t adjustment;
    } representation;
    static_assert(sizeof(member) == sizeof(representation), "Itanium member pointers expected");
    std::memcpy(&representation, &member, sizeof representation);
    EXPECT_EQ(representation.pointer % 2, 1) << "not a virtual operation";
    return (representation.pointer - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

// The destructor takes the first two slots (complete and deleting).
constexpr std::ptrdiff_t kFirstSlotAfterDestructor = 2;

void expectConsecutive(const std::vector<std::ptrdiff_t>& slots, std::ptrdiff_t first) {
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(slots[i], first + static_cast<std::ptrdiff_t>(i)) << "operation " << i << " of the list";
    }
}

TEST(VirtualSlots, AudioEffectInItsOrder) {
    using A = AudioEffect;
    const std::vector<std::ptrdiff_t> slots = {
        slotOf(&A::setParameter),
        slotOf(&A::getParameter),
        slotOf(&A::setParameterAutomated),
        slotOf(&A::process),
        slotOf(&A::processReplacing),
        slotOf(&A::dispatcher),
        slotOf(&A::open),
        slotOf(&A::close),
        slotOf(&A::getProgram),
        slotOf(&A::setProgram),
        slotOf(&A::setProgramName),
        slotOf(&A::getProgramName),
        slotOf(&A::getParameterLabel),
        slotOf(&A::getParameterDisplay),
        slotOf(&A::getParameterName),
        slotOf(&A::getVu),
        slotOf(&A::getChunk),
        slotOf(&A::setChunk),
        slotOf(&A::setSampleRate),
        slotOf(&A::setBlockSize),
        slotOf(&A::suspend),
        slotOf(&A::resume),
        slotOf(&A::setUniqueID),
        slotOf(&A::setNumInputs),
        slotOf(&A::setNumOutputs),
        slotOf(&A::hasVu),
        slotOf(&A::hasClip),
        slotOf(&A::canMono),
        slotOf(&A::canProcessReplacing),
        slotOf(&A::programsAreChunks),
        slotOf(&A::setRealtimeQualities),
        slotOf(&A::setOfflineQualities),
        slotOf(&A::setInitialDelay),
        slotOf(&A::getSampleRate),
        slotOf(&A::getBlockSize),
        slotOf(&A::getMasterVersion),
        slotOf(&A::getCurrentUniqueId),
        slotOf(&A::masterIdle),
        slotOf(&A::isInputConnected),
        slotOf(&A::isOutputConnected),
        slotOf(&A::dB2string),
        slotOf(&A::Hz2string),
        slotOf(&A::ms2string),
        slotOf(&A::float2string),
        slotOf(&A::long2string),
    };
    EXPECT_EQ(slots.size(), 45u) << "46 operations with the destructor";
    expectConsecutive(slots, kFirstSlotAfterDestructor);
}

TEST(VirtualSlots, AudioEffectXFollowsInItsOrder) {
    using X = AudioEffectX;
    const std::vector<std::ptrdiff_t> slots = {
        slotOf(&X::wantEvents),
        slotOf(&X::getTimeInfo),
        slotOf(&X::tempoAt),
        slotOf(&X::processEvents),
        slotOf(&X::getNumAutomatableParameters),
        slotOf(&X::getParameterQuantization),
        slotOf(&X::canParameterBeAutomated),
        slotOf(&X::string2parameter),
        slotOf(&X::getChannelParameter),
        slotOf(&X::getNumCategories),
        slotOf(&X::getProgramNameIndexed),
        slotOf(&X::copyProgram),
        slotOf(&X::ioChanged),
        slotOf(&X::needIdle),
        slotOf(&X::sizeWindow),
        slotOf(&X::updateSampleRate),
        slotOf(&X::updateBlockSize),
        slotOf(&X::getInputLatency),
        slotOf(&X::getOutputLatency),
        slotOf(&X::getPreviousPlug),
        slotOf(&X::getNextPlug),
        slotOf(&X::inputConnected),
        slotOf(&X::outputConnected),
        slotOf(&X::getInputProperties),
        slotOf(&X::getOutputProperties),
        slotOf(&X::getPlugCategory),
        slotOf(&X::willProcessReplacing),
        slotOf(&X::getCurrentProcessLevel),
        slotOf(&X::getAutomationState),
        slotOf(&X::wantAsyncOperation),
        slotOf(&X::hasExternalBuffer),
        slotOf(&X::reportCurrentPosition),
        slotOf(&X::reportDestinationBuffer),
        slotOf(&X::offlineRead),
        slotOf(&X::offlineWrite),
        slotOf(&X::offlineStart),
        slotOf(&X::offlineGetCurrentPass),
        slotOf(&X::offlineGetCurrentMetaPass),
        slotOf(&X::offlineNotify),
        slotOf(&X::offlinePrepare),
        slotOf(&X::offlineRun),
        slotOf(&X::offlineGetNumPasses),
        slotOf(&X::offlineGetNumMetaPasses),
        slotOf(&X::setOutputSamplerate),
        slotOf(&X::getSpeakerArrangement),
        slotOf(&X::getHostVendorString),
        slotOf(&X::getHostProductString),
        slotOf(&X::getHostVendorVersion),
        slotOf(&X::hostVendorSpecific),
        slotOf(&X::canHostDo),
        slotOf(&X::isSynth),
        slotOf(&X::noTail),
        slotOf(&X::getHostLanguage),
        slotOf(&X::openWindow),
        slotOf(&X::closeWindow),
        slotOf(&X::getDirectory),
        slotOf(&X::updateDisplay),
        slotOf(&X::processVariableIo),
        slotOf(&X::setSpeakerArrangement),
        slotOf(&X::setBlockSizeAndSampleRate),
        slotOf(&X::setBypass),
        slotOf(&X::getEffectName),
        slotOf(&X::getErrorText),
        slotOf(&X::getVendorString),
        slotOf(&X::getProductString),
        slotOf(&X::getVendorVersion),
        slotOf(&X::vendorSpecific),
        slotOf(&X::canDo),
        slotOf(&X::getIcon),
        slotOf(&X::setViewPosition),
        slotOf(&X::getGetTailSize),
        slotOf(&X::fxIdle),
        slotOf(&X::getParameterProperties),
        slotOf(&X::keysRequired),
        slotOf(&X::getVstVersion),
    };
    EXPECT_EQ(slots.size(), 75u);
    expectConsecutive(slots, kFirstSlotAfterDestructor + 45);
}

TEST(VirtualSlots, ThePlugInAddsOnlyUpdateAxesAtTheEnd) {
    EXPECT_EQ(slotOf(&ADelay::updateAxes), kFirstSlotAfterDestructor + 45 + 75);
    EXPECT_EQ(slotOf(&ADelay::processReplacing), slotOf(&AudioEffect::processReplacing));
    EXPECT_EQ(slotOf(&ADelay::canDo), slotOf(&AudioEffectX::canDo));
}

TEST(VirtualSlots, EditorBaseInItsOrder) {
    using E = AEffEditor;
    expectConsecutive({slotOf(&E::getRect), slotOf(&E::open), slotOf(&E::close), slotOf(&E::idle), slotOf(&E::update),
                       slotOf(&E::postUpdate)},
                      kFirstSlotAfterDestructor);
}

} // namespace
