// A System for tests: every answer is a field the test sets, and the process snapshot can be
// made to fail the way the real one does (std::runtime_error).
#pragma once

#include <string>
#include <vector>

#include "platform/system.h"

namespace testsupport {

class FakeSystem : public platform::System {
public:
    std::vector<std::string> roots;
    std::vector<platform::ProcessEntry> processes;
    // When set, processSnapshot throws std::runtime_error with this message.
    bool snapshotFails = false;
    std::string snapshotError = "CreateToolhelp32Snapshot failed";
    std::string exePath;
    std::string currentDir;
    platform::ScreenSize screen{1920, 1080};
    int snapshotCalls = 0;

    // Adds a process with the next free id.
    void addProcess(const std::string& exeName);

    std::vector<std::string> driveRoots() override { return roots; }
    std::vector<platform::ProcessEntry> processSnapshot() override;
    std::string executablePath() override { return exePath; }
    std::string currentDirectory() override { return currentDir; }
    platform::ScreenSize primaryScreenSize() override { return screen; }
};

}  // namespace testsupport
