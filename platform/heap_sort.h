// One out-of-line sort for the short-lived lists that are sorted once (a reader's member
// extents, duplicate-check hashes and keys): each std::sort instantiation brings its own
// introsort, heap and insertion-sort code into the installer, this brings two callbacks.
// Heapsort: O(n log n) at any input, also one an archive's author arranged. Not stable; equal
// elements may come in any order.
#pragma once

#include <cstddef>

#include "platform/function_ref.h"

namespace platform {

// Sorts positions 0..count-1 of a sequence the callbacks see: `less(a, b)` compares the
// elements at positions a and b, `swap(a, b)` exchanges them.
void heapSort(std::size_t count, FunctionRef<bool(std::size_t, std::size_t)> less,
              FunctionRef<void(std::size_t, std::size_t)> swap);

// A vector (or any indexable container) in the order of its elements' operator<.
template <typename Container>
void heapSort(Container& elements) {
    using std::swap;
    heapSort(
        elements.size(), [&](std::size_t a, std::size_t b) { return elements[a] < elements[b]; },
        [&](std::size_t a, std::size_t b) { swap(elements[a], elements[b]); });
}

}  // namespace platform
