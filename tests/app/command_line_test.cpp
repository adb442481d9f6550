// The installer's command line: every switch, their combinations and letter case, the host
// folder taking the rest of the line, and what counts as not understood.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/paths.h"

namespace app {
namespace {

std::string folder(std::string text) { return platform::withTrailingSeparator(std::move(text)); }

TEST(CommandLine, NoArgumentsIsTheWindowInNormalMode) {
    const InstallerOptions options = readCommandLine({});
    EXPECT_FALSE(options.silent);
    EXPECT_FALSE(options.help);
    EXPECT_FALSE(options.debug());
    EXPECT_FALSE(options.hostFolder);
    EXPECT_FALSE(options.logFile);
    EXPECT_TRUE(options.unknown.empty());
}

TEST(CommandLine, SwitchesCombineInAnyOrderAndAnyLetterCase) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"/S", "/LOG=C:\\log\\a.txt", "/D=C:\\CAD"},
          std::vector<std::string>{"/log=C:\\log\\a.txt", "/s", "/d=C:\\CAD"},
          std::vector<std::string>{"/Log=C:\\log\\a.txt", "/S", "/S", "/D=C:\\CAD"}}) {
        const InstallerOptions options = readCommandLine(args);
        EXPECT_TRUE(options.silent) << args[0];
        EXPECT_EQ(options.logFile, "C:\\log\\a.txt") << args[0];
        EXPECT_EQ(options.hostFolder, folder("C:\\CAD")) << args[0];
        EXPECT_TRUE(options.unknown.empty()) << args[0];
        EXPECT_FALSE(options.debug());
    }
    EXPECT_TRUE(readCommandLine({"/?"}).help);
    EXPECT_TRUE(readCommandLine({"/h"}).help);
    EXPECT_TRUE(readCommandLine({"/H", "/S"}).help);
}

TEST(CommandLine, DebugSwitchCountsOnlyFirstAndCombinesWithTheOthers) {
    const InstallerOptions first = readCommandLine({"/d", "/S", "/LOG=x.log"});
    EXPECT_TRUE(first.debug());
    EXPECT_TRUE(first.silent);
    EXPECT_EQ(first.logFile, "x.log");
    // Later, the debug forms keep their old meaning: none, and no complaint either.
    const InstallerOptions later = readCommandLine({"/S", "/debug", "d"});
    EXPECT_FALSE(later.debug());
    EXPECT_TRUE(later.unknown.empty());
    // "/D=" is the host folder, never the debug switch, even first.
    const InstallerOptions host = readCommandLine({"/D=C:\\CAD 2.0"});
    EXPECT_FALSE(host.debug());
    EXPECT_EQ(host.hostFolder, folder("C:\\CAD 2.0"));
}

TEST(CommandLine, HostFolderTakesTheRestOfTheLineWithItsBlanks) {
    // Unquoted, Windows splits the folder at its blanks; the reader joins the pieces again.
    const InstallerOptions split =
        readCommandLine({"/S", "/D=C:\\Program", "Files\\Kavitek\\CAD", "Żółw", "/LOG=x"});
    EXPECT_EQ(split.hostFolder, folder("C:\\Program Files\\Kavitek\\CAD Żółw /LOG=x"));
    EXPECT_FALSE(split.logFile);
    EXPECT_TRUE(split.unknown.empty());
    // Quoted, it arrives whole; a trailing separator is kept, not doubled.
    const InstallerOptions quoted = readCommandLine({"/D=" + folder("D:\\Łódź\\CAD 3")});
    EXPECT_EQ(quoted.hostFolder, folder("D:\\Łódź\\CAD 3"));
    // "/D=D:\CAD 3\" in quotes reaches the program as D:\CAD 3" (the backslash escapes the quote).
    EXPECT_EQ(readCommandLine({"/D=D:\\CAD 3\""}).hostFolder, folder("D:\\CAD 3"));
}

TEST(CommandLine, HostFolderHandedOverIsTakenAsTheSwitchTakesIt) {
    // The headless runs hand a folder over without a command line; the window gets it as "/D="
    // gives it: the separator added once, the quote Windows leaves at the end dropped.
    EXPECT_EQ(givenHostFolder("C:\\CAD"), folder("C:\\CAD"));
    EXPECT_EQ(givenHostFolder(folder("E:\\Łódź")), folder("E:\\Łódź"));
    EXPECT_EQ(givenHostFolder("D:\\CAD 3\""), folder("D:\\CAD 3"));
    EXPECT_EQ(givenHostFolder("F:\\a\"b"), folder("F:\\a\"b"));
}

TEST(CommandLine, EverythingElseIsNotUnderstood) {
    for (const std::string arg : {"-s", "/silent", "/S ", "/D=", "/LOG=", "/LOG", "x", "",
                                   "--help", "/?x", "/d x"}) {
        const InstallerOptions options = readCommandLine({"/S", arg});
        ASSERT_EQ(options.unknown.size(), 1u) << "[" << arg << "]";
        EXPECT_EQ(options.unknown.front(), arg);
    }
    // The old rule for an unknown first argument (normal mode) still holds beside the new one.
    const InstallerOptions dash = readCommandLine({"-d"});
    EXPECT_FALSE(dash.debug());
    EXPECT_EQ(dash.unknown, std::vector<std::string>{"-d"});
}

TEST(CommandLine, HelpNamesEverySwitchAndExitCode) {
    const std::string help(commandLineHelp());
    for (const char* piece : {"/S", "/D=", "/LOG=", "/d", "/?", "/h", "  0 ", "  1 ", "  2 ", "  3 ",
                              "  4 ", "  5 "})
        EXPECT_NE(help.find(piece), std::string::npos) << piece;
}

}  // namespace
}  // namespace app
