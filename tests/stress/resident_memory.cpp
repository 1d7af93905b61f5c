#include "tests/stress/resident_memory.h"

#include <unistd.h>

#include <fstream>

std::int64_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t sizePages = 0;
    std::int64_t residentPages = 0;
    if (!(statm >> sizePages >> residentPages)) {
        return 0;
    }
    return residentPages * sysconf(_SC_PAGESIZE);
}
