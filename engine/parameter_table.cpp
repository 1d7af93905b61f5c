#include "engine/parameter_table.h"

#include <cmath>

namespace {

std::int32_t percentOf(float value) {
    const double percent = std::floor(static_cast<double>(value) * 100.0 + 0.5);
    if (std::isnan(percent)) {
        return 0;
    }
    if (percent > 99999999.0) {
        return 99999999;
    }
    if (percent < -9999999.0) {
        return -9999999;
    }
    return static_cast<std::int32_t>(percent);
}

} // namespace

std::int32_t displayedNumber(std::int32_t index, float value) {
    if (!isParameter(index)) {
        return 0;
    }
    switch (kParameterTable[static_cast<std::size_t>(index)].display) {
    case DisplayRule::percent:
        return percentOf(value);
    }
    return 0;
}
