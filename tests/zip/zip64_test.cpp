// ZIP64: our writer uses it only when the archive needs it, our reader takes what the zip
// tool and Python's zipfile write, both read each other's, and forged ZIP64 records and
// fields are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>

#include "archive/zip/zip_error.h"
#include "archive/zip/zip_reader.h"
#include "archive/zip/zip_writer.h"
#include "tests/support/test_paths.h"
#include "tests/zip/zip_fixtures.h"

using namespace zip;
using ziptest::extractAll;
using ziptest::patchU16;
using ziptest::patchU32;
using ziptest::patchU64;
using ziptest::readU32;

namespace {

bool hasZip64End(const std::string& zip) { return zip.find(std::string("PK\x06\x06", 4)) != std::string::npos; }

// `count` one-line members P\NNNNN.txt, stored (deflate would only slow the test down).
std::string manyMembers(std::size_t count) {
    std::string out;
    ZipWriter writer([&out](const char* data, std::size_t n) { out.append(data, n); });
    for (std::size_t i = 0; i < count; ++i)
        writer.add("P\\" + std::to_string(i) + ".txt", std::to_string(i) + "\n", MemberOptions{.method = Method::Stored});
    writer.finish();
    return out;
}

bool have(const char* probe) { return std::system(probe) == 0; }

std::string quotedPath(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

// An archive of gigabytes kept in memory as its non-zero pieces: the writer's output goes in
// piece by piece, zero pieces become holes.
class SparseArchive {
public:
    void append(const char* data, std::size_t count) {
        const bool zeros = std::all_of(data, data + count, [](char c) { return c == 0; });
        if (!zeros) pieces_[size_] = std::string(data, count);
        size_ += count;
    }
    Source source() const {
        Source s;
        s.size = size_;
        s.readAt = [this](std::uint64_t offset, void* buffer, std::size_t count) -> std::size_t {
            if (offset >= size_) return 0;
            count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
            auto* out = static_cast<char*>(buffer);
            std::fill(out, out + count, '\0');
            auto it = pieces_.upper_bound(offset);
            if (it != pieces_.begin()) --it;
            for (; it != pieces_.end() && it->first < offset + count; ++it) {
                const std::uint64_t from = std::max(offset, it->first);
                const std::uint64_t to = std::min(offset + count, it->first + it->second.size());
                if (from < to) std::copy_n(it->second.data() + (from - it->first), to - from, out + (from - offset));
            }
            return count;
        };
        return s;
    }
    // A sparse file on disk; false when the file system has no room for it.
    bool writeTo(const std::filesystem::path& file) const {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        for (const auto& [at, bytes] : pieces_) {
            out.seekp(static_cast<std::streamoff>(at));
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        out.close();
        std::error_code ec;
        std::filesystem::resize_file(file, size_, ec);
        return out && !ec;
    }
    std::uint64_t size() const { return size_; }

private:
    std::map<std::uint64_t, std::string> pieces_;
    std::uint64_t size_ = 0;
};

}  // namespace

TEST(Zip64Writer, WritesZip64RecordsOnlyWhenTheMemberCountNeedsThem) {
    const std::string below = manyMembers(65534);
    EXPECT_FALSE(hasZip64End(below));
    EXPECT_EQ(ZipReader(memorySource(below)).size(), 65534u);

    const std::string above = manyMembers(70000);
    ASSERT_TRUE(hasZip64End(above));
    const std::size_t eocd = above.rfind(std::string("PK\x05\x06", 4));
    EXPECT_EQ(readU32(above, eocd + 8), 0xFFFFFFFFu) << "both 16-bit counts hold the marker";
    ZipReader reader(memorySource(above));
    ASSERT_EQ(reader.size(), 70000u);
    reader.checkAllMembers();
    EXPECT_EQ(reader.entries()[69999].name, "P\\69999.txt");
    EXPECT_EQ(extractAll(reader, 69999), "69999\n");
    EXPECT_EQ(extractAll(reader, 0), "0\n");
}

TEST(Zip64Writer, AReplayedMemberHasTheBytesOfOneAddedWhole) {
    const std::string data = ziptest::noise(100000) + std::string(200000, 'a');
    for (Method method : {Method::Auto, Method::Stored, Method::Deflate}) {
        std::string whole, replayed;
        ZipWriter a([&whole](const char* d, std::size_t n) { whole.append(d, n); });
        a.add("P\\x.bin", data, MemberOptions{.method = method});
        a.finish();
        ZipWriter b([&replayed](const char* d, std::size_t n) { replayed.append(d, n); });
        b.addReplayed("P\\x.bin", [&](const std::function<void(std::string_view)>& take) {
            for (std::size_t at = 0; at < data.size(); at += 4096) take(std::string_view(data).substr(at, 4096));
        }, MemberOptions{.method = method});
        b.finish();
        EXPECT_EQ(whole, replayed) << static_cast<int>(method);
    }
}

TEST(Zip64Writer, RefusesAReplayedMemberWhoseSecondPassDiffers) {
    std::string out;
    ZipWriter writer([&out](const char* d, std::size_t n) { out.append(d, n); });
    int pass = 0;
    EXPECT_THROW(writer.addReplayed("x", [&](const std::function<void(std::string_view)>& take) {
        take(++pass == 1 ? "first" : "later");
    }), MemberChanged);
}

// Differential: the zip tool's test and Python's zipfile read our 70,000-member archive, and
// we read Python's (with bytes before it, as in an installer) and the zip tool's forced ZIP64.
TEST(Zip64Interop, OtherToolsReadOursAndWeReadTheirs) {
    testsupport::TempDir dir;
    const auto ours = dir.path() / "ours.zip";
    testsupport::writeFile(ours, manyMembers(70000));
    if (have("unzip -v >/dev/null 2>&1")) {
        EXPECT_EQ(std::system(("unzip -tq " + quotedPath(ours) + " >/dev/null").c_str()), 0);
    } else {
        std::puts("unzip is not installed: its check is skipped");
    }
    if (!have("python3 -c 'import zipfile' >/dev/null 2>&1")) GTEST_SKIP() << "python3 is not installed";
    EXPECT_EQ(std::system(("python3 -c 'import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                           "sys.exit(z.testzip() is not None or len(z.namelist()) != 70000)' " + quotedPath(ours)).c_str()), 0);

    // Python: 66,000 members (ZIP64 end record), two with a ZIP64 local field, after a prefix.
    const auto theirs = dir.path() / "theirs.zip";
    const std::string prefix = "MZ" + std::string(998, 'x');
    const std::string script =
        "import sys,zipfile\n"
        "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
        "    with z.open('big/forced.bin', 'w', force_zip64=True) as m: m.write(b'forced ' * 1000)\n"
        "    for i in range(66000): z.writestr('P/%d.txt' % i, str(i))\n"
        "    with z.open('big/last.bin', 'w', force_zip64=True) as m: m.write(b'last')\n";
    testsupport::writeFile(dir.path() / "make.py", script);
    ASSERT_EQ(std::system(("python3 " + quotedPath(dir.path() / "make.py") + " " + quotedPath(theirs)).c_str()), 0);
    const std::string bytes = prefix + testsupport::readFile(theirs);
    ZipReader reader(memorySource(bytes));
    ASSERT_EQ(reader.size(), 66002u);
    EXPECT_EQ(reader.baseOffset(), 1000u);
    reader.checkAllMembers();
    EXPECT_EQ(extractAll(reader, 0).size(), 7000u);
    EXPECT_EQ(extractAll(reader, 66000), "65999");
    EXPECT_EQ(extractAll(reader, 66001), "last");

    if (!have("zip -v >/dev/null 2>&1")) GTEST_SKIP() << "zip is not installed";
    const auto forced = dir.path() / "forced.zip";
    testsupport::writeFile(dir.path() / "a.txt", std::string(5000, 'a'));
    testsupport::writeFile(dir.path() / "b.txt", "streamed");
    // -fz forces ZIP64 fields: the zip tool writes only the compressed size in them.
    const std::string zipCommand = "cd " + quotedPath(dir.path()) + " && zip -q -fz forced.zip a.txt b.txt";
    ASSERT_EQ(std::system(zipCommand.c_str()), 0);
    const std::string forcedBytes = testsupport::readFile(forced);
    ZipReader forcedReader(memorySource(forcedBytes));
    ASSERT_EQ(forcedReader.size(), 2u);
    forcedReader.checkAllMembers();
    EXPECT_EQ(extractAll(forcedReader, 0), std::string(5000, 'a'));
    EXPECT_EQ(extractAll(forcedReader, 1), "streamed");
}

// A member of more than 4 GiB and one after it at an offset past 4 GiB, generated: the
// archive lives in memory as its non-zero pieces, and on disk as a sparse file that Python's
// zipfile lists and reads the second member from (a whole test of 4 GiB by unzip takes a
// minute: the benchmark does that).
TEST(Zip64Large, AMemberPastFourGibibytesAndOneBeyondItReadBack) {
    constexpr std::uint64_t kBig = (4ull << 30) + (1u << 20);
    SparseArchive archive;
    ZipWriter writer([&archive](const char* d, std::size_t n) { archive.append(d, n); });
    const std::string zeros(1u << 20, '\0');
    writer.addReplayed("P\\big.bin", [&](const std::function<void(std::string_view)>& take) {
        for (std::uint64_t at = 0; at < kBig; at += zeros.size()) take(zeros);
    }, MemberOptions{.method = Method::Stored});
    writer.add("P\\after.txt", "after the big one");
    writer.finish();
    ASSERT_GT(writer.members()[1].localHeaderOffset, 0xFFFFFFFFull);

    ZipReader reader(archive.source());
    ASSERT_EQ(reader.size(), 2u);
    reader.checkAllMembers();
    EXPECT_EQ(reader.entries()[0].uncompressedSize, kBig);
    EXPECT_EQ(extractAll(reader, 1), "after the big one");
    std::uint64_t seen = 0;
    reader.extract(0, [&](const char*, std::size_t count) { seen += count; });  // checks size and CRC
    EXPECT_EQ(seen, kBig);

    if (!have("python3 -c 'import zipfile' >/dev/null 2>&1")) GTEST_SKIP() << "python3 is not installed";
    testsupport::TempDir dir;
    if (!archive.writeTo(dir.path() / "large.zip")) GTEST_SKIP() << "no room for a sparse file of " << archive.size() << " bytes";
    const std::string check = "python3 -c 'import sys,zipfile; z=zipfile.ZipFile(sys.argv[1]); "
                              "sys.exit(z.getinfo(\"P\\\\big.bin\").file_size != " + std::to_string(kBig) +
                              " or z.read(\"P\\\\after.txt\") != b\"after the big one\")' " + quotedPath(dir.path() / "large.zip");
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

TEST(Zip64Reader, RefusesForgedZip64RecordsAndFields) {
    // Two members, every field in ZIP64 form: A.txt (deflate) and B.txt.
    const std::string payload = std::string(3000, 'p') + "end";
    std::vector<WrittenMember> members;
    const auto make = [&] {
        std::string bytes;
        ZipWriter writer([&bytes](const char* data, std::size_t count) { bytes.append(data, count); });
        writer.setAlwaysZip64(true);
        writer.add("A.txt", payload, MemberOptions{.method = Method::Deflate});
        writer.add("B.txt", payload, MemberOptions{.method = Method::Stored});
        writer.finish();
        members = writer.members();
        return bytes;
    };
    const std::string good = make();
    {
        ZipReader reader(memorySource(good));
        reader.checkAllMembers();
        EXPECT_EQ(extractAll(reader, 0), payload);
        EXPECT_EQ(extractAll(reader, 1), payload);
    }
    const auto eocd = [](const std::string& z) { return z.rfind(std::string("PK\x05\x06", 4)); };
    const auto locator = [&](const std::string& z) { return eocd(z) - 20; };
    const auto record = [&](const std::string& z) { return eocd(z) - 76; };
    const auto cd0 = [](const std::string& z) { return z.find(std::string("PK\x01\x02", 4)); };
    // Central extra of A: id, length, then uncompressed, compressed, offset.
    const auto cdExtra = [&](const std::string& z) { return cd0(z) + 46 + 5; };
    const std::size_t localExtra = 30 + 5;
    using When = ziptest::RefusedWhen;
    struct Case {
        const char* what;
        std::function<void(std::string&)> damage;
        Fault fault;
        When when;
    };
    const std::vector<Case> cases = {
        {"locator points before its record", [&](std::string& z) { patchU64(z, locator(z) + 8, readU32(z, locator(z) + 8) - 1); },
         Fault::Zip64, When::Open},
        {"locator points past the file", [&](std::string& z) { patchU64(z, locator(z) + 8, ~0ull); }, Fault::Zip64, When::Open},
        {"locator names a second disk", [&](std::string& z) { patchU32(z, locator(z) + 16, 2); }, Fault::MultiDisk, When::Open},
        {"record signature broken", [&](std::string& z) { z[record(z)] = 'X'; }, Fault::Zip64, When::Open},
        {"record size field lies", [&](std::string& z) { patchU64(z, record(z) + 4, 1000); }, Fault::Zip64, When::Open},
        {"record missing before the locator", [&](std::string& z) { z.erase(record(z), 56); }, Fault::Zip64, When::Open},
        {"entry count overflowing", [&](std::string& z) { patchU64(z, record(z) + 24, ~0ull); patchU64(z, record(z) + 32, ~0ull); },
         Fault::BadCentralDirectory, When::Open},
        {"counts disagree", [&](std::string& z) { patchU64(z, record(z) + 24, 3); patchU64(z, record(z) + 32, 2); },
         Fault::MultiDisk, When::Open},
        {"end record count disagrees", [&](std::string& z) { patchU16(z, eocd(z) + 8, 5); patchU16(z, eocd(z) + 10, 5); },
         Fault::Zip64, When::Open},
        {"directory size past the file", [&](std::string& z) { patchU64(z, record(z) + 40, 1ull << 62); },
         Fault::BadCentralDirectory, When::Open},
        {"directory offset and size wrap", [&](std::string& z) { patchU64(z, record(z) + 48, ~0ull - 10); },
         Fault::BadCentralDirectory, When::Open},
        {"marker without ZIP64 field", [&](std::string& z) { patchU16(z, cdExtra(z), 0x9999); }, Fault::Zip64, When::Open},
        {"ZIP64 field too short", [&](std::string& z) { patchU16(z, cdExtra(z) + 2, 12); patchU16(z, cdExtra(z) + 16, 0x7777); patchU16(z, cdExtra(z) + 18, 8); },
         Fault::Zip64, When::Open},
        {"extra block runs past its length", [&](std::string& z) { patchU16(z, cdExtra(z) + 2, 40); }, Fault::Zip64, When::Open},
        {"offset in the field past the members", [&](std::string& z) { patchU64(z, cdExtra(z) + 20, 1ull << 40); },
         Fault::BadLocalHeader, When::Check},
        {"offset in the field wraps with the base", [&](std::string& z) { patchU64(z, cdExtra(z) + 20, ~0ull); },
         Fault::BadLocalHeader, When::Check},
        {"compressed size in the field runs into the directory", [&](std::string& z) { patchU64(z, cdExtra(z) + 12, 1ull << 62); },
         Fault::Overlap, When::Check},
        {"local ZIP64 field missing", [&](std::string& z) { patchU16(z, localExtra, 0x9999); }, Fault::Zip64, When::Check},
        {"local sizes disagree", [&](std::string& z) { patchU64(z, localExtra + 4, 7); }, Fault::HeaderMismatch, When::Check},
        {"smaller size in both headers", [&](std::string& z) { patchU64(z, localExtra + 4, 100); patchU64(z, cdExtra(z) + 4, 100); },
         Fault::SizeMismatch, When::Extract},
        {"larger size in both headers", [&](std::string& z) { patchU64(z, localExtra + 4, 1ull << 40); patchU64(z, cdExtra(z) + 4, 1ull << 40); },
         Fault::SizeMismatch, When::Extract},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = make();
        c.damage(bytes);
        ziptest::expectRefused(bytes, c.fault, c.when);
    }
}
