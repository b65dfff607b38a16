#pragma once
// Work shared out among a few threads: the items of a pass that are
// independent of each other (folders to list, folders to check) taken one
// at a time by whichever thread is free.
#include <cstddef>
#include <functional>

namespace cartulon {

// How many threads a pass over the disc uses: the processor's count, at
// least 1 and at most 8 (more only wait for the disc).
unsigned PassThreads();

// Calls work(i) once for every i below `count`, on up to `threads` threads
// (this one among them; none more when there is little to share). Returns
// when every call has returned. The first exception a call throws is thrown
// here once all threads have stopped; the items not yet begun are then not
// begun.
void ShareOut(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work);

}  // namespace cartulon
