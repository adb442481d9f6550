// The program's live heap bytes and their peak, counted by the global operator new and delete
// that live_heap.cpp replaces (linked into one test program only).
#pragma once

#include <cstddef>

namespace testsupport {

std::size_t liveHeapBytes();
// The peak since the last reset; a reset starts it at the bytes live now.
std::size_t peakHeapBytes();
void resetPeakHeapBytes();

}  // namespace testsupport
