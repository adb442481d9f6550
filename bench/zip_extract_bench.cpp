// Benchmark: extraction of a package-like archive (120 members, about 17.5 MB, generated
// here) by `pakiet extract` as a process (the installer in, copy-out included) against
// bsdtar and unzip as processes on the same archive, to a RAM disk where there is one; then
// ExtractFilesFromZip in process against the same peers and zlib's inflate of the same
// streams in memory; the copy-out of the archive from an executable; and the peak memory of
// extracting a 1 GB member. Medians of N runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>
#include <libdeflate.h>
#include <zlib.h>

#include "archive/embedded_package.h"
#include "archive/extract_files_from_zip.h"
#include "archive/offset_field.h"
#include "archive/zip/zip_reader.h"
#include "archive/zip/zip_writer.h"
#include "platform/file_system.h"
#include "platform/paths.h"
#include "session/installer_state.h"
#include "session/log.h"
#include "toolkit/gauge.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 11;

class QuietLog : public session::Log {
public:
    void info(std::int32_t, std::string_view) override {}
};

std::string noise(std::size_t size, std::uint32_t seed) {
    std::string out(size, '\0');
    std::uint32_t x = seed * 2654435761u + 12345;
    for (auto& c : out) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = static_cast<char>(x & 0xFF);
    }
    return out;
}

// Text-like drawing data: lines of coordinates, which deflate shrinks to a fraction.
std::string drawing(std::size_t size, std::uint32_t seed) {
    std::string out;
    std::uint32_t x = seed + 1;
    while (out.size() < size) {
        x = x * 1103515245u + 12345u;
        out += "LINE " + std::to_string(x % 5000) + " " + std::to_string((x >> 8) % 5000) + " " +
               std::to_string((x >> 16) % 300) + " LAYER " + std::to_string(x % 7) + "\r\n";
    }
    out.resize(size);
    return out;
}

// A catalog-like file: 4 KiB pages, half records, half empty.
std::string catalog(std::size_t size) {
    std::string out;
    for (std::uint32_t page = 0; out.size() < size; ++page) {
        std::string p = noise(1024, page) + drawing(1024, page) + std::string(2048, '\0');
        out += p;
    }
    out.resize(size);
    return out;
}

std::string packageArchive() {
    std::string out;
    zip::ZipWriter writer([&out](const char* d, std::size_t n) { out.append(d, n); });
    const zip::MemberOptions deflate{.method = zip::Method::Deflate, .level = 6};
    for (int i = 0; i < 36; ++i) {
        const std::string item = "P\\item" + std::to_string(i);
        writer.add(item + ".jpg", "\xFF\xD8\xFF\xE0" + noise(60000, i), deflate);
        writer.add(item + ".dwx", drawing(300000, i), deflate);
        writer.add(item + ".PAL", drawing(2000, 100 + i), deflate);
    }
    const char* textures[8] = {"d\xC4\x85""b", "sosna", "\xC5\x9Bliwa", "orzech", "klon", "\xC5\xBC\xC3\xB3\xC5\x82ty", "buk", "jesion"};
    for (int t = 0; t < 8; ++t) writer.add(std::string("P\\tekstury\\") + textures[t] + ".jpg", "\xFF\xD8\xFF\xE0" + noise(1400000, 500 + t), deflate);
    writer.add("P.txt", "P\r\n", deflate);
    writer.add("P.jpg", "\xFF\xD8\xFF\xE0" + noise(300000, 999), deflate);
    writer.add("P\\Wnetrza.ini", drawing(3000, 7), deflate);
    writer.add("P\\dodatki.mdb", catalog(1u << 20), deflate);
    writer.finish();
    return out;
}

double milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Median of kRuns timings; `prepare` runs untimed before each.
double median(const std::function<void()>& prepare, const std::function<void()>& work) {
    std::vector<double> times;
    for (int r = 0; r < kRuns; ++r) {
        prepare();
        times.push_back(milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void run(const std::string& command);

double childCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// A process's wall time and its CPU time (user + system, the shell's share included): on a
// shared machine the wall time carries other processes' load, the CPU time far less.
struct ProcessTimes {
    double wallMs;
    double cpuMs;
};

ProcessTimes medianProcess(const std::function<void()>& prepare, const std::string& command) {
    std::vector<double> walls, cpus;
    for (int r = 0; r < kRuns; ++r) {
        prepare();
        const double cpuBefore = childCpuMs();
        walls.push_back(milliseconds([&] { run(command); }));
        cpus.push_back(childCpuMs() - cpuBefore);
    }
    std::sort(walls.begin(), walls.end());
    std::sort(cpus.begin(), cpus.end());
    return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The last line of a report (time(1) puts a note on the exit status before the figure).
std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    const std::size_t cut = text.find_last_of('\n');
    return cut == std::string::npos ? text : text.substr(cut + 1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--extract-child") {
        QuietLog log;
        session::InstallerState state;
        toolkit::Gauge gauge("gauge");
        return archive::ExtractFilesFromZip(log, platform::realFileSystem(), state, gauge, argv[2], argv[3]) ? 0 : 1;
    }
    if (argc == 3 && std::string(argv[1]) == "--write-installer") {
        // For profiling the process by hand: the bench's installer, nothing timed.
        const std::string stub = noise(1u << 20, 77);
        writeFile(argv[2], stub + packageArchive() + "\xEF\xBB\xBF" + archive::formatOffsetField(static_cast<std::int64_t>(stub.size())));
        return 0;
    }
    const bool withGigabyte = !(argc > 1 && std::string(argv[1]) == "--no-gigabyte");
    // A RAM disk, as installers are timed without the disk's noise; pakiet's working folder
    // goes there too (TMPDIR).
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    setenv("TMPDIR", base.c_str(), 1);
    const fs::path work = base / "lumor-zip-bench";
    fs::remove_all(work);
    fs::create_directories(work);
    const std::string zipBytes = packageArchive();
    const fs::path zipPath = work / "packages.zip";
    writeFile(zipPath, zipBytes);
    const fs::path dest = work / "dest";
    const auto fresh = [&] {
        fs::remove_all(dest);
        fs::create_directories(dest);
        run("sync");
    };

    platform::FileSystem& fileSystem = platform::realFileSystem();
    QuietLog log;
    session::InstallerState state;
    state.packageName = "P";
    std::uint64_t uncompressed = 0;
    {
        zip::ZipReader reader(zip::memorySource(zipBytes));
        for (const auto& e : reader.entries()) uncompressed += e.uncompressedSize;
        std::printf("archive: %zu members, %.1f MB (%.1f MB uncompressed), %d runs each, median\n", reader.size(),
                    zipBytes.size() / 1e6, uncompressed / 1e6, kRuns);
    }

    // As processes: the installer for pakiet, the archive for the peers.
    const fs::path exe = work / "instalator.exe";
    const std::string stub = noise(1u << 20, 77);
    writeFile(exe, stub + zipBytes + "\xEF\xBB\xBF" + archive::formatOffsetField(static_cast<std::int64_t>(stub.size())));
    const ProcessTimes pakiet = medianProcess(fresh, std::string("'") + PAKIET_PATH + "' extract '" + exe.string() + "' '" + dest.string() + "' >/dev/null");
    const ProcessTimes unzip = medianProcess(fresh, "unzip -qq -o '" + zipPath.string() + "' -d '" + dest.string() + "' 2>/dev/null; [ $? -le 1 ]");
    const ProcessTimes bsdtar = medianProcess(fresh, "bsdtar -xf '" + zipPath.string() + "' -C '" + dest.string() + "'");
    std::printf("as processes, into %s (wall, and CPU = user + system):\n", dest.c_str());
    std::printf("pakiet extract      %8.1f ms  CPU %6.1f ms   (installer in, copy-out included)\n", pakiet.wallMs, pakiet.cpuMs);
    for (const auto& [name, peer] : {std::pair{"unzip ", unzip}, std::pair{"bsdtar", bsdtar}})
        std::printf("%s              %8.1f ms  CPU %6.1f ms   pakiet/%s = %.2f wall, %.2f CPU\n", name, peer.wallMs, peer.cpuMs, name,
                    pakiet.wallMs / peer.wallMs, pakiet.cpuMs / peer.cpuMs);
    std::printf("in process:\n");

    const double ours = median(fresh, [&] {
        toolkit::Gauge gauge("gauge");
        if (!archive::ExtractFilesFromZip(log, fileSystem, state, gauge, zipPath.string(), dest.string() + "/")) std::exit(1);
    });
    // The peers are the same processes as above.
    const double unzipMs = unzip.wallMs;
    const double bsdtarMs = bsdtar.wallMs;

    // zlib alone: inflate every stream into memory, no files, no CRC.
    std::vector<std::pair<std::string_view, std::size_t>> streams;
    {
        zip::ZipReader reader(zip::memorySource(zipBytes));
        for (std::size_t i = 0; i < reader.size(); ++i) {
            const auto& e = reader.entries()[i];
            const std::size_t data = e.localHeaderOffset + 30 + e.rawName().size();
            streams.emplace_back(std::string_view(zipBytes).substr(data, e.compressedSize), e.uncompressedSize);
        }
    }
    std::string sinkBuffer(8u << 20, '\0');
    const double zlibMs = median([] {}, [&] {
        for (const auto& [stream, size] : streams) {
            z_stream z{};
            inflateInit2(&z, -MAX_WBITS);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
            z.avail_in = static_cast<uInt>(stream.size());
            int rc;
            do {
                z.next_out = reinterpret_cast<Bytef*>(sinkBuffer.data());
                z.avail_out = static_cast<uInt>(sinkBuffer.size());
                rc = inflate(&z, Z_NO_FLUSH);
            } while (rc == Z_OK);
            inflateEnd(&z);
            if (rc != Z_STREAM_END) std::exit(1);
        }
    });
    // libdeflate alone, the bound of the in-memory path: whole streams, no files, no CRC.
    const double libdeflateMs = median([] {}, [&] {
        libdeflate_decompressor* d = libdeflate_alloc_decompressor();
        for (const auto& [stream, size] : streams) {
            std::string out(size, '\0');
            if (libdeflate_deflate_decompress(d, stream.data(), stream.size(), out.data(), size, nullptr) != LIBDEFLATE_SUCCESS) std::exit(1);
        }
        libdeflate_free_decompressor(d);
    });
    // The reader alone: every member inflated and CRC-checked into a sink that drops the data.
    const double readerMs = median([] {}, [&] {
        zip::ZipReader reader(zip::memorySource(zipBytes));
        reader.checkAllMembers();
        for (std::size_t i = 0; i < reader.size(); ++i) reader.extract(i, [](const char*, std::size_t) {});
    });
    std::printf("ExtractFilesFromZip %8.1f ms\n", ours);
    std::printf("reader, no files    %8.1f ms   (inflate + CRC-32 + checks, to memory)\n", readerMs);
    std::printf("unzip               %8.1f ms   ours/unzip  = %.2f\n", unzipMs, ours / unzipMs);
    std::printf("bsdtar              %8.1f ms   ours/bsdtar = %.2f\n", bsdtarMs, ours / bsdtarMs);
    std::printf("zlib inflate only   %8.1f ms   ours/zlib   = %.2f   reader/zlib   = %.2f\n", zlibMs, ours / zlibMs, readerMs / zlibMs);
    std::printf("libdeflate only     %8.1f ms   ours/libdeflate = %.2f   reader/libdeflate = %.2f\n", libdeflateMs,
                ours / libdeflateMs, readerMs / libdeflateMs);

    // Copy-out from the executable: a 1 MB stub, the archive, the trailer.
    state.tmpDir = (work / "tmp").string() + "/";
    state.fileZip = "packages.zip";
    state.sourceZip = state.tmpDir + state.fileZip;
    fs::create_directories(work / "tmp");
    const double copyOut = median([&] { fs::remove(state.sourceZip); }, [&] {
        archive::extractEmbeddedPackage(exe.string(), state, log, fileSystem);
    });
    const double cpMs = median([&] { fs::remove(work / "copy.exe"); }, [&] { run("cp '" + exe.string() + "' '" + (work / "copy.exe").string() + "'"); });
    std::printf("copy-out of %.1f MB %8.1f ms   (cp of the whole executable %.1f ms, ratio %.2f)\n", zipBytes.size() / 1e6, copyOut,
                cpMs, copyOut / cpMs);

    if (withGigabyte) {
        // Peak memory: a 1 GiB member (a 16 KiB block repeated: deflate keeps it small).
        const fs::path bigZip = work / "big.zip";
        {
            std::ofstream out(bigZip, std::ios::binary | std::ios::trunc);
            zip::ZipWriter writer([&out](const char* d, std::size_t n) { out.write(d, static_cast<std::streamsize>(n)); });
            const std::string block = noise(16384, 3);
            std::size_t left = 1u << 30;
            writer.addStreamed("P\\big.bin", [&]() -> std::string_view {
                if (left == 0) return {};
                left -= block.size();
                return block;
            }, zip::MemberOptions{.level = 1});
            writer.finish();
        }
        // Each extraction runs in a process of its own, so that its peak is its own.
        fs::remove_all(dest);
        fs::create_directories(dest);
        const fs::path report = work / "peak.txt";
        const double bigMs = milliseconds([&] {
            run("/usr/bin/time -f %M -o '" + report.string() + "' '" + fs::absolute(argv[0]).string() + "' --extract-child '" +
                bigZip.string() + "' '" + dest.string() + "/'");
        });
        const std::string ourPeak = readText(report);
        fs::remove_all(dest);
        fs::create_directories(dest);
        const double unzipBigMs = milliseconds([&] {
            run("/usr/bin/time -f %M -o '" + report.string() + "' unzip -qq -o '" + bigZip.string() + "' -d '" + dest.string() + "' 2>/dev/null; [ $? -le 1 ]");
        });
        std::printf("1 GiB member (archive %.1f MB): ExtractFilesFromZip %.0f ms, peak RSS %s KB; unzip %.0f ms, peak RSS %s KB\n",
                    fs::file_size(bigZip) / 1e6, bigMs, trimmed(ourPeak).c_str(), unzipBigMs, trimmed(readText(report)).c_str());
    }
    fs::remove_all(work);
    return 0;
}
