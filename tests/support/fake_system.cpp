// The fake system's only behaviour: numbering processes and failing the snapshot on request.
#include "tests/support/fake_system.h"

#include <stdexcept>

namespace testsupport {

void FakeSystem::addProcess(const std::string& exeName) {
    platform::ProcessEntry entry;
    entry.id = static_cast<std::uint32_t>(processes.size() + 1) * 4;
    entry.exeName = exeName;
    processes.push_back(entry);
}

std::vector<platform::ProcessEntry> FakeSystem::processSnapshot() {
    ++snapshotCalls;
    if (snapshotFails) throw std::runtime_error(snapshotError);
    return processes;
}

}  // namespace testsupport
