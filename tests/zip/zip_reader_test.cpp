// The reader against archives our writer makes, damaged field by field, and against
// archives made by the zip tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "archive/zip/end_record.h"
#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"
#include "archive/zip/zip_writer.h"
#include "tests/support/test_paths.h"
#include "tests/zip/zip_fixtures.h"

using namespace zip;
using ziptest::extractAll;
using ziptest::noise;
using ziptest::patchU16;
using ziptest::patchU32;

namespace {

std::string writeWith(const std::function<void(ZipWriter&)>& fill, std::string_view comment = {}) {
    std::string out;
    ZipWriter writer([&out](const char* data, std::size_t count) { out.append(data, count); });
    fill(writer);
    writer.finish(comment);
    return out;
}

}  // namespace

TEST(ZipReader, ReadsBackWhatTheWriterWroteForEveryMethodAndSize) {
    struct Case {
        const char* name;
        std::string data;
        Method method;
        std::uint16_t expectedMethod;
    };
    const std::vector<Case> cases = {
        {"empty.txt", "", Method::Auto, kMethodStored},
        {"P\\small.txt", "hello hello hello hello hello", Method::Auto, kMethodDeflate},
        {"P\\noise.bin", noise(300000), Method::Auto, kMethodStored},
        {"P\\zeros.bin", std::string(3u << 20, '\0'), Method::Deflate, kMethodDeflate},
        {"P\\stored.bin", noise(600000, 7), Method::Stored, kMethodStored},
        {"P\\deflated-noise.bin", noise(700000, 9), Method::Deflate, kMethodDeflate},
    };
    const std::string zipBytes = writeWith([&](ZipWriter& w) {
        for (const Case& c : cases) w.add(c.name, c.data, MemberOptions{.method = c.method});
    });
    ZipReader reader(memorySource(zipBytes));
    ASSERT_EQ(reader.size(), cases.size());
    reader.checkAllMembers();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(reader.entries()[i].name, cases[i].name);
        EXPECT_EQ(reader.entries()[i].method, cases[i].expectedMethod);
        std::size_t largest = 0;
        EXPECT_EQ(extractAll(reader, i, &largest), cases[i].data);
        // Streaming: the data arrive in bounded pieces whatever the member's size.
        EXPECT_LE(largest, 256u << 10);
    }
}

TEST(ZipReader, FindsTheEndRecordDespiteTrailingBytesAndPrefixBytes) {
    const std::string core = makeZip({{"a.txt", "alpha"}, {"b.txt", "beta"}});
    struct Case {
        const char* what;
        std::string bytes;
        std::uint64_t base;
    };
    const std::vector<Case> cases = {
        {"plain", core, 0},
        {"byte-order mark after the archive", core + "\xEF\xBB\xBF", 0},
        {"a stub before the archive", std::string(5000, 'S') + core, 5000},
        {"stub before and trailer after", std::string(77, 'S') + core + "\xEF\xBB\xBF" + "            17492252", 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(hasEndRecord(memorySource(c.bytes)));
        ZipReader reader(memorySource(c.bytes));
        EXPECT_EQ(reader.baseOffset(), c.base);
        ASSERT_EQ(reader.size(), 2u);
        EXPECT_EQ(extractAll(reader, 1), "beta");
    }
}

TEST(ZipReader, SearchesTheEndRecordOnlyWithinTheLast65557Bytes) {
    const std::string core = makeZip({{"a.txt", "alpha"}});
    // The record's signature is 22 bytes before the core's end; this many trailing bytes put
    // it exactly at the limit of the search.
    const std::size_t atLimit = 65557 - 22;
    EXPECT_TRUE(hasEndRecord(memorySource(core + std::string(atLimit, 'x'))));
    EXPECT_FALSE(hasEndRecord(memorySource(core + std::string(atLimit + 1, 'x'))));
    EXPECT_FALSE(hasEndRecord(memorySource("not an archive at all")));
    EXPECT_FALSE(hasEndRecord(memorySource("")));
    EXPECT_THROW(ZipReader(memorySource("PK\x05\x06 too short")), ZipError);
}

TEST(ZipReader, IsNotMisledByAnEndRecordInsideTheComment) {
    const std::string inner = makeZip({{"fake.txt", "fake"}});
    // The comment holds a whole other archive, end record included.
    const std::string bytes = writeWith([](ZipWriter& w) { w.add("real.txt", "real"); }, inner);
    ZipReader reader(memorySource(bytes));
    ASSERT_EQ(reader.size(), 1u);
    EXPECT_EQ(reader.entries()[0].name, "real.txt");
}

TEST(ZipReader, DecodesNamesAsUtf8WithTheFlagAndAsCodePage437Without) {
    const std::string bytes = writeWith([](ZipWriter& w) {
        w.add("P\\tekstury\\\xC5\x82\xC3\xB3\xC5\xBCko.jpg", "x");  // łóżko, UTF-8
        w.add("P\\\x82t\x82.txt", "y", MemberOptions{.utf8Flag = false});  // été in code page 437
        w.add("P\\bad\xC5.txt", "z");  // flagged but not UTF-8
    });
    ZipReader reader(memorySource(bytes));
    EXPECT_EQ(reader.entries()[0].name, "P\\tekstury\\\xC5\x82\xC3\xB3\xC5\xBCko.jpg");
    EXPECT_EQ(reader.entries()[1].name, "P\\\xC3\xA9t\xC3\xA9.txt");
    EXPECT_TRUE(reader.entries()[1].nameIsValid);
    EXPECT_FALSE(reader.entries()[2].nameIsValid);
}

TEST(ZipReader, LookupIgnoresTheCaseOfAsciiLettersOnly) {
    const std::string bytes = makeZip({{"P\\x.txt", "0"}, {"PKG.JPG", "1"}, {"pkg.jpg", "2"}, {"\xC5\x81\xC3\x93" "D\xC5\xB9.txt", "3"}});
    ZipReader reader(memorySource(bytes));
    EXPECT_EQ(reader.find("pkg.jpg"), 1);  // the first match wins
    EXPECT_EQ(reader.find("PKG.jpg"), 1);
    EXPECT_EQ(reader.find("p\\X.TXT"), 0);
    EXPECT_EQ(reader.find("P/x.txt"), -1);  // separators are compared as stored
    EXPECT_EQ(reader.find("\xC5\x81\xC3\x93" "d\xC5\xB9.TXT"), 3);
    EXPECT_EQ(reader.find("\xC5\x82\xC3\xB3" "d\xC5\xBA.txt"), -1);  // ł is not Ł
    EXPECT_EQ(reader.find("missing"), -1);
}

// Each case damages one field of a two-member archive and names the fault expected, and
// whether it shows when opening, when checking or when extracting member 0.
TEST(ZipReader, RefusesDamagedAndUnsupportedArchives) {
    using When = ziptest::RefusedWhen;
    struct Case {
        const char* what;
        std::function<void(std::string&, const std::vector<WrittenMember>&)> damage;
        Fault fault;
        When when;
    };
    const std::string payload = "payload payload payload payload payload payload";
    const auto cd0 = [](const std::string& z) { return ziptest::centralEntryOffset(z, 0); };
    const auto eocd = [](const std::string& z) { return z.rfind(std::string("PK\x05\x06", 4)); };
    const std::vector<Case> cases = {
        {"wrong CRC", [&](std::string& z, auto&) { patchU32(z, cd0(z) + 16, 0x12345678); patchU32(z, 14, 0x12345678); },
         Fault::CrcMismatch, When::Extract},
        {"bigger size announced", [&](std::string& z, auto&) { patchU32(z, cd0(z) + 24, 1000); patchU32(z, 22, 1000); },
         Fault::SizeMismatch, When::Extract},
        {"smaller size announced", [&](std::string& z, auto&) { patchU32(z, cd0(z) + 24, 5); patchU32(z, 22, 5); },
         Fault::SizeMismatch, When::Extract},
        {"compressed stream cut short", [&](std::string& z, auto& m) {
             const auto shorter = static_cast<std::uint32_t>(m[0].compressedSize - 4);
             patchU32(z, cd0(z) + 20, shorter);
             patchU32(z, 18, shorter); },
         Fault::BadCompressedData, When::Extract},
        {"garbage deflate data", [&](std::string& z, auto& m) { for (int k = 0; k < 6; ++k) z[m[0].dataOffset + k] = '\xFF'; },
         Fault::BadCompressedData, When::Extract},
        {"encrypted", [&](std::string& z, auto&) { patchU16(z, cd0(z) + 8, 0x0801); patchU16(z, 6, 0x0801); },
         Fault::Encrypted, When::Check},
        {"unknown method", [&](std::string& z, auto&) { patchU16(z, cd0(z) + 10, 12); patchU16(z, 8, 12); },
         Fault::UnsupportedMethod, When::Check},
        {"symbolic link", [&](std::string& z, auto&) { patchU16(z, cd0(z) + 4, 0x0314); patchU32(z, cd0(z) + 38, 0120777u << 16); },
         Fault::NotRegularFile, When::Check},
        {"local name differs", [&](std::string& z, auto&) { z[30] = 'Q'; }, Fault::HeaderMismatch, When::Check},
        {"local method differs", [&](std::string& z, auto&) { patchU16(z, 8, 0); }, Fault::HeaderMismatch, When::Check},
        {"local sizes differ", [&](std::string& z, auto&) { patchU32(z, 22, 4); }, Fault::HeaderMismatch, When::Check},
        {"local signature missing", [&](std::string& z, auto&) { z[0] = 'X'; }, Fault::BadLocalHeader, When::Check},
        {"local header beyond the members", [&](std::string& z, auto&) { patchU32(z, cd0(z) + 42, 0x7FFFFFF0); },
         Fault::BadLocalHeader, When::Check},
        {"ZIP64 size marker", [&](std::string& z, auto&) { patchU32(z, cd0(z) + 20, 0xFFFFFFFF); }, Fault::Zip64, When::Open},
        {"ZIP64 entry count", [&](std::string& z, auto&) { patchU16(z, eocd(z) + 8, 0xFFFF); patchU16(z, eocd(z) + 10, 0xFFFF); },
         Fault::Zip64, When::Open},
        {"second disk", [&](std::string& z, auto&) { patchU16(z, eocd(z) + 4, 1); }, Fault::MultiDisk, When::Open},
        {"directory beyond its end record", [&](std::string& z, auto&) { patchU32(z, eocd(z) + 16, 0x00FFFFFF); },
         Fault::BadCentralDirectory, When::Open},
        {"entry count too large", [&](std::string& z, auto&) { patchU16(z, eocd(z) + 8, 3); patchU16(z, eocd(z) + 10, 3); },
         Fault::BadCentralDirectory, When::Open},
        {"entry signature broken", [&](std::string& z, auto&) { z[cd0(z)] = 'X'; }, Fault::BadCentralDirectory, When::Open},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes;
        ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
        writer.add("A.txt", payload, MemberOptions{.method = Method::Deflate});
        writer.add("B.txt", payload);
        writer.finish();
        c.damage(bytes, writer.members());
        ziptest::expectRefused(bytes, c.fault, c.when);
    }
}

TEST(ZipReader, RefusesAnOverlapBombThatReusesOneStream) {
    std::string bytes;
    ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
    writer.add("a.bin", std::string(1u << 20, 'a'));
    writer.add("b.bin", std::string(1u << 20, 'a'));
    writer.finish();
    // Point b's directory entry at a's local header (and give it a's name so the headers agree).
    const std::size_t cd1 = ziptest::centralEntryOffset(bytes, 1);
    patchU32(bytes, cd1 + 42, 0);
    bytes[cd1 + 46] = 'a';
    ZipReader reader(memorySource(bytes));
    reader.checkMember(1);  // each member alone looks fine
    try {
        reader.checkAllMembers();
        FAIL() << "accepted";
    } catch (const ZipError& error) {
        EXPECT_EQ(error.fault(), Fault::Overlap);
    }
}

TEST(ZipReader, AcceptsDataDescriptorsWithZeroedLocalFields) {
    std::string bytes = writeWith([](ZipWriter& w) { w.add("d.txt", "described data", MemberOptions{.extraFlags = kFlagDataDescriptor}); });
    // As streaming writers do: the local header leaves CRC and sizes to the descriptor.
    patchU32(bytes, 14, 0);
    patchU32(bytes, 18, 0);
    patchU32(bytes, 22, 0);
    ZipReader reader(memorySource(bytes));
    reader.checkMember(0);
    EXPECT_EQ(extractAll(reader, 0), "described data");
}

TEST(ZipReader, StopsAtTheAnnouncedSizeEvenWhenTheStreamHoldsMore) {
    std::string bytes = writeWith([](ZipWriter& w) { w.add("big.bin", std::string(2u << 20, 'z'), MemberOptions{.method = Method::Deflate}); });
    const std::size_t cd0 = ziptest::centralEntryOffset(bytes, 0);
    patchU32(bytes, cd0 + 24, 1000);
    patchU32(bytes, 22, 1000);
    ZipReader reader(memorySource(bytes));
    std::size_t delivered = 0;
    try {
        reader.extract(0, [&](const char*, std::size_t count) { delivered += count; });
        FAIL() << "accepted";
    } catch (const ZipError& error) {
        EXPECT_EQ(error.fault(), Fault::SizeMismatch);
    }
    EXPECT_LE(delivered, 1000u);
}

TEST(ZipWriter, AStreamedMemberEndingWithAnEmptyPieceReadsBackWithItsCrc) {
    const std::string block = ziptest::noise(5000, 11);
    int left = 3;
    const std::string bytes = writeWith([&](ZipWriter& w) {
        w.addStreamed("P\\streamed.bin", [&]() -> std::string_view { return left-- > 0 ? std::string_view(block) : std::string_view(); });
    });
    ZipReader reader(memorySource(bytes));
    EXPECT_EQ(extractAll(reader, 0), block + block + block);
}

// A member inflated whole in memory and one streamed must agree on the data and on every
// fault; the in-memory path also keeps a damaged member's bytes from the sink entirely.
TEST(ZipReader, InMemoryAndStreamedMembersGiveTheSameDataAndTheSameFaults) {
    const std::string text = ziptest::noise(200000, 5) + std::string(900000, 'q') + "end";
    const std::vector<std::pair<std::string, std::string>> members = {
        {"P\\empty.bin", ""}, {"P\\one.txt", "x"}, {"P\\mixed.bin", text}};
    const std::string zipBytes = writeWith([&](ZipWriter& w) {
        for (const auto& [name, data] : members) w.add(name, data, MemberOptions{.method = Method::Deflate});
    });
    const std::uint64_t mixedSize = text.size();
    // Limits: everything in memory; the mixed member exactly at the limit; one byte below it
    // (streamed); nothing in memory.
    const std::vector<std::uint64_t> limits = {ZipReader::kDefaultInMemoryLimit, mixedSize, mixedSize - 1, 0};
    for (const std::uint64_t limit : limits) {
        SCOPED_TRACE("limit " + std::to_string(limit));
        ZipReader reader(memorySource(zipBytes));
        reader.setInMemoryLimit(limit);
        for (std::size_t i = 0; i < members.size(); ++i) {
            std::size_t largest = 0;
            EXPECT_EQ(extractAll(reader, i, &largest), members[i].second) << members[i].first;
            EXPECT_LE(largest, 256u << 10);
        }
    }

    struct Damage {
        const char* what;
        std::function<void(std::string&, const WrittenMember&, std::size_t centralEntry)> apply;
        // A stream that loses its last bytes or a block in the middle may still decode to
        // something: what it decodes to decides which check refuses it.
        std::vector<Fault> faults;
    };
    const std::vector<Damage> damages = {
        {"wrong CRC", [](std::string& z, const WrittenMember& m, std::size_t cd) {
             patchU32(z, cd + 16, 0x12345678); patchU32(z, m.localHeaderOffset + 14, 0x12345678); },
         {Fault::CrcMismatch}},
        {"deflate stream cut short", [](std::string& z, const WrittenMember& m, std::size_t cd) {
             const auto shorter = static_cast<std::uint32_t>(m.compressedSize / 2);
             patchU32(z, cd + 20, shorter); patchU32(z, m.localHeaderOffset + 18, shorter); },
         {Fault::BadCompressedData}},
        {"last bytes of the stream cut", [](std::string& z, const WrittenMember& m, std::size_t cd) {
             const auto shorter = static_cast<std::uint32_t>(m.compressedSize - 3);
             patchU32(z, cd + 20, shorter); patchU32(z, m.localHeaderOffset + 18, shorter); },
         {Fault::BadCompressedData, Fault::SizeMismatch}},
        {"more data than announced", [](std::string& z, const WrittenMember& m, std::size_t cd) {
             patchU32(z, cd + 24, 300000); patchU32(z, m.localHeaderOffset + 22, 300000); },
         {Fault::SizeMismatch}},
        {"fewer data than announced", [mixedSize](std::string& z, const WrittenMember& m, std::size_t cd) {
             const auto bigger = static_cast<std::uint32_t>(mixedSize + 1);
             patchU32(z, cd + 24, bigger); patchU32(z, m.localHeaderOffset + 22, bigger); },
         {Fault::SizeMismatch}},
        {"damaged block in the middle", [](std::string& z, const WrittenMember& m, std::size_t) {
             for (std::size_t k = 0; k < 64; ++k) z[m.dataOffset + m.compressedSize / 3 + k] ^= '\x5A'; },
         {Fault::BadCompressedData, Fault::SizeMismatch, Fault::CrcMismatch}},
    };
    for (const Damage& d : damages) {
        for (const bool inMemory : {true, false}) {
            SCOPED_TRACE(std::string(d.what) + (inMemory ? ", in memory" : ", streamed"));
            std::string bytes;
            ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
            writer.add("P\\mixed.bin", text, MemberOptions{.method = Method::Deflate});
            writer.finish();
            d.apply(bytes, writer.members()[0], ziptest::centralEntryOffset(bytes, 0));
            ZipReader reader(memorySource(bytes));
            reader.setInMemoryLimit(inMemory ? ZipReader::kDefaultInMemoryLimit : 0);
            std::size_t delivered = 0;
            try {
                reader.extract(0, [&](const char*, std::size_t count) { delivered += count; });
                FAIL() << "accepted";
            } catch (const ZipError& error) {
                EXPECT_NE(std::find(d.faults.begin(), d.faults.end(), error.fault()), d.faults.end()) << error.what();
                EXPECT_EQ(error.member(), "P\\mixed.bin");
            }
            if (inMemory) {
                EXPECT_EQ(delivered, 0u);
            }
        }
    }
}

// Differential: archives made by the zip tool (when installed) read back byte for byte.
TEST(ZipReader, ReadsArchivesMadeByTheZipTool) {
    if (std::system("zip -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "the zip tool is not installed";
    testsupport::TempDir dir;
    const std::string text(200000, 'q');
    const std::string binary = noise(100000, 3);
    testsupport::writeFile(dir.path() / "text.txt", text);
    testsupport::writeFile(dir.path() / "noise.bin", binary);
    const std::string command = "cd '" + dir.path().string() + "' && zip -q -X made.zip text.txt noise.bin && "
                                "zip -q -X -fz- - text.txt noise.bin > streamed.zip";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* archive : {"made.zip", "streamed.zip"}) {
        SCOPED_TRACE(archive);
        const std::string bytes = testsupport::readFile(dir.path() / archive);
        ZipReader reader(memorySource(bytes));
        reader.checkAllMembers();
        ASSERT_EQ(reader.size(), 2u);
        EXPECT_EQ(reader.entries()[0].name, "text.txt");
        EXPECT_EQ(reader.entries()[1].name, "noise.bin");
        EXPECT_EQ(extractAll(reader, 0), text);
        EXPECT_EQ(extractAll(reader, 1), binary);
    }
}

// Differential the other way: unzip tests the CRCs of an archive our writer made.
TEST(ZipWriter, WritesArchivesThatUnzipAccepts) {
    if (std::system("unzip -v >/dev/null 2>&1") != 0) GTEST_SKIP() << "unzip is not installed";
    testsupport::TempDir dir;
    const std::string bytes = makeZip({{"P/dodatki.mdb", std::string(50000, 'm')}, {"P/noise.bin", noise(70000)}, {"P.txt", "P\r\n"}});
    testsupport::writeFile(dir.path() / "w.zip", bytes);
    const std::string command = "unzip -tq '" + (dir.path() / "w.zip").string() + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(ZipWriter, SameInputGivesTheSameBytes) {
    const std::vector<std::pair<std::string, std::string>> members = {{"P\\a.txt", "aaaa"}, {"P\\b.bin", noise(5000)}};
    EXPECT_EQ(makeZip(members), makeZip(members));
}
