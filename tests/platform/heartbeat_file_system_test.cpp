// The installer's window keeps answering during long file work only if every piece of that
// work beats: each read and write of every kind of opened file, and each operation.
#include "platform/heartbeat_file_system.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "tests/support/test_paths.h"

namespace {

// The real file system behind a heartbeat that counts, in a temporary folder.
struct CountingBeats {
    testsupport::TempDir temp;
    const std::string dir = temp.folder();
    int beats = 0;
    platform::HeartbeatFileSystem files{platform::realFileSystem(), [this] { ++beats; }};

    // How many beats `step` made.
    template <typename Step>
    int beatsOf(Step&& step) {
        const int before = beats;
        step();
        return beats - before;
    }
};

TEST(HeartbeatFileSystem, EveryReadWriteAndOperationBeatsFirstAndPassesOn) {
    CountingBeats counting;
    const std::string& dir = counting.dir;
    platform::HeartbeatFileSystem& files = counting.files;
    const auto beatsOf = [&counting](auto&& step) { return counting.beatsOf(step); };
    char buffer[4] = {};

    std::unique_ptr<platform::WritableFile> out;
    EXPECT_EQ(beatsOf([&] { out = files.createWrite(dir + "a"); }), 1);
    EXPECT_EQ(beatsOf([&] { out->write("abcd", 4); out->write("ef", 2); }), 2);
    EXPECT_EQ(beatsOf([&] { out->close(); }), 1);

    std::unique_ptr<platform::ReadableFile> in;
    EXPECT_EQ(beatsOf([&] { in = files.openRead(dir + "a", platform::Sharing::ReadOnlyForOthers); }), 1);
    EXPECT_EQ(in->path(), dir + "a");
    EXPECT_EQ(in->size(), 6);
    EXPECT_EQ(beatsOf([&] { EXPECT_EQ(in->readAt(2, buffer, 4), 4u); }), 1);
    EXPECT_EQ(std::string(buffer, 4), "cdef");
    in.reset();

    for (bool fresh : {false, true}) {
        std::unique_ptr<platform::RandomAccessFile> pages;
        EXPECT_EQ(beatsOf([&] {
                      pages = fresh ? files.createNew(dir + "b", platform::Sharing::ReadWriteForOthers)
                                    : files.openReadWrite(dir + "a", platform::Sharing::ReadWriteForOthers);
                  }),
                  1);
        EXPECT_EQ(beatsOf([&] { pages->writeAt(0, "xy", 2); }), 1);
        EXPECT_EQ(beatsOf([&] { pages->flush(); }), 1);
        EXPECT_EQ(beatsOf([&] { EXPECT_EQ(pages->readAt(0, buffer, 2), 2u); }), 1);
        EXPECT_EQ(std::string(buffer, 2), "xy");
    }

    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.createFolder(dir + "d")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.replaceFileUnsynced(dir + "b", dir + "d" + platform::kSeparator + "b")); }), 1);
    EXPECT_EQ(beatsOf([&] { files.syncFolder(dir + "d"); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_EQ(files.listSubFolders(dir, "*"), std::vector<std::string>{"d"}); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.deleteFile(dir + "a")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_FALSE(files.fileExists(dir + "a")); }), 1);
}

TEST(HeartbeatFileSystem, TheOtherOperationsBeatOnceAndTheSizeDoesNot) {
    CountingBeats counting;
    const std::string& dir = counting.dir;
    platform::HeartbeatFileSystem& files = counting.files;
    const auto beatsOf = [&counting](auto&& step) { return counting.beatsOf(step); };
    auto out = files.createWrite(dir + "a");
    out->write("abc", 3);
    out->close();
    out.reset();

    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.folderExists(dir)); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_FALSE(files.isLink(dir + "a")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.renameNoReplace(dir + "a", dir + "b")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.replaceFile(dir + "b", dir + "c")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.freeSpace(dir).has_value()); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.setReadOnly(dir + "c", true)); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_EQ(files.readOnly(dir + "c"), std::optional<bool>(true)); }), 1);
    EXPECT_TRUE(files.setReadOnly(dir + "c", false));
    EXPECT_TRUE(files.createFolder(dir + "d"));
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.folderIsEmpty(dir + "d")); }), 1);
    EXPECT_EQ(beatsOf([&] { EXPECT_TRUE(files.removeFolder(dir + "d")); }), 1);

    auto in = files.openRead(dir + "c", platform::Sharing::ReadOnlyForOthers);
    EXPECT_EQ(beatsOf([&] { EXPECT_EQ(in->size(), 3); }), 0);
    in.reset();
    auto pages = files.openReadWrite(dir + "c", platform::Sharing::ReadWriteForOthers);
    EXPECT_EQ(beatsOf([&] { EXPECT_EQ(pages->size(), 3); }), 0);
}

// A beat that throws stops the call before the inner system sees it: the beat comes first.
TEST(HeartbeatFileSystem, ABeatThatThrowsKeepsTheCallFromTheInnerSystem) {
    testsupport::TempDir temp;
    const std::string dir = temp.folder();
    bool refuse = false;
    platform::HeartbeatFileSystem files(platform::realFileSystem(), [&refuse] {
        if (refuse) throw std::runtime_error("stop");
    });
    auto out = files.createWrite(dir + "a");
    out->write("abc", 3);
    auto pages = files.createNew(dir + "b", platform::Sharing::ReadWriteForOthers);

    refuse = true;
    EXPECT_THROW(files.createFolder(dir + "d"), std::runtime_error);
    EXPECT_THROW(out->write("def", 3), std::runtime_error);
    EXPECT_THROW(pages->writeAt(0, "xy", 2), std::runtime_error);
    EXPECT_THROW(files.deleteFile(dir + "b"), std::runtime_error);
    EXPECT_THROW(files.createWrite(dir + "e"), std::runtime_error);
    refuse = false;

    out->close();
    EXPECT_FALSE(files.folderExists(dir + "d"));
    EXPECT_FALSE(files.fileExists(dir + "e"));
    EXPECT_EQ(pages->size(), 0);
    auto in = files.openRead(dir + "a", platform::Sharing::ReadOnlyForOthers);
    EXPECT_EQ(in->size(), 3);
}

}  // namespace
