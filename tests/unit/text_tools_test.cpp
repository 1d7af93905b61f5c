// The five number formats, against the texts musicians have always seen.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "vst2/audioeffectx.h"

namespace {

class TextPlugin : public AudioEffectX {
public:
    TextPlugin() : AudioEffectX(nullptr, 1, 1) {}
    void process(float**, float**, VstInt32) override {}
};

// Runs a tool into a buffer full of markers and checks it wrote nothing past
// its terminator and nothing past 9 bytes.
template <typename Tool> std::string render(Tool tool) {
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    tool(buffer);
    const std::size_t length = strnlen(buffer, sizeof buffer);
    EXPECT_LE(length, 8u);
    for (std::size_t i = length + 1; i < sizeof buffer; ++i) {
        EXPECT_EQ(buffer[i], '#') << "byte " << i << " written after the text";
    }
    return std::string(buffer, length);
}

struct FloatCase {
    float value;
    const char* text;
};

TEST(TextTools, FloatFieldCutsDigitsInsteadOfRounding) {
    TextPlugin plugin;
    const FloatCase cases[] = {
        {0.0f, "0.000000"},         {1.5f, "1.500000"},         {-1.5f, "-1.50000"},      {-0.25f, "-0.25000"},
        {123.456f, "123.4560"},     {44100.0f, "44100.00"},     {9999999.0f, "9999999."}, {0.7f, "0.699999"},
        {0.0001f, "0.000099"},      {0.0000005f, "0.000000"},   {-0.0f, "0.000000"},      {22.05f, "22.04999"},
        {100000000.0f, " Huge!  "}, {-10000000.0f, " Huge!  "}, {INFINITY, " Huge!  "},   {-INFINITY, " Huge!  "},
    };
    for (const FloatCase& c : cases) {
        EXPECT_EQ(render([&](char* t) { plugin.float2string(c.value, t); }), c.text) << c.value;
    }
}

TEST(TextTools, IntegersTooWideForAPointStillShowEveryDigit) {
    TextPlugin plugin;
    EXPECT_EQ(render([&](char* t) { plugin.float2string(12345678.0f, t); }), "12345678");
    EXPECT_EQ(render([&](char* t) { plugin.float2string(99999999.0f, t); }), " Huge!  ")
        << "99999999 is not representable; the nearest float is 100000000";
    EXPECT_EQ(render([&](char* t) { plugin.float2string(-1234567.0f, t); }), "-1234567");
    EXPECT_EQ(render([&](char* t) { plugin.float2string(-9999999.0f, t); }), "-9999999");
    EXPECT_EQ(render([&](char* t) { plugin.float2string(-999999.0f, t); }), "-999999.");
    EXPECT_EQ(render([&](char* t) { plugin.float2string(NAN, t); }), "NaN");
}

TEST(TextTools, DecibelsOfGainFactors) {
    TextPlugin plugin;
    const FloatCase cases[] = {{1.0f, "0.000000"}, {0.5f, "-6.02059"},  {2.0f, "6.020599"}, {0.001f, "-60.0000"},
                               {0.0f, "  -oo   "}, {-1.0f, "  -oo   "}, {NAN, "  -oo   "}};
    for (const FloatCase& c : cases) {
        EXPECT_EQ(render([&](char* t) { plugin.dB2string(c.value, t); }), c.text) << c.value;
    }
}

TEST(TextTools, PeriodsAndLengthsInSampleFrames) {
    TextPlugin plugin;
    EXPECT_EQ(render([&](char* t) { plugin.Hz2string(100.0f, t); }), "441.0000");
    EXPECT_EQ(render([&](char* t) { plugin.Hz2string(3.0f, t); }), "14700.00");
    EXPECT_EQ(render([&](char* t) { plugin.Hz2string(0.0f, t); }), "0.000000");
    EXPECT_EQ(render([&](char* t) { plugin.Hz2string(NAN, t); }), "0.000000");
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(44100.0f, t); }), "1000.000");
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(441.0f, t); }), "10.00000");
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(1.0f, t); }), "0.022675");

    plugin.setSampleRate(0.0f);
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(1.0f, t); }), " Huge!  ");
    plugin.setSampleRate(48000.0f);
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(48.0f, t); }), "1.000000");
}

TEST(TextTools, DerivedSampleRateAndFormatReachTheTools) {
    struct Overriding : TextPlugin {
        float getSampleRate() override { return 1000.0f; }
        void float2string(float value, char* text) override { std::snprintf(text, 32, "<%g>", value); }
    } plugin;
    EXPECT_EQ(render([&](char* t) { plugin.Hz2string(4.0f, t); }), "<250>");
    EXPECT_EQ(render([&](char* t) { plugin.ms2string(10.0f, t); }), "<10>");
    EXPECT_EQ(render([&](char* t) { plugin.dB2string(1.0f, t); }), "<0>");
}

TEST(TextTools, IntegersRightAlignedInSevenPlaces) {
    TextPlugin plugin;
    const std::pair<VstInt32, const char*> cases[] = {
        {12345678, "12345678"}, {-1234567, "-1234567"},  {0, "      0"},
        {-5, "     -5"},        {100000000, " Huge!  "}, {99999999, "99999999"},
        {-9999999, "-9999999"}, {-10000000, " Huge!  "}, {INT32_MIN, " Huge!  "}};
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(render([&](char* t) { plugin.long2string(value, t); }), text) << value;
    }
}

} // namespace
