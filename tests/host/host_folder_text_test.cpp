#include "host/edit1_click.h"
#include "host/host_folder_text.h"

#include <gtest/gtest.h>

#include "tests/host/recording_log.h"

namespace {

using hosttest::nativePath;

TEST(HostFolderText, TrimsBlanksAndControlCharactersAtBothEnds) {
    EXPECT_EQ(host::trimBlanks(" \t\r\nD:\\H \x01\x1f"), "D:\\H");
    EXPECT_EQ(host::trimBlanks("a b"), "a b");
    EXPECT_EQ(host::trimBlanks("   "), "");
    // Multi-byte letters at the ends are not blanks.
    EXPECT_EQ(host::trimBlanks("ż ż"), "ż ż");
}

TEST(HostFolderText, ProposalEndsWithExactlyOneSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Kavitek\\CAD 2.0", "C:\\Kavitek\\CAD 2.0\\"},
        {"C:\\Kavitek\\CAD 2.0\\\\\\", "C:\\Kavitek\\CAD 2.0\\"},
        {"  C:\\Kavitek\\CAD 2.0 \t", "C:\\Kavitek\\CAD 2.0\\"},
        {"C:\\Kavitek\\CAD 2.0\\ ", "C:\\Kavitek\\CAD 2.0\\"},
        {"", "\\"},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(host::folderProposal(nativePath(in)), nativePath(out)) << in;
}

TEST(HostFolderText, PickedFolderLeadsBackToItsHostFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"D:\\H\\dodatki\\P\\", "D:\\H\\"},
        {"D:\\H\\dodatki\\", "D:\\H\\"},
        {"D:\\H\\", "D:\\H\\"},
        {"C:\\", "C:\\"},
        {"D:\\dodatki\\", "D:\\"},
        {"D:\\H\\Dodatki\\", "D:\\H\\Dodatki\\"},
        {"\\\\S\\share\\H\\", "\\\\S\\share\\H\\"},
        {"\\\\S\\share\\H\\dodatki\\P\\", "\\\\S\\share\\H\\"},
        {"D:\\H\\dodatki\\P\\dodatki\\", "D:\\H\\"},
        {"D:\\H\\dodatkiX\\", "D:\\H\\dodatkiX\\"},
        {"D:\\H", "D:\\H\\"},
        {"D:\\H \\", "D:\\H \\"},
        {"\\", "\\"},
    };
    for (const auto& [picked, host] : cases)
        EXPECT_EQ(host::hostFolderFromPicked(nativePath(picked)), nativePath(host)) << picked;
}

}  // namespace
