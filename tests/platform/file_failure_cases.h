// What both systems' failing file calls must report alike: the kind a call fails with, and
// the cases every system shares (a missing file, an existing name, the system's own text).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/file_system.h"
#include "tests/support/test_paths.h"

namespace platformtest {

// The kind `call` fails with; a call that succeeds fails the test.
inline platform::FileFailure failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const platform::FileError& error) {
        return error.failure();
    }
    ADD_FAILURE() << "the call did not fail";
    return platform::FileFailure::Other;
}

// An error of kind Other keeps the system's text, and what() shows it.
inline void expectSystemTextKept(const platform::FileError& error) {
    EXPECT_EQ(error.failure(), platform::FileFailure::Other);
    EXPECT_FALSE(error.reason().empty());
    EXPECT_NE(std::string(error.what()).find(error.reason()), std::string::npos);
}

// Opening a missing file is NotFound; creating over `existing` is Exists.
inline void expectMissingAndExistingKinds(platform::FileSystem& files, const std::string& folder,
                                          const std::string& existing) {
    EXPECT_EQ(failureOf([&] { files.openRead(folder + "brak.mdb", platform::Sharing::ReadOnlyForOthers); }),
              platform::FileFailure::NotFound);
    EXPECT_EQ(failureOf([&] { files.createNew(existing, platform::Sharing::ReadOnlyForOthers); }),
              platform::FileFailure::Exists);
}

}  // namespace platformtest
