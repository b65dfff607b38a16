#pragma once
// Marks where data passes between the analysis worker and the main thread
// under Qt's own synchronisation (the end of a QThread, a blocking queued
// call). Qt's mutexes and semaphores wait on futexes that ThreadSanitizer
// does not see into unless Qt itself was built with it, so in a
// ThreadSanitizer build these state the order Qt guarantees; in every other
// build they are empty.
#if defined(__SANITIZE_THREAD__)
#define CARTULON_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define CARTULON_THREAD_SANITIZER 1
#endif
#endif

#ifdef CARTULON_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace cartulon {

// What this thread did so far happens before what another thread does after
// a later HandOffAcquire of the same `token`.
inline void HandOffRelease([[maybe_unused]] const void* token) {
#ifdef CARTULON_THREAD_SANITIZER
  __tsan_release(const_cast<void*>(token));
#endif
}

inline void HandOffAcquire([[maybe_unused]] const void* token) {
#ifdef CARTULON_THREAD_SANITIZER
  __tsan_acquire(const_cast<void*>(token));
#endif
}

}  // namespace cartulon
