#include "engine/engine_math.h"

#include <cmath>

double engineSin(double x) {
    return std::sin(x);
}

double enginePow(double x, double y) {
    return std::pow(x, y);
}
