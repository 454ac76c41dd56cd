#include "QuitRequest.h"

#include <atomic>

namespace {
std::atomic<bool> pending{false};
// A signal handler may store into it only when no lock is involved.
static_assert(std::atomic<bool>::is_always_lock_free);
}  // namespace

bool QuitPending() {
    return pending.load(std::memory_order_relaxed);
}

void SetQuitPending(bool value) {
    pending.store(value, std::memory_order_relaxed);
}
