#include "host_text.h"

void copyHostText(char* buffer, std::size_t capacity, const char* text) {
    if (buffer == nullptr || capacity == 0) {
        return;
    }
    std::size_t length = 0;
    if (text != nullptr) {
        while (length + 1 < capacity && text[length] != '\0') {
            buffer[length] = text[length];
            ++length;
        }
    }
    buffer[length] = '\0';
}
