// The small helpers that keep call sites short: concat and FunctionRef.
#include <gtest/gtest.h>

#include <string>

#include "platform/concat.h"
#include "platform/function_ref.h"

namespace {

int applyTwice(platform::FunctionRef<int(int)> f, int x) { return f(f(x)); }

void appendThrough(platform::FunctionRef<void(std::string&)> f, std::string& text) { f(text); }

}  // namespace

TEST(Concat, JoinsPiecesInOrderIncludingEmptyAndNonAsciiOnes) {
    const std::string path = "C:\\Program Files\\CADTool\\";
    EXPECT_EQ(platform::concat({"MDB: [", path, "", "dodatki.mdb", "]"}),
              "MDB: [C:\\Program Files\\CADTool\\dodatki.mdb]");
    EXPECT_EQ(platform::concat({"Zażółć ", std::string(3, 'x')}), "Zażółć xxx");
    EXPECT_EQ(platform::concat({}), "");
}

TEST(FunctionRef, CallsTheReferencedCallableWithItsStateNotACopy) {
    int calls = 0;
    const auto addCalls = [&calls](int x) { return x + ++calls; };
    EXPECT_EQ(applyTwice(addCalls, 10), 13);  // 10 + 1, then 11 + 2
    EXPECT_EQ(calls, 2);

    // A mutable lambda keeps its state in the object referenced, across calls.
    int seen = 0;
    auto counter = [seen]() mutable { return ++seen; };
    platform::FunctionRef<int()> ref(counter);
    ref();
    EXPECT_EQ(ref(), 2);
    EXPECT_EQ(counter(), 3);
}

TEST(FunctionRef, PassesReferencesThrough) {
    std::string text = "log";
    appendThrough([](std::string& t) { t += " line"; }, text);
    EXPECT_EQ(text, "log line");
}
