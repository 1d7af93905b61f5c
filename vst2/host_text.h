// The one way text reaches a buffer that someone else owns.
#pragma once

#include <cstddef>

// Copies text and its terminator into buffer, never more than capacity bytes
// in all: a longer text is cut. Nothing is written beyond the terminator, and
// a null buffer or a capacity of 0 writes nothing.
void copyHostText(char* buffer, std::size_t capacity, const char* text);
