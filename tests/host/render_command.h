// Runs the built quorvane-render as a user would, in a scratch directory,
// and reads back what it left.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/audio_files.h"

// LV2 plug-ins the tests load: our test bundles, then Debian's. Set for each
// command, so that nothing in the runner's ~/.lv2 is seen.
inline const std::string kLv2Path = std::string(LV2_TEST_PATH) + ":/usr/lib/lv2";
inline const std::string kLv2PathSetting = "LV2_PATH='" + kLv2Path + "'";
// The LV2 twin of the VST 2 recording plug-in (tests/host/lv2/).
inline const std::string kLv2Recorder = "urn:quorvane:test:lv2-recorder";

struct CommandResult {
    int exitCode = -1;
    std::string out, err;
    // stderr's lines, without empty ones.
    std::vector<std::string> errorLines() const {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty()) {
                lines.push_back(line);
            }
        }
        return lines;
    }
};

// A folder of the test's own, removed with it. Commands run there get a home
// of their own inside it, with the folders a desktop user's home has:
// plug-ins keep settings and data there (amsynth's presets fail to load
// where ~/.local/share is missing), and nothing the runner's own home holds
// may change what a test sees.
class ScratchDir {
public:
    ScratchDir() {
        const std::filesystem::path base = std::filesystem::temp_directory_path() / "quorvane-render-test.XXXXXX";
        std::string pattern = base.string();
        dir = mkdtemp(pattern.data());
        for (const char* folder : kHomeFolders) {
            std::filesystem::create_directories(home() + "/" + folder);
        }
    }
    ~ScratchDir() { std::filesystem::remove_all(dir); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const { return dir + "/" + name; }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path() != home()) {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    std::string home() const { return path(".home"); }

    // `prefix` is shell text put before the command (variables, ulimit).
    CommandResult run(const std::vector<std::string>& args, const std::string& prefix = "") const {
        const std::string environment = "export HOME=" + quote(home()) + " XDG_CONFIG_HOME=" +
                                        quote(home() + "/.config") + " XDG_DATA_HOME=" +
                                        quote(home() + "/.local/share") + " XDG_CACHE_HOME=" +
                                        quote(home() + "/.cache") + " XDG_STATE_HOME=" +
                                        quote(home() + "/.local/state") + "; unset XDG_RUNTIME_DIR; ";
        std::string command =
            "cd " + quote(dir) + " || exit 1; " + environment + prefix + " exec " + quote(QUORVANE_RENDER);
        for (const std::string& arg : args) {
            command += " " + quote(arg);
        }
        command += " >" + quote(path(".stdout")) + " 2>" + quote(path(".stderr")) + " </dev/null";
        CommandResult result;
        const int status = std::system(command.c_str());
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        result.out = slurp(path(".stdout"));
        result.err = slurp(path(".stderr"));
        std::filesystem::remove(path(".stdout"));
        std::filesystem::remove(path(".stderr"));
        return result;
    }

    static std::string slurp(const std::string& file) {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    static constexpr const char* kHomeFolders[] = {".config", ".local/share", ".local/state", ".cache"};

    static std::string quote(const std::string& text) {
        std::string quoted = "'";
        for (char c : text) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return quoted + "'";
    }
    std::string dir;
};
