#include "parameter_args.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "midi_file.h"

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// As short as it reads back: 0, 1, -24, 0.5.
std::string numberText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

} // namespace

double parseNumber(const std::string& text, const std::string& what) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || std::isspace(static_cast<unsigned char>(text[0])) ||
        errno == ERANGE || !std::isfinite(value)) {
        throw ArgumentError(what + " \"" + text + "\" is not a number");
    }
    return value;
}

std::vector<std::string> closestNames(const std::vector<std::string>& names, const std::string& wanted,
                                      std::size_t count) {
    const std::string key = lower(wanted);
    // Names that contain what was typed come first ("Tone" for "Tone Colour"),
    // then the fewest edits away.
    std::vector<std::pair<std::size_t, std::string>> ranked;
    for (const std::string& name : names) {
        if (!name.empty()) {
            const std::string candidate = lower(name);
            const bool contains = !key.empty() && candidate.find(key) != std::string::npos;
            ranked.emplace_back((contains ? 0 : 1000) + editDistance(key, candidate), name);
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < ranked.size() && closest.size() < count; ++i) {
        if (std::find(closest.begin(), closest.end(), ranked[i].second) == closest.end()) {
            closest.push_back(ranked[i].second);
        }
    }
    return closest;
}

int findParameter(const std::vector<std::string>& names, const std::string& nameOrIndex,
                  const std::vector<std::string>& symbols) {
    for (const std::vector<std::string>* exact : {&names, &symbols}) {
        for (std::size_t i = 0; i < exact->size(); ++i) {
            if ((*exact)[i] == nameOrIndex) {
                return static_cast<int>(i);
            }
        }
    }
    int caseless = -1;
    const std::string key = lower(nameOrIndex);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (lower(names[i]) == key) {
            if (caseless >= 0) {
                throw ArgumentError("parameter name \"" + nameOrIndex + "\" matches both " + names[caseless] + " and " +
                                    names[i] + "; give the exact name or the index");
            }
            caseless = static_cast<int>(i);
        }
    }
    if (caseless >= 0) {
        return caseless;
    }
    if (!nameOrIndex.empty() && nameOrIndex.size() < 10 &&
        std::all_of(nameOrIndex.begin(), nameOrIndex.end(), [](unsigned char c) { return std::isdigit(c); })) {
        const long index = std::strtol(nameOrIndex.c_str(), nullptr, 10);
        if (index >= static_cast<long>(names.size())) {
            throw ArgumentError("parameter index " + nameOrIndex + " is out of range: the plug-in has " +
                                std::to_string(names.size()) + " parameters");
        }
        return static_cast<int>(index);
    }
    if (names.empty()) {
        throw ArgumentError("unknown parameter \"" + nameOrIndex + "\": the plug-in has no parameters");
    }
    std::string message = "unknown parameter \"" + nameOrIndex + "\"; closest names:";
    const std::vector<std::string> closest = closestNames(names, nameOrIndex, 3);
    for (std::size_t i = 0; i < closest.size(); ++i) {
        message += (i == 0 ? " " : ", ") + closest[i];
    }
    throw ArgumentError(message + " (--list-params shows them all)");
}

int findParameter(const std::vector<ParameterFacts>& parameters, const std::string& nameOrIndex) {
    std::vector<std::string> names, symbols;
    for (const ParameterFacts& p : parameters) {
        names.push_back(p.name);
        symbols.push_back(p.symbol);
    }
    return findParameter(names, nameOrIndex, symbols);
}

float parameterValue(const ParameterText& text, const ParameterFacts& parameter) {
    const float value = static_cast<float>(text.value);
    if (!std::isfinite(value)) {
        throw ArgumentError("value " + text.valueText + " for " + text.name + " is too large for a parameter");
    }
    if (value < parameter.minimum || value > parameter.maximum) {
        throw ArgumentError("value " + text.valueText + " for " + text.name + " is outside " +
                            numberText(parameter.minimum) + " to " + numberText(parameter.maximum));
    }
    return value;
}

ParameterText parseParameterSetting(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        throw ArgumentError("--param \"" + text + "\" is not NAME=VALUE");
    }
    ParameterText result;
    result.name = text.substr(0, equals);
    result.valueText = text.substr(equals + 1);
    result.value = parseNumber(result.valueText, "value for " + result.name);
    return result;
}

ParameterText parseParameterAutomation(const std::string& text) {
    const std::size_t equals = text.rfind('=');
    const std::size_t at = equals == std::string::npos ? std::string::npos : text.rfind('@', equals);
    if (equals == std::string::npos || at == std::string::npos || at == 0) {
        throw ArgumentError("--automate \"" + text + "\" is not NAME@SECONDS=VALUE");
    }
    ParameterText result;
    result.name = text.substr(0, at);
    result.seconds = parseNumber(text.substr(at + 1, equals - at - 1), "time for " + result.name);
    if (result.seconds < 0.0) {
        throw ArgumentError("time " + text.substr(at + 1, equals - at - 1) + " for " + result.name +
                            " is before the start");
    }
    if (result.seconds > kMaxMidiSeconds) {
        throw ArgumentError("time " + text.substr(at + 1, equals - at - 1) + " for " + result.name +
                            " is more than 24 hours into the performance");
    }
    result.valueText = text.substr(equals + 1);
    result.value = parseNumber(result.valueText, "value for " + result.name);
    return result;
}
