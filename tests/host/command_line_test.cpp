// The command line itself: what --help promises and how report options combine.
#include <gtest/gtest.h>

#include <string>

#include "render_command.h"

namespace {

TEST(CommandLine, HelpListsEveryOptionWithItsDefault) {
    ScratchDir scratch;
    const CommandResult help = scratch.run({"--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    for (const char* expected :
         {"--plugin TEXT=", "Quorvane.so", "--midi", "built-in demo", "-o,--output TEXT=quorvane-demo.wav",
          "--rate", "44100", "--block INT:INT in [1 - 65536]=512", "--tail FLOAT:FLOAT in [0 - 3600]=2",
          "--format TEXT:{float,pcm16,pcm24}=float", "--input", "--param", "--automate", "--info", "--list-params"}) {
        EXPECT_NE(help.out.find(expected), std::string::npos) << expected << " missing from\n" << help.out;
    }
    EXPECT_TRUE(scratch.files().empty()) << "--help rendered something";
}

TEST(CommandLine, InfoAndListParamsTogetherPrintBothAndRenderNothing) {
    ScratchDir scratch;
    const CommandResult both = scratch.run({"--plugin", RECORDING_PLUGIN, "--info", "--list-params"});
    ASSERT_EQ(both.exitCode, 0) << both.err;
    const std::size_t info = both.out.find("unique ID       Recd");
    const std::size_t params = both.out.find("Tone Colour");
    EXPECT_NE(info, std::string::npos) << both.out;
    EXPECT_NE(params, std::string::npos) << both.out;
    EXPECT_LT(info, params);
    EXPECT_TRUE(scratch.files().empty());
}

} // namespace
