// Tables in aligned columns, for --list-params and --info.
#pragma once

#include <ostream>

#include "plugin.h"

// The first column (an index) is right-aligned, the others left-aligned; the
// last is not padded. Every line starts with `indent` spaces.
void printTable(const TextTable& table, std::ostream& out, int indent = 0);
