// The Debian package as a user gets it: the files it holds, what its control
// fields declare, and the installed program rendering the demo through the
// installed plug-in, unpacked into a scratch root as dpkg unpacks it into /.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "host/audio_files.h"
#include "tests/host/audio_measure.h"
#include "tests/host/render_command.h"

namespace {

// One line of dpkg-deb --contents: mode, owner/group, size, date, time, path.
struct PackagedEntry {
    std::string mode, owner, path;
};

std::vector<PackagedEntry> packagedEntries(const ScratchDir& scratch) {
    const CommandResult listing = scratch.runProgram("dpkg-deb", {"--contents", QUORVANE_PACKAGE});
    EXPECT_EQ(listing.exitCode, 0) << listing.err;
    std::vector<PackagedEntry> entries;
    std::istringstream lines(listing.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        PackagedEntry entry;
        std::string size, date, time;
        fields >> entry.mode >> entry.owner >> size >> date >> time >> entry.path;
        entries.push_back(entry);
    }
    return entries;
}

std::string controlField(const ScratchDir& scratch, const std::string& name) {
    const CommandResult field = scratch.runProgram("dpkg-deb", {"--field", QUORVANE_PACKAGE, name});
    EXPECT_EQ(field.exitCode, 0) << field.err;
    return field.out.substr(0, field.out.find('\n'));
}

TEST(DebianPackage, HoldsTheProgramThePluginItsManualAndTheDocuments) {
    ScratchDir scratch;
    const std::map<std::string, std::string> expected = {
        {"./usr/bin/quorvane-render", "-rwxr-xr-x"},
        {"./usr/lib/vst/Quorvane.so", "-rw-r--r--"},
        {"./usr/lib/lv2/Quorvane.lv2/manifest.ttl", "-rw-r--r--"},
        {"./usr/lib/lv2/Quorvane.lv2/quorvane.ttl", "-rw-r--r--"},
        {"./usr/lib/lv2/Quorvane.lv2/presets.ttl", "-rw-r--r--"},
        {"./usr/lib/lv2/Quorvane.lv2/quorvane.so", "-rw-r--r--"},
        {"./usr/lib/lv2/Quorvane.lv2/quorvane_ui.so", "-rw-r--r--"},
        {"./usr/share/man/man1/quorvane-render.1.gz", "-rw-r--r--"},
        {"./usr/share/doc/quorvane/README.md", "-rw-r--r--"},
        {"./usr/share/doc/quorvane/copyright", "-rw-r--r--"},
        {"./usr/share/doc/quorvane/changelog.gz", "-rw-r--r--"},
    };
    std::map<std::string, std::string> files;
    for (const PackagedEntry& entry : packagedEntries(scratch)) {
        EXPECT_EQ(entry.owner, "root/root") << entry.path;
        if (entry.mode[0] == 'd') {
            EXPECT_EQ(entry.mode, "drwxr-xr-x") << entry.path;
        } else {
            files[entry.path] = entry.mode;
        }
    }
    EXPECT_EQ(files, expected);
}

TEST(DebianPackage, DeclaresTheProjectVersionAndTheLibrariesItsBinariesLink) {
    ScratchDir scratch;
    EXPECT_EQ(controlField(scratch, "Package"), "quorvane");
    EXPECT_EQ(controlField(scratch, "Version"), QUORVANE_VERSION);
    const std::string depends = controlField(scratch, "Depends");
    // quorvane-render's and Quorvane.so's libraries, with the lowest
    // versions of their packages that provide the symbols they use.
    for (const char* package :
         {"libc6 (>= ", "libstdc++6 (>= ", "libgcc-s1 (>= ", "libsndfile1 (>= ", "libstb0 (>= ", "libx11-6"}) {
        EXPECT_NE(depends.find(package), std::string::npos) << package << " missing from " << depends;
    }
}

// The package unpacked into a scratch root, as dpkg would unpack it into /.
class InstalledPackage : public ::testing::Test {
protected:
    void SetUp() override {
        const CommandResult unpacked = scratch.runProgram("dpkg", {"--extract", QUORVANE_PACKAGE, installed("")});
        ASSERT_EQ(unpacked.exitCode, 0) << unpacked.err;
    }

    std::string installed(const std::string& path) const { return scratch.path("root") + path; }

    CommandResult runInstalled(const std::vector<std::string>& args) const {
        return scratch.runProgram(installed("/usr/bin/quorvane-render"), args);
    }

    std::string unzipped(const std::string& path) const {
        const CommandResult text = scratch.runProgram("zcat", {installed(path)});
        EXPECT_EQ(text.exitCode, 0) << text.err;
        return text.out;
    }

    ScratchDir scratch;
};

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

TEST_F(InstalledPackage, RendersTheDemoThroughTheInstalledPlugin) {
    const CommandResult info = runInstalled({"--info"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    EXPECT_NE(info.out.find("library         " + installed("/usr/lib/vst/Quorvane.so") + " "), std::string::npos)
        << info.out;

    const CommandResult render = runInstalled({"-o", "installed.wav"});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const AudioData demo = readAudioFile(scratch.path("installed.wav"));
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.sampleRate, 44100);
    // The demo's last note-off at 9.6 s, then the 2 s tail.
    EXPECT_EQ(demo.frames(), std::llround(9.6 * 44100) + 2 * 44100);
    EXPECT_GT(rmsOf(demo, 0, 0, demo.frames()), 0.01);

    // Stripped and installed, it is the code the build tree tested.
    const CommandResult built = scratch.run({"-o", "built.wav"});
    ASSERT_EQ(built.exitCode, 0) << built.err;
    EXPECT_TRUE(sameBits(readAudioFile(scratch.path("built.wav")).samples, demo.samples));

    // The installed LV2 bundle plays the same demo to the same samples.
    const CommandResult lv2 = runInstalled({"--plugin", installed("/usr/lib/lv2/Quorvane.lv2"), "-o", "lv2.wav"});
    ASSERT_EQ(lv2.exitCode, 0) << lv2.err;
    EXPECT_TRUE(sameBits(readAudioFile(scratch.path("lv2.wav")).samples, demo.samples));
}

TEST_F(InstalledPackage, ProgramManualAndChangelogNameTheProjectVersion) {
    const CommandResult version = runInstalled({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err;
    EXPECT_EQ(version.out, "quorvane-render " QUORVANE_VERSION "\n");

    const std::string manual = unzipped("/usr/share/man/man1/quorvane-render.1.gz");
    EXPECT_NE(manual.find(".TH QUORVANE-RENDER \"1\""), std::string::npos) << manual;
    EXPECT_NE(manual.find("\"quorvane-render " QUORVANE_VERSION "\""), std::string::npos) << manual;
    EXPECT_NE(manual.find("\\fB\\-\\-plugin\\fR TEXT"), std::string::npos) << manual;

    const std::string changelog = unzipped("/usr/share/doc/quorvane/changelog.gz");
    EXPECT_EQ(changelog.rfind("quorvane (" QUORVANE_VERSION ") ", 0), 0u) << changelog;
}

// Debian's copyright format: the copyright line as a field, the licence's
// lines indented by a space, blank lines written as " .".
TEST_F(InstalledPackage, CopyrightCarriesTheLicenceText) {
    const std::string copyright = ScratchDir::slurp(installed("/usr/share/doc/quorvane/copyright"));
    std::ifstream licence(LICENCE_FILE);
    std::string title, blank, holder;
    std::getline(licence, title);
    std::getline(licence, blank);
    std::getline(licence, holder);
    ASSERT_EQ(holder.rfind("Copyright (c) ", 0), 0u) << holder;
    EXPECT_NE(copyright.find("\nCopyright: " + holder.substr(14) + "\nLicense: Expat\n"), std::string::npos)
        << copyright;
    std::getline(licence, blank);
    std::string body;
    for (std::string line; std::getline(licence, line);) {
        body += line.empty() ? " .\n" : " " + line + "\n";
    }
    EXPECT_NE(copyright.find("License: Expat\n" + body), std::string::npos) << copyright;
}

} // namespace
