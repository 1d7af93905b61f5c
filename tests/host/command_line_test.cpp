// The command line itself: what --help promises and how report options combine.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render_command.h"

namespace {

TEST(CommandLine, HelpListsEveryOptionWithItsDefault) {
    ScratchDir scratch;
    const CommandResult help = scratch.run({"--help"});
    ASSERT_EQ(help.exitCode, 0) << help.err;
    for (const char* expected :
         {"--plugin TEXT", "Quorvane.so beside this program", "../lib/vst/", "--version", "--midi", "built-in demo", "-o,--output TEXT=quorvane-demo.wav",
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

TEST(CommandLine, VersionIsTheProjectVersion) {
    ScratchDir scratch;
    const CommandResult version = scratch.run({"--version"});
    ASSERT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "quorvane-render " QUORVANE_VERSION "\n");
    EXPECT_TRUE(scratch.files().empty());
}

// Laid out as a package installs them: the program in usr/bin, the plug-in
// in usr/lib/vst. A plug-in beside the program still comes first, as in the
// build tree.
TEST(CommandLine, DefaultPluginIsBesideTheProgramElseInLibVst) {
    namespace fs = std::filesystem;
    ScratchDir scratch;
    const fs::path bin = scratch.path("usr/bin"), vst = scratch.path("usr/lib/vst");
    fs::create_directories(bin);
    fs::create_directories(vst);
    fs::copy_file(QUORVANE_RENDER, bin / "quorvane-render");
    fs::copy_file(QUORVANE_LIBRARY, vst / "Quorvane.so");
    const std::string program = (bin / "quorvane-render").string();

    const CommandResult installed = scratch.runProgram(program, {"--info"});
    ASSERT_EQ(installed.exitCode, 0) << installed.err;
    EXPECT_NE(installed.out.find("library         " + (vst / "Quorvane.so").string() + " "), std::string::npos)
        << installed.out;
    EXPECT_NE(installed.out.find("unique ID       Qrvx"), std::string::npos) << installed.out;

    fs::copy_file(RECORDING_PLUGIN, bin / "Quorvane.so");
    const CommandResult beside = scratch.runProgram(program, {"--info"});
    ASSERT_EQ(beside.exitCode, 0) << beside.err;
    EXPECT_NE(beside.out.find("unique ID       Recd"), std::string::npos) << beside.out;

    fs::remove(bin / "Quorvane.so");
    fs::remove(vst / "Quorvane.so");
    const CommandResult neither = scratch.runProgram(program, {"--info"});
    EXPECT_EQ(neither.exitCode, 1);
    EXPECT_NE(neither.err.find((bin / "Quorvane.so").string()), std::string::npos) << neither.err;
}

} // namespace
