// quorvane-render: loads a VST 2 or LV2 plug-in, plays a MIDI performance
// through it and writes what it makes to a WAV file.
#include <unistd.h>

#include <CLI/CLI.hpp>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "audio_files.h"
#include "demo_performance.h"
#include "editor_picture.h"
#include "midi_file.h"
#include "parameter_args.h"
#include "performance.h"
#include "plugin_loader.h"
#include "progress_bar.h"
#include "render.h"
#include "text_table.h"

namespace {

struct Options {
    std::string plugin;
    std::string midi;
    std::string output = "quorvane-demo.wav";
    int rate = 44100;
    int block = 512;
    double tail = 2.0;
    std::string format = "float";
    std::string input;
    std::vector<std::string> params;
    std::vector<std::string> automations;
    std::string editorPng;
    bool info = false;
    bool listParams = false;
    bool verbose = false;
    bool rateGiven = false;
};

constexpr int kMinRate = 8000;
constexpr int kMaxRate = 384000;
constexpr const char* kPluginFile = "Quorvane.so";

// The plug-in played when --plugin is not given: Quorvane.so beside this
// program, where the build puts both, or else in ../lib/vst/ from it, where
// a package puts it (/usr/bin and /usr/lib/vst).
std::string defaultPluginPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return kPluginFile;
    }
    const std::filesystem::path beside = self.parent_path() / kPluginFile;
    const std::filesystem::path installed = (self.parent_path() / "../lib/vst" / kPluginFile).lexically_normal();
    const bool useInstalled = !std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error);
    return (useInstalled ? installed : beside).string();
}

SampleFormat sampleFormat(const std::string& name) {
    if (name == "pcm16") {
        return SampleFormat::Pcm16;
    }
    return name == "pcm24" ? SampleFormat::Pcm24 : SampleFormat::Float;
}

void note(const std::string& text) {
    std::fprintf(stderr, "quorvane-render: %s\n", text.c_str());
}

std::string formatDb(double linear) {
    const double db = toDbfs(linear);
    if (db == -std::numeric_limits<double>::infinity()) {
        return "-inf dBFS";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dBFS", db);
    return text;
}

// Plug-ins print to stdout as they please; what this program reports there
// goes through its own descriptor, and fd 1 is pointed at stderr.
FILE* report = stdout;

void separatePluginOutput() {
    const int fd = dup(STDOUT_FILENO);
    if (fd < 0) {
        return;
    }
    std::fflush(stdout);
    FILE* own = fdopen(fd, "w");
    if (own != nullptr && dup2(STDERR_FILENO, STDOUT_FILENO) >= 0) {
        report = own;
    }
}

void printReport(const std::string& text) {
    std::fputs(text.c_str(), report);
    std::fflush(report);
}

// Ctrl-C, a closed terminal or kill: the unfinished output goes, then the
// signal ends the program as it would have.
void onTerminatingSignal(int signal) {
    removeUnfinishedOutput();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

int run(const Options& options) {
    HostState host;
    host.sampleRate = options.rate;
    host.blockSize = options.block;
    if (options.verbose) {
        host.log = note;
    }

    std::unique_ptr<AudioReader> input;
    if (!options.input.empty()) {
        input = std::make_unique<AudioReader>(options.input);
        if (!options.rateGiven) {
            if (input->sampleRate() < kMinRate || input->sampleRate() > kMaxRate) {
                throw ArgumentError(options.input + " has a sample rate of " + std::to_string(input->sampleRate()) +
                                    " Hz, outside " + std::to_string(kMinRate) + " to " + std::to_string(kMaxRate));
            }
            host.sampleRate = input->sampleRate();
        } else if (input->sampleRate() != options.rate) {
            throw ArgumentError(options.input + " is at " + std::to_string(input->sampleRate()) +
                                " Hz but --rate asks for " + std::to_string(options.rate) +
                                " Hz; resample it or leave --rate out");
        }
    }

    Performance performance;
    if (!options.midi.empty()) {
        MidiSequence sequence = readMidiFile(options.midi);
        performance.messages = std::move(sequence.messages);
        performance.tempoBpm = sequence.initialTempoBpm;
    }

    const std::unique_ptr<Plugin> loaded = loadPlugin(options.plugin, host);
    Plugin& plugin = *loaded;
    if (options.info || options.listParams) {
        std::ostringstream text;
        if (options.info) {
            plugin.describe(text);
        }
        if (options.listParams) {
            const TextTable table = plugin.parameterTable();
            printTable(table, text);
            if (table.rows.empty()) {
                text << "(the plug-in has no parameters)\n";
            }
        }
        printReport(text.str());
        return 0;
    }
    if (plugin.audioOutputs() == 0) {
        throw PluginError(options.plugin + " has no audio outputs: there is nothing to render");
    }
    if (input && plugin.audioInputs() == 0) {
        note("the plug-in has no audio inputs; " + options.input + " is not used");
        input.reset();
    }

    // Written before the first block: the demo's sound, then the user's.
    std::vector<std::pair<int, float>> settings;
    const bool demo = options.midi.empty() && !input;
    if (demo) {
        performance.messages = demoMessages();
        performance.tempoBpm = kDemoTempoBpm;
        // Names this plug-in lacks are skipped: the demo's notes still play.
        int missing = 0;
        auto indexOf = [&](const char* name) {
            for (std::size_t i = 0; i < plugin.parameters().size(); ++i) {
                if (plugin.parameters()[i].name == name) {
                    return static_cast<int>(i);
                }
            }
            ++missing;
            return -1;
        };
        for (const DemoSetting& s : demoSettings()) {
            if (const int index = indexOf(s.name); index >= 0) {
                settings.emplace_back(index, s.value);
            }
        }
        for (const DemoAutomation& a : demoAutomation()) {
            if (const int index = indexOf(a.name); index >= 0) {
                performance.automation.push_back({a.seconds, index, a.value});
            }
        }
        if (missing > 0 && options.verbose) {
            note("the plug-in lacks " + std::to_string(missing) + " of the demo's parameter writes; playing its notes");
        }
    }
    for (const std::string& text : options.params) {
        const ParameterText parsed = parseParameterSetting(text);
        const int index = findParameter(plugin.parameters(), parsed.name);
        settings.emplace_back(index, parameterValue(parsed, plugin.parameters()[index]));
    }
    for (const std::string& text : options.automations) {
        const ParameterText parsed = parseParameterAutomation(text);
        const int index = findParameter(plugin.parameters(), parsed.name);
        performance.automation.push_back({parsed.seconds, index, parameterValue(parsed, plugin.parameters()[index])});
    }
    host.tempoBpm = performance.tempoBpm;

    const std::int64_t inputFrames = input ? input->frames() : 0;
    BlockSchedule schedule(performance, host.sampleRate, host.blockSize,
                           renderFrames(performance, host.sampleRate, options.tail, inputFrames));
    WavWriter output(options.output, plugin.audioOutputs(), static_cast<int>(host.sampleRate),
                     sampleFormat(options.format));

    // Refused before rendering rather than after: the plug-in must answer.
    if (!options.editorPng.empty() && plugin.editorPicture().empty()) {
        throw PluginError(options.plugin + " gives no picture of its editor (--editor-png)");
    }

    const auto started = std::chrono::steady_clock::now();
    plugin.start(schedule.maxEventsPerBlock());
    for (const auto& [index, value] : settings) {
        plugin.setParameter(index, value);
    }
    ProgressBar progress;
    const RenderResult result =
        renderPerformance(plugin, schedule, input.get(), output,
                          [&progress](std::int64_t done, std::int64_t total) { progress.update(done, total); });
    if (!options.editorPng.empty()) {
        writeEditorPicture(plugin, options.editorPng);
    }
    plugin.stop();
    output.commit();
    const double taken = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    progress.finish();

    if (result.nonFinite > 0) {
        note("the plug-in produced " + std::to_string(result.nonFinite) +
             " samples that are not numbers; written as 0");
    }
    if (result.peak > 1.0 && options.format != "float") {
        note("the peak is above full scale; the " + options.format + " file is clipped");
    }
    if (result.peak == 0.0) {
        note("the output is silent");
    }
    if (options.verbose) {
        note(std::to_string(schedule.events().size()) + " MIDI events, " + std::to_string(schedule.writes().size()) +
             " automation writes");
    }
    const double seconds = static_cast<double>(result.frames) / host.sampleRate;
    char summary[1024];
    std::snprintf(summary, sizeof summary,
                  "Rendered %.2f s to %s (%d ch, %d Hz, %s): peak %s, RMS %s, took %.2f s, %.1fx real time\n", seconds,
                  options.output.c_str(), result.channels, static_cast<int>(host.sampleRate), options.format.c_str(),
                  formatDb(result.peak).c_str(), formatDb(result.rms).c_str(), taken,
                  taken > 0.0 ? seconds / taken : 0.0);
    printReport(summary);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;

    CLI::App app{"Renders a MIDI performance through a VST 2 or LV2 plug-in into a WAV file.\n"
                 "With no options it plays a built-in demo through Quorvane into quorvane-demo.wav.",
                 "quorvane-render"};
    app.get_formatter()->column_width(34);
    // A repeated option takes its last value, as a shell alias plus an
    // override expects; --param and --automate collect all of theirs.
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.set_version_flag("--version", "quorvane-render " QUORVANE_VERSION, "Print the program's version and exit");
    app.add_option("--plugin", options.plugin,
                   "plug-in to load: a VST 2 library (.so), an LV2 bundle directory or an LV2 plug-in URI "
                   "(looked up in LV2_PATH, else ~/.lv2, /usr/local/lib/lv2, /usr/lib/lv2); default: Quorvane.so "
                   "beside this program, or else in ../lib/vst/ from this program's folder, where a package "
                   "installs it");
    app.add_option("--midi", options.midi,
                   "Standard MIDI File to play, format 0 or 1 (default: the built-in demo performance, "
                   "unless --input is given)");
    app.add_option("-o,--output", options.output, "WAV file to write")->capture_default_str();
    app.add_option("--rate", options.rate, "sample rate in Hz (default: 44100, or that of --input)")
        ->check(CLI::Range(kMinRate, kMaxRate));
    app.add_option("--block", options.block, "block size in frames")
        ->capture_default_str()
        ->check(CLI::Range(1, 65536));
    app.add_option("--tail", options.tail, "seconds rendered after the last event")
        ->capture_default_str()
        ->check(CLI::Range(0.0, 3600.0));
    app.add_option("--format", options.format, "sample format of the WAV file")
        ->capture_default_str()
        ->check(CLI::IsMember({"float", "pcm16", "pcm24"}));
    app.add_option("--input", options.input,
                   "audio file fed to the plug-in's inputs (the render lasts at least as long); silence otherwise");
    app.add_option("--param", options.params,
                   "set a parameter before rendering: NAME=VALUE, with the name the plug-in reports (or an LV2 "
                   "port's symbol) or its index, and a value from 0 to 1 for VST 2, in the port's range for LV2 "
                   "(repeatable)")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--automate", options.automations,
                   "write a parameter during the performance: NAME@SECONDS=VALUE; a block starts there "
                   "(repeatable)")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--editor-png", options.editorPng,
                   "after the render, write a PNG of the plug-in's editor as it then stands (Quorvane answers "
                   "this without a window system)");
    app.add_flag("--info", options.info, "print what the plug-in reports about itself and exit");
    app.add_flag("--list-params", options.listParams,
                 "print every parameter (index, name, value; VST 2: label and display text; LV2: symbol, range "
                 "and unit) and exit");
    app.add_flag("-v,--verbose", options.verbose, "report the plug-in's calls to the host and other details");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        std::fprintf(stderr, "quorvane-render: %s (--help lists the options)\n", error.what());
        return 2;
    }
    options.rateGiven = app.count("--rate") > 0;
    if (app.count("--plugin") == 0) {
        options.plugin = defaultPluginPath();
    }

    separatePluginOutput();
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
        std::signal(signal, onTerminatingSignal);
    }
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvane-render: %s\n", error.what());
        return 1;
    }
}
