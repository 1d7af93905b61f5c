// The one table of parameter facts, as every front end reads it.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "engine/engine.h"

namespace {

TEST(ParameterTable, NamesAreUniqueAndTheDefaultsAreWhatANewEngineHolds) {
    std::set<std::string> names;
    Engine engine;
    for (std::int32_t index = 0; index < NumParams; ++index) {
        const ParameterFacts& facts = kParameterTable[static_cast<std::size_t>(index)];
        EXPECT_TRUE(names.insert(facts.name).second) << facts.name;
        EXPECT_EQ(engine.parameter(index), facts.defaultValue) << facts.name;
        EXPECT_STREQ(facts.label, "  ");
    }
    EXPECT_STREQ(kParameterTable[MYM0Overshoot].name, "MYM0Overshoot");
    EXPECT_STREQ(kParameterTable[LModifier1].name, "LModifier1");
}

// Every column of the editor shows the same controls, each driving exactly
// one parameter of its section: offsets repeat from section to section.
TEST(ParameterTable, EachEditorControlDrivesOneParameterPerSection) {
    for (int control = static_cast<int>(EditorControl::xyPadX); control <= static_cast<int>(EditorControl::yM0OvershootKnob);
         ++control) {
        const auto which = static_cast<EditorControl>(control);
        const std::int32_t offset = sectionOffsetOf(which);
        ASSERT_GE(offset, 0) << "control " << control << " drives nothing";
        for (std::int32_t section = 0; section < kNumSections; ++section) {
            int driven = 0;
            for (std::int32_t within = 0; within < kParametersPerSection; ++within) {
                if (kParameterTable[static_cast<std::size_t>(kParametersPerSection * section + within)].control == which) {
                    ++driven;
                    EXPECT_EQ(within, offset) << "control " << control << " in section " << section;
                }
            }
            EXPECT_EQ(driven, 1) << "control " << control << " in section " << section;
        }
    }
    EXPECT_EQ(sectionOffsetOf(EditorControl::xyPadX), MXTargetPos);
    EXPECT_EQ(sectionOffsetOf(EditorControl::yM0OvershootKnob), MYM0Overshoot);
    EXPECT_EQ(sectionOffsetOf(EditorControl::none), -1);
    EXPECT_EQ(kParameterTable[FYStaticPos].control, EditorControl::none) << "reached through the host only";
}

TEST(ParameterTable, DisplayedNumbersFitEightCharacters) {
    EXPECT_EQ(displayedNumber(FXRate, 0.015f), 1) << "0.015 is a little less than 1.5 %";
    EXPECT_EQ(displayedNumber(FXRate, 0.5f), 50);
    EXPECT_EQ(displayedNumber(FXRate, NAN), 0);
    EXPECT_EQ(displayedNumber(FXRate, 3e38f), 99999999);
    EXPECT_EQ(displayedNumber(FXRate, -INFINITY), -9999999);
    EXPECT_EQ(displayedNumber(NumParams, 0.5f), 0);
}

} // namespace
