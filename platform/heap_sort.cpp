#include "platform/heap_sort.h"

namespace platform {

namespace {

// Moves the element at `root` down until neither child within [0, end) is greater.
void siftDown(std::size_t root, std::size_t end, FunctionRef<bool(std::size_t, std::size_t)> less,
              FunctionRef<void(std::size_t, std::size_t)> swap) {
    for (std::size_t child = 2 * root + 1; child < end; root = child, child = 2 * root + 1) {
        if (child + 1 < end && less(child, child + 1)) ++child;
        if (!less(root, child)) return;
        swap(root, child);
    }
}

}  // namespace

void heapSort(std::size_t count, FunctionRef<bool(std::size_t, std::size_t)> less,
              FunctionRef<void(std::size_t, std::size_t)> swap) {
    for (std::size_t i = count / 2; i-- > 0;) siftDown(i, count, less, swap);
    for (std::size_t end = count; end > 1;) {
        swap(0, --end);
        siftDown(0, end, less, swap);
    }
}

}  // namespace platform
