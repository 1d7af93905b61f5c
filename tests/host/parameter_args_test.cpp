// How the user's parameter texts are read.
#include <gtest/gtest.h>

#include "host/parameter_args.h"

namespace {

const std::vector<std::string> kNames = {"MYTargetPos", "MYRate", "FXM0Rate", "FYStaticPos", "LModifier1", "Mix", "mix"};

TEST(ParameterLookup, ExactNameThenCaseInsensitiveThenIndex) {
    EXPECT_EQ(findParameter(kNames, "FXM0Rate"), 2);
    EXPECT_EQ(findParameter(kNames, "fystaticpos"), 3);
    EXPECT_EQ(findParameter(kNames, "mix"), 6);  // exact wins over the caseless "Mix"
    EXPECT_EQ(findParameter(kNames, "4"), 4);
    EXPECT_THROW(findParameter(kNames, "MIX"), ArgumentError); // two caseless matches: ambiguous
    EXPECT_THROW(findParameter(kNames, "7"), ArgumentError);
    EXPECT_THROW(findParameter(kNames, "99999999999"), ArgumentError);
}

TEST(ParameterLookup, ClosestNamesPreferWhatWasTypedThenFewestEdits) {
    EXPECT_EQ(closestNames(kNames, "StaticPos", 1), std::vector<std::string>{"FYStaticPos"});
    EXPECT_EQ(closestNames(kNames, "MYRat", 1), std::vector<std::string>{"MYRate"});
    EXPECT_EQ(closestNames(kNames, "FXM1Rate", 1), std::vector<std::string>{"FXM0Rate"});
    try {
        findParameter(kNames, "LModifer1");
        FAIL();
    } catch (const ArgumentError& error) {
        EXPECT_NE(std::string(error.what()).find("closest names: LModifier1,"), std::string::npos) << error.what();
    }
}

TEST(ParameterLookup, LV2SymbolsMatchExactlyAfterNames) {
    const std::vector<ParameterFacts> ports = {{"Low-Mid Freq", "low_mid"}, {"Low", "low"}, {"low_mid", "other"}};
    EXPECT_EQ(findParameter(ports, "low"), 1);
    EXPECT_EQ(findParameter(ports, "Low"), 1);
    EXPECT_EQ(findParameter(ports, "low_mid"), 2) << "a name wins over another port's symbol";
    EXPECT_EQ(findParameter(ports, "other"), 2);
    EXPECT_EQ(findParameter(ports, "LOW-MID FREQ"), 0);
    EXPECT_THROW(findParameter(ports, "OTHER"), ArgumentError) << "symbols are matched exactly";
}

TEST(ParameterTexts, ValuesAreRefusedOutsideTheirParametersRange) {
    const ParameterFacts normalised{"Gain", "", 0.0f, 1.0f};
    const ParameterFacts decibels{"Low", "low", -24.0f, 24.0f};
    const ParameterFacts unbounded{"Offset", "offset"};
    EXPECT_EQ(parameterValue(parseParameterSetting("Gain=1"), normalised), 1.0f);
    EXPECT_EQ(parameterValue(parseParameterSetting("Low=-24"), decibels), -24.0f);
    EXPECT_EQ(parameterValue(parseParameterSetting("Offset=-1e30"), unbounded), -1e30f);
    const auto refusal = [](const std::string& text, const ParameterFacts& facts) {
        try {
            parameterValue(parseParameterSetting(text), facts);
        } catch (const ArgumentError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal("Gain=-0.01", normalised), "value -0.01 for Gain is outside 0 to 1");
    EXPECT_EQ(refusal("Low=24.5", decibels), "value 24.5 for Low is outside -24 to 24");
    EXPECT_EQ(refusal("Offset=1e39", unbounded), "value 1e39 for Offset is too large for a parameter");
}

TEST(ParameterTexts, SettingsAndAutomationSplitAtTheirLastSeparators) {
    const ParameterText setting = parseParameterSetting("a=b=0.25");
    EXPECT_EQ(setting.name, "a=b");
    EXPECT_FLOAT_EQ(setting.value, 0.25f);
    const ParameterText automation = parseParameterAutomation("name@home@1.5e0=1");
    EXPECT_EQ(automation.name, "name@home");
    EXPECT_DOUBLE_EQ(automation.seconds, 1.5);
    EXPECT_FLOAT_EQ(automation.value, 1.0f);
    for (const char* bad : {"x=", "x= 0.5", "x=0.5 ", "x=0x", "x=1e999", "=0.5"}) {
        EXPECT_THROW(parseParameterSetting(bad), ArgumentError) << bad;
    }
    for (const char* bad : {"x@=0.5", "x@1=", "@1=0.5", "x@inf=0.5", "x@100000=0.5"}) {
        EXPECT_THROW(parseParameterAutomation(bad), ArgumentError) << bad;
    }
}

} // namespace
