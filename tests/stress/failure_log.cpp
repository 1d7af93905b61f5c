#include "tests/stress/failure_log.h"

void FailureLog::record(const std::string& what) {
    failures.fetch_add(1, std::memory_order_relaxed);
    const std::lock_guard<std::mutex> guard(keptLock);
    if (kept.size() < kKept) {
        kept.push_back(what);
    }
}

std::vector<std::string> FailureLog::firstFew() const {
    const std::lock_guard<std::mutex> guard(keptLock);
    return kept;
}
