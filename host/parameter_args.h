// The user's parameter texts: names or indices, values, and times, checked
// and turned into what the plug-in is given.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A finite number, the whole text; `what` names it in the error.
double parseNumber(const std::string& text, const std::string& what);

// A parameter by the name the plug-in reports (exactly, else ignoring case
// when that is unambiguous) or by its index. An unknown name is refused with
// the closest names the plug-in has.
int findParameter(const std::vector<std::string>& names, const std::string& nameOrIndex);

// The closest names first, at most `count` of them.
std::vector<std::string> closestNames(const std::vector<std::string>& names, const std::string& wanted,
                                      std::size_t count);

struct ParameterText {
    std::string name;
    double seconds = 0.0; // only for NAME@SECONDS=VALUE
    float value = 0.0f;
};
// NAME=VALUE; the value is a normalised parameter value from 0 to 1.
ParameterText parseParameterSetting(const std::string& text);
// NAME@SECONDS=VALUE.
ParameterText parseParameterAutomation(const std::string& text);
