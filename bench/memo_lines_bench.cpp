// The log box's line store against the obvious peer, a vector of strings: time to append
// N log-like lines and to read every line back, medians of 5 runs, and the ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "toolkit/memo.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string lineFor(int i) {
    return "PAKIET/tekstury/plik_" + std::to_string(i) + ".jpg";
}

template <class Store>
double runOnce(int count, std::size_t& checksum) {
    const auto start = Clock::now();
    Store store;
    for (int i = 0; i < count; ++i) {
        if constexpr (std::is_same_v<Store, toolkit::MemoLines>)
            store.append(lineFor(i));
        else
            store.push_back(lineFor(i));
    }
    for (std::size_t i = 0; i < store.size(); ++i) checksum += store[i].size();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main() {
    const int count = 3000000;
    std::size_t checksum = 0;
    std::vector<double> ours, peer;
    for (int round = 0; round < 5; ++round) {
        ours.push_back(runOnce<toolkit::MemoLines>(count, checksum));
        peer.push_back(runOnce<std::vector<std::string>>(count, checksum));
    }
    const double a = median(ours), b = median(peer);
    std::printf("%d lines: MemoLines %.1f ms, vector<string> %.1f ms, ratio %.2f (checksum %zu)\n",
                count, a, b, a / b, checksum);
    // Memory: one byte per character plus 8 per line, against a string object (32 bytes,
    // plus a heap block when the line is longer than the short-string buffer).
    std::printf("bytes per line held: MemoLines ~%zu, vector<string> >= %zu\n",
                lineFor(count / 2).size() + sizeof(std::uint64_t),
                sizeof(std::string) + lineFor(count / 2).size() + 1);
    return 0;
}
