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

class ScratchDir {
public:
    ScratchDir() {
        char pattern[] = "/tmp/quorvane-render-test.XXXXXX";
        dir = mkdtemp(pattern);
    }
    ~ScratchDir() { std::filesystem::remove_all(dir); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path(const std::string& name) const { return dir + "/" + name; }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    // `prefix` is shell text put before the command (variables, ulimit).
    CommandResult run(const std::vector<std::string>& args, const std::string& prefix = "") const {
        std::string command = "cd " + quote(dir) + " && " + prefix + " exec " + quote(QUORVANE_RENDER);
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
    static std::string quote(const std::string& text) {
        std::string quoted = "'";
        for (char c : text) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        return quoted + "'";
    }
    std::string dir;
};
