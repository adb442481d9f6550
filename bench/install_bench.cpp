// A whole headless installation (`pakiet install`) against its peer in the same run: unzip of
// the same archive plus writing the merged catalog's rows alone (`pakiet catalog create` and
// `import`). Two packages: the demo package Wrzos over its earlier catalog, and a 17.5 MB
// package whose 10,000-row catalog goes over a 10,000-row user catalog (a third of the IDs
// shared, some markers). The installation's split: the preparation (`--dry-run`: copy-out,
// cover, host checks), the merge alone (`pakiet catalog merge` on the same catalogs), and the
// rest (pre-checks, extraction, merged-catalog check). Medians of --runs runs (default 5).
// With --large N, only a large case instead: 100,000 members and one member of N GiB (ZIP64),
// pakiet build against zip -r and the installation against unzip, with peak memory.
// Usage: install_bench [--runs N] [--large N]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double run(const std::string& command, bool mustSucceed = true) {
    const auto start = Clock::now();
    const int status = std::system((command + " > /dev/null 2>&1").c_str());
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (mustSucceed && status != 0) {
        std::fprintf(stderr, "failed (%d): %s\n", status, command.c_str());
        std::exit(1);
    }
    return seconds;
}

// Wall time and peak resident memory (MB) of one command; the shell execs the last command,
// so the peak is the command's own.
struct Measured {
    double seconds = 0;
    double peakMb = 0;
};

Measured measured(const std::string& command) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", ("exec " + command + " > /dev/null 2>&1").c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    // unzip's exit 1 is its warning about the bytes before the archive.
    if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
        std::fprintf(stderr, "failed (%d): %s\n", status, command.c_str());
        std::exit(1);
    }
    return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

const char* kHeader =
    "ID,Producent,Grupa,Typ,Nazwa,JPG,Kod_Producenta,Dodatek_wst,Kod_Wstawiania,Kolor,DWG,Wysokosc,"
    "Opis_Produktu,Kod_Dodatku1,Kod_Dodatku2,Kod_Dodatku3,Kod_Dodatku4,Opis_Koloru,cena,vat,marza,upust,"
    "kolorystyka,wymiar X,wymiar Y,wymiar Z,typ_standardowy\n";

void item(std::ofstream& out, long id, const std::string& name) {
    const std::string n = std::to_string(id);
    out << id << ",DEBINA,Kuchnia,Szafka dolna," << name << ",SD" << n << ".jpg,DEB-" << n << ",false,SD,Dąb,SD"
        << n << ".dwx,0,\"Szafka dolna z jedną półką, nr " << n << ".\",UCH-128,NOZ-100,,,Dąb naturalny,\"489,00\","
        << "23,30,5,jasna,400,560,720,szafka_dolna\n";
}

struct Package {
    std::string name;
    fs::path installer;   // stub + archive
    fs::path userCatalog; // what the host holds before
    fs::path newCatalog;  // the package's catalog
    fs::path mergedCsv;   // the merged Dodatki rows, for the peer
    fs::path makersCsv;
};

void makeCatalog(const std::string& pakiet, const fs::path& file, const fs::path& makers, const fs::path& items) {
    run(pakiet + " catalog create " + q(file) + " --force");
    run(pakiet + " catalog import " + q(file) + " info_producent --csv " + q(makers));
    run(pakiet + " catalog import " + q(file) + " Dodatki --csv " + q(items));
}

// The 17.5 MB package: incompressible pictures beside the catalog, as real packages are.
Package largePackage(const std::string& pakiet, const fs::path& stub, const fs::path& dir, const fs::path& cover) {
    Package p{"Debina", dir / "debina.exe", dir / "debina-user.mdb", dir / "stage/Debina/dodatki.mdb", {}, dir / "makers.csv"};
    fs::create_directories(dir / "stage/Debina/tekstury");
    {
        std::ofstream makers(p.makersCsv);
        makers << "Producent,Nazwa,Ulica,Miasto,kod,Tel,Fax,e_mail,osoba\nDEBINA,Debina,ul. Dębowa 1,Dębno,00-001,1,2,biuro@example.invalid,Anna\n";
        std::ofstream user(dir / "user.csv"), nw(dir / "new.csv");
        user << kHeader;
        nw << kHeader;
        for (long id = 1; id <= 10000; ++id) item(user, id, "Szafka stara " + std::to_string(id));
        for (long id = 6667; id <= 16666; ++id) item(nw, id, id % 50 == 0 && id <= 10000 ? "DELETE" : "Szafka nowa " + std::to_string(id));
    }
    makeCatalog(pakiet, p.userCatalog, p.makersCsv, dir / "user.csv");
    makeCatalog(pakiet, p.newCatalog, p.makersCsv, dir / "new.csv");
    const std::uint64_t catalogSize = fs::file_size(p.newCatalog);
    const std::uint64_t target = 17'500'000;
    std::mt19937_64 random(11);
    std::uint64_t written = catalogSize;
    for (int i = 0; written < target; ++i) {
        const std::size_t size = std::min<std::uint64_t>(290'000, target - written);
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        std::ofstream(dir / "stage/Debina/tekstury" / ("t" + std::to_string(i) + ".jpg"), std::ios::binary) << bytes;
        written += size;
    }
    fs::copy_file(cover, dir / "stage/Debina.jpg", fs::copy_options::overwrite_existing);
    std::ofstream(dir / "stage/Debina.txt") << "Debina\r\n";
    run(pakiet + " build --stub " + q(stub) + " --package " + q(dir / "stage/Debina") + " --output " + q(p.installer));
    return p;
}

Package demoPackage(const std::string& pakiet, const fs::path& stub, const fs::path& dir, const fs::path& source) {
    Package p{"Wrzos", dir / "demo/instalator-demo.exe", dir / "wrzos-user.mdb", dir / "demo/package/Wrzos/dodatki.mdb", {}, {}};
    run("bash " + q(source / "demo/build-installer.sh") + " " + q(stub) + " " + q(dir / "demo") + " " + pakiet);
    run("bash " + q(source / "demo/make-earlier-catalog.sh") + " " + q(p.userCatalog) + " " + pakiet);
    p.makersCsv = source / "demo/catalog/info_producent.csv";
    return p;
}

void measure(const std::string& pakiet, const Package& p, const fs::path& dir, int runs) {
    const fs::path drive = dir / "drive", host = drive / "Kavitek/CAD 2.0", work = dir / "work";
    const fs::path catalogFolder = host / "dodatki" / p.name;
    auto freshHost = [&] {
        fs::remove_all(drive);
        fs::create_directories(catalogFolder);
        fs::copy_file(p.userCatalog, catalogFolder / "dodatki.mdb");
        fs::remove_all(work);
        fs::create_directories(work);
    };
    const std::string install = "cd " + q(work) + " && " + pakiet + " install " + q(p.installer) + " --drive-root " + q(drive.string() + "/");
    // The merged rows once, for the peer.
    freshHost();
    run(install);
    const fs::path merged = dir / (p.name + "-merged.csv");
    std::system((pakiet + " catalog dump " + q(catalogFolder / "dodatki.mdb") + " Dodatki > " + q(merged)).c_str());

    std::vector<double> total, prepare, merge, unzip, alone;
    for (int r = 0; r < runs; ++r) {
        freshHost();
        total.push_back(run(install));
        fs::remove_all(work);
        fs::create_directories(work);
        prepare.push_back(run("cd " + q(work) + " && " + pakiet + " install " + q(p.installer) + " --dry-run --drive-root " +
                              q(drive.string() + "/")));
        fs::remove(dir / "dest.mdb");
        merge.push_back(run(pakiet + " catalog merge " + q(p.newCatalog) + " " + q(p.userCatalog) + " " + q(dir / "dest.mdb")));
        fs::remove_all(dir / "unzipped");
        // unzip skips the stub before the archive (and says so: exit 1 is its warning).
        unzip.push_back(run("unzip -q -o " + q(p.installer) + " -d " + q(dir / "unzipped"), false));
        const auto start = Clock::now();
        makeCatalog(pakiet, dir / "peer.mdb", p.makersCsv, merged);
        alone.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double t = median(total), pr = median(prepare), m = median(merge), u = median(unzip), a = median(alone);
    std::printf("%-7s %6.1f MB | pakiet install %7.3f s (preparation %6.3f, merge %6.3f, extraction and checks %6.3f)"
                " | unzip %6.3f + output alone %6.3f = %6.3f s | ratio %.2fx\n",
                p.name.c_str(), static_cast<double>(fs::file_size(p.installer)) / 1e6, t, pr, m, std::max(0.0, t - pr - m),
                u, a, u + a, t / (u + a));
}

// The large case: 100,000 one-line members in 100 folders and one member of `bigGiB` GiB of
// zeros (a sparse file in the stage), so the archive needs ZIP64 for both reasons.
Package hugePackage(const std::string& pakiet, const fs::path& dir, const fs::path& cover, int bigGiB) {
    Package p{"Ogrom", dir / "ogrom.exe", dir / "ogrom-user.mdb", dir / "stage/Ogrom/dodatki.mdb", {}, dir / "makers.csv"};
    fs::create_directories(dir / "stage/Ogrom");
    {
        std::ofstream makers(p.makersCsv);
        makers << "Producent,Nazwa\nOGROM,Ogrom\n";
        std::ofstream user(dir / "user.csv"), nw(dir / "new.csv");
        user << kHeader;
        nw << kHeader;
        for (long id = 1; id <= 100; ++id) item(user, id, "Szafka stara " + std::to_string(id));
        for (long id = 51; id <= 150; ++id) item(nw, id, "Szafka nowa " + std::to_string(id));
    }
    makeCatalog(pakiet, p.userCatalog, p.makersCsv, dir / "user.csv");
    makeCatalog(pakiet, p.newCatalog, p.makersCsv, dir / "new.csv");
    for (int folder = 0; folder < 100; ++folder) {
        const fs::path f = dir / "stage/Ogrom" / ("g" + std::to_string(folder));
        fs::create_directories(f);
        for (int i = 0; i < 1000; ++i) std::ofstream(f / ("p" + std::to_string(i) + ".txt")) << folder << ' ' << i << '\n';
    }
    { std::ofstream(dir / "stage/Ogrom/duzy.bin", std::ios::binary); }
    fs::resize_file(dir / "stage/Ogrom/duzy.bin", static_cast<std::uintmax_t>(bigGiB) << 30);
    fs::copy_file(cover, dir / "stage/Ogrom.jpg", fs::copy_options::overwrite_existing);
    return p;
}

// pakiet build of the large package against zip -r of the same folder, then the installation.
void measureHuge(const std::string& pakiet, const fs::path& stub, const Package& p, const fs::path& dir, int runs) {
    std::vector<double> build, zipTime, buildMb, zipMb;
    for (int r = 0; r < runs; ++r) {
        fs::remove(p.installer);
        const Measured b = measured(pakiet + " build --stub " + q(stub) + " --package " + q(dir / "stage/Ogrom") + " --output " + q(p.installer));
        fs::remove(dir / "peer.zip");
        const Measured z = measured("sh -c " + q("cd " + q(dir / "stage") + " && zip -q -r ../peer.zip Ogrom Ogrom.jpg"));
        build.push_back(b.seconds), buildMb.push_back(b.peakMb), zipTime.push_back(z.seconds), zipMb.push_back(z.peakMb);
    }
    std::printf("%-7s build: pakiet build %7.1f s, %6.1f MB peak | zip -r %7.1f s, %6.1f MB peak | ratio %.2fx\n", p.name.c_str(),
                median(build), median(buildMb), median(zipTime), median(zipMb), median(build) / median(zipTime));
    fs::remove(dir / "peer.zip");
    fs::remove_all(dir / "stage");  // room for the extractions

    const fs::path drive = dir / "drive", host = drive / "Kavitek/CAD 2.0", work = dir / "work";
    std::vector<double> install, installMb, unzip, unzipMb, alone;
    for (int r = 0; r < runs; ++r) {
        fs::remove_all(drive);
        fs::create_directories(host / "dodatki" / p.name);
        fs::copy_file(p.userCatalog, host / "dodatki" / p.name / "dodatki.mdb");
        fs::remove_all(work);
        fs::create_directories(work);
        const Measured i = measured("sh -c " + q("cd " + q(work) + " && exec " + pakiet + " install " + q(p.installer) + " --drive-root " + q(drive.string() + "/")));
        fs::remove_all(drive);
        fs::remove_all(work);
        fs::remove_all(dir / "unzipped");
        const Measured u = measured("unzip -q -o " + q(p.installer) + " -d " + q(dir / "unzipped"));
        fs::remove_all(dir / "unzipped");
        const auto start = Clock::now();
        makeCatalog(pakiet, dir / "peer.mdb", p.makersCsv, dir / "new.csv");
        install.push_back(i.seconds), installMb.push_back(i.peakMb), unzip.push_back(u.seconds), unzipMb.push_back(u.peakMb);
        alone.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const double t = median(install), u = median(unzip), a = median(alone);
    std::printf("%-7s %6.1f MB | pakiet install %7.1f s, %6.1f MB peak | unzip %7.1f s, %6.1f MB peak + catalog alone %5.2f s"
                " | ratio %.2fx\n", p.name.c_str(), static_cast<double>(fs::file_size(p.installer)) / 1e6, t, median(installMb), u,
                median(unzipMb), a, t / (u + a));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    int largeGiB = 0;  // --large N: only the large case, with a member of N GiB
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (std::string(argv[i]) == "--large" && i + 1 < argc) largeGiB = std::max(1, std::atoi(argv[++i]));
    }
    const std::string pakiet = PAKIET_PATH;
    const fs::path source = LUMOR_SOURCE_DIR;
    const fs::path dir = fs::temp_directory_path() / ("lumor-install-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path stub = source / "build/win64/app/instalator.exe";
    if (!fs::exists(stub)) {
        // A stand-in program before the archive when the Windows stub was not built.
        stub = dir / "stand-in-stub.exe";
        std::string bytes = "MZ";
        bytes.resize(65536, '\0');
        std::ofstream(stub, std::ios::binary) << bytes;
    }
    if (largeGiB > 0) {
        std::printf("100,000 members and one of %d GiB: pakiet build vs zip -r, pakiet install vs unzip + the catalog "
                    "written alone, median of %d\n", largeGiB, runs);
        const Package huge = hugePackage(pakiet, dir / "ogrom", source / "demo/package/Wrzos.jpg", largeGiB);
        measureHuge(pakiet, stub, huge, dir / "ogrom", runs);
        fs::remove_all(dir);
        return 0;
    }
    std::printf("headless installation vs unzip + the merged catalog written alone, median of %d\n", runs);
    measure(pakiet, demoPackage(pakiet, stub, dir / "wrzos", source), dir / "wrzos", runs);
    measure(pakiet, largePackage(pakiet, stub, dir / "debina", source / "demo/package/Wrzos.jpg"), dir / "debina", runs);
    fs::remove_all(dir);
    return 0;
}
