// The user's parameter texts: names or indices, values, and times, checked
// and turned into what the plug-in is given.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "plugin.h"

class ArgumentError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A finite number, the whole text; `what` names it in the error.
double parseNumber(const std::string& text, const std::string& what);

// A parameter by the name the plug-in reports (exactly, else by its symbol,
// else ignoring case when that is unambiguous) or by its index. An unknown
// name is refused with the closest names the plug-in has.
int findParameter(const std::vector<std::string>& names, const std::string& nameOrIndex,
                  const std::vector<std::string>& symbols = {});
int findParameter(const std::vector<ParameterFacts>& parameters, const std::string& nameOrIndex);

// The closest names first, at most `count` of them.
std::vector<std::string> closestNames(const std::vector<std::string>& names, const std::string& wanted,
                                      std::size_t count);

struct ParameterText {
    std::string name;
    double seconds = 0.0; // only for NAME@SECONDS=VALUE
    double value = 0.0;
    std::string valueText;
};
// NAME=VALUE, with a finite number for VALUE.
ParameterText parseParameterSetting(const std::string& text);
// NAME@SECONDS=VALUE.
ParameterText parseParameterAutomation(const std::string& text);

// The value for the parameter, refused (not clamped) outside its range.
float parameterValue(const ParameterText& text, const ParameterFacts& parameter);
