#include "host/check_run_app.h"

#include <gtest/gtest.h>

#include "tests/host/recording_log.h"
#include "tests/support/fake_system.h"

namespace {

using hosttest::RecordingLog;

struct GuardCase {
    std::vector<std::string> processes;
    bool passes;
    const char* named;  // the program the user message names, when it fails
};

TEST(CheckRunApp, DecidesOnTheWholeSnapshot) {
    const GuardCase cases[] = {
        {{"explorer.exe", "svchost.exe"}, true, nullptr},
        {{}, true, nullptr},
        {{"runcad.exe"}, true, nullptr},
        {{"RUNCAD.EXE"}, false, "RUNCAD.EXE"},
        {{"Runcad.exe"}, false, "Runcad.exe"},
        {{"CADLumorPro.exe"}, false, "CADLumorPro.exe"},
        {{"arcade.exe"}, false, "arcade.exe"},
        {{"explorer.exe", "CADTool.exe", "notepad.exe", "MyCad 3.exe", "cmd.exe"},
         false, "MyCad 3.exe"},
        {{"runcad.exe", "ca-d.exe", "cAd.exe"}, false, "cAd.exe"},
    };
    for (const auto& c : cases) {
        testsupport::FakeSystem system;
        for (const auto& name : c.processes) system.addProcess(name);
        RecordingLog log;
        EXPECT_EQ(host::CheckRunApp(log, system), c.passes) << ::testing::PrintToString(c.processes);
        if (c.passes) {
            EXPECT_TRUE(log.userMessages().empty());
            EXPECT_TRUE(log.has("Nie znaleziono uruchomionej applikacji CAD."));
        } else {
            EXPECT_EQ(log.userMessages(),
                      std::vector<std::string>{"Wyłącz program " + std::string(c.named) +
                                               " i spróbuj ponownie."});
        }
    }
}

TEST(CheckRunApp, LogsEveryProcessWithItsPositionAndEveryConflict) {
    testsupport::FakeSystem system;
    system.addProcess("explorer.exe");
    system.addProcess("xcAd.exe");
    system.addProcess("runcad.exe");
    system.addProcess("CADLumorPro.exe");
    RecordingLog log;
    EXPECT_FALSE(host::CheckRunApp(log, system));
    const std::vector<hosttest::LogLine> expected = {
        {2, "Sprawdzamy uruchomienie applikacji CAD."},
        {2, "Znaleziona w pamięci aplikację: explorer.exe : 0"},
        {2, "Znaleziona w pamięci aplikację: xcAd.exe : 2"},
        {2, "Wykryto konfliktową aplikację: xcAd.exe"},
        {2, "Znaleziona w pamięci aplikację: runcad.exe : 4"},
        {2, "Znaleziona w pamięci aplikację: CADLumorPro.exe : 1"},
        {2, "Wykryto konfliktową aplikację: CADLumorPro.exe"},
        {1, "Wyłącz program CADLumorPro.exe i spróbuj ponownie."},
    };
    EXPECT_EQ(log.lines, expected);
}

TEST(CheckRunApp, AFailingSnapshotBlocksWithTheErrorText) {
    // The guard cannot tell whether the host runs, so it must not let installation proceed.
    testsupport::FakeSystem system;
    system.addProcess("explorer.exe");
    system.snapshotFails = true;
    system.snapshotError = "Brak dostępu do listy procesów";
    RecordingLog log;
    EXPECT_FALSE(host::CheckRunApp(log, system));
    EXPECT_EQ(log.lines.back(), (hosttest::LogLine{1, "[BŁAD]Brak dostępu do listy procesów"}));
    EXPECT_FALSE(log.has("Nie znaleziono uruchomionej applikacji CAD."));
}

TEST(CheckRunApp, TheSystemsRefusalIsWordedInPolish) {
    // The platform throws a typed error; the guard words it, the system's text in parentheses.
    struct RefusingSystem : testsupport::FakeSystem {
        std::vector<platform::ProcessEntry> processSnapshot() override {
            throw platform::SystemError(platform::SystemQuery::ProcessList, "Permission denied", "/proc");
        }
    } system;
    RecordingLog log;
    EXPECT_FALSE(host::CheckRunApp(log, system));
    EXPECT_EQ(log.lines.back(),
              (hosttest::LogLine{1, "[BŁAD]Nie można odczytać listy procesów z /proc (Permission denied)"}));
}

}  // namespace
