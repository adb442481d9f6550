// The one sort behind the archive checks: the order std::sort gives, for inputs with many
// equal keys, already sorted or reversed ones, and the sizes where a heap has one or two levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/heap_sort.h"
#include "tests/support/random_seed.h"

namespace {

template <typename T>
void expectSortsAsStdSort(std::vector<T> elements) {
    std::vector<T> expected = elements;
    std::sort(expected.begin(), expected.end());
    platform::heapSort(elements);
    EXPECT_EQ(elements, expected);
}

TEST(HeapSort, SortsEdgeShapesAsStdSort) {
    expectSortsAsStdSort(std::vector<int>{});
    expectSortsAsStdSort(std::vector<int>{7});
    expectSortsAsStdSort(std::vector<int>{2, 1});
    expectSortsAsStdSort(std::vector<int>{1, 2, 3});
    expectSortsAsStdSort(std::vector<int>{3, 2, 1, 0});
    expectSortsAsStdSort(std::vector<int>{5, 5, 5, 5, 5});
    std::vector<int> ascending(1000), descending(1000);
    for (int i = 0; i < 1000; ++i) ascending[i] = i, descending[i] = 1000 - i;
    expectSortsAsStdSort(ascending);
    expectSortsAsStdSort(descending);
}

// The element types the archive checks sort: (start or hash, member) and (key, member).
TEST(HeapSort, SortsRandomPairsAsStdSort) {
    const std::uint32_t seed = static_cast<std::uint32_t>(
        testsupport::seedFromEnvironment("LUMOR_HEAP_SORT_SEED").value_or(std::random_device{}()));
    testsupport::announceSeed("heap sort", seed, "LUMOR_HEAP_SORT_SEED");
    std::mt19937 random(seed);
    for (int round = 0; round < 200; ++round) {
        const std::size_t size = random() % 300;
        // Few distinct first halves: runs of equal keys, ordered by the second half.
        const std::uint32_t spread = 1 + random() % 20;
        std::vector<std::pair<std::uint64_t, std::size_t>> numbers;
        std::vector<std::pair<std::string, std::size_t>> keys;
        for (std::size_t i = 0; i < size; ++i) {
            numbers.emplace_back(random() % spread, random() % 4);
            keys.emplace_back(std::string(random() % 3, static_cast<char>('a' + random() % spread)), i);
        }
        expectSortsAsStdSort(numbers);
        expectSortsAsStdSort(keys);
        if (HasFailure()) return;
    }
}

}  // namespace
