// The catalog merge as publishers and the installer run it: `pakiet catalog merge` in normal
// mode against its peer, writing the same destination rows alone (`pakiet catalog create` and
// `import` of them), in the same run, for 1,000, 10,000 and 100,000 `Dodatki` rows on each
// side (every column filled, a third of the IDs shared, some markers). Then debug mode, whose
// searches walk the tables record by record, at 1,000 x 1,000: time and peak memory.
// Prints medians of --runs runs (default 5). Usage: catalog_merge_bench [--runs N] [--quick]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Run {
    double seconds = 0;
    long peakKilobytes = 0;
};

// Runs a shell command, its output thrown away unless it redirects it; its own time and peak
// memory.
Run run(const std::string& command, bool discardOutput = true) {
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", (discardOutput ? command + " > /dev/null" : command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Run r{std::chrono::duration<double>(Clock::now() - start).count(), usage.ru_maxrss};
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed: %s\n", command.c_str());
        std::exit(1);
    }
    return r;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string quote(const fs::path& p) { return "'" + p.string() + "'"; }

const char* kHeader =
    "ID,Producent,Grupa,Typ,Nazwa,JPG,Kod_Producenta,Dodatek_wst,Kod_Wstawiania,Kolor,DWG,Wysokosc,"
    "Opis_Produktu,Kod_Dodatku1,Kod_Dodatku2,Kod_Dodatku3,Kod_Dodatku4,Opis_Koloru,cena,vat,marza,upust,"
    "kolorystyka,wymiar X,wymiar Y,wymiar Z,typ_standardowy\n";

void item(std::ofstream& out, long id, const std::string& name, const char* side) {
    const std::string n = std::to_string(id);
    out << id << ",WRZOS,Kuchnia " << side << ",Szafka dolna," << name << ",SD" << n << ".jpg,WRZ-" << n
        << "," << (id % 2 ? "true" : "false") << ",SD,Dąb naturalny,SD" << n << ".dwx," << id % 1000
        << ",\"Szafka dolna z jedną półką, drzwi na zawiasach z cichym domykiem, nr " << n
        << ".\",UCH-128,NOZ-100,ZAW-35,PROW-45,Korpus i front w dekorze dąb naturalny,\"489,00\",23,30,5,"
        << "jasna,400,560,720,szafka_dolna_" << side << "\n";
}

// Old: IDs 1..n. New: the first third of them (every tenth a marker), then new IDs.
void writeSources(const fs::path& dir, long n) {
    std::ofstream old(dir / "old.csv"), nw(dir / "new.csv"), makers(dir / "producent.csv");
    old << kHeader;
    nw << kHeader;
    for (long id = 1; id <= n; ++id) item(old, id, "Szafka stara " + std::to_string(id), "stara");
    const long shared = n / 3;
    for (long id = 1; id <= shared; ++id) item(nw, id, id % 10 == 0 ? "DELETE" : "Szafka nowa " + std::to_string(id), "nowa");
    for (long id = n + 1; id <= n + (n - shared); ++id) item(nw, id, "Szafka nowa " + std::to_string(id), "nowa");
    makers << "Producent,Nazwa,Ulica,Miasto,kod,Tel,Fax,e_mail,osoba\n"
           << "WRZOS,Meble Wrzos,ul. Leśna 1,Wrzosowo,00-001,123,124,biuro@example.invalid,Anna\n";
}

void makeCatalog(const std::string& pakiet, const fs::path& file, const fs::path& csv, const fs::path& makers) {
    run(pakiet + " catalog create " + quote(file) + " --force");
    run(pakiet + " catalog import " + quote(file) + " info_producent --csv " + quote(makers));
    run(pakiet + " catalog import " + quote(file) + " Dodatki --csv " + quote(csv));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    bool quick = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--quick") quick = true;
    }
    const std::string pakiet = PAKIET_PATH;
    const fs::path dir = fs::temp_directory_path() / ("lumor-merge-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path nw = dir / "new.mdb", od = dir / "old.mdb", dn = dir / "dest.mdb", peer = dir / "peer.mdb";

    std::printf("normal mode: pakiet catalog merge vs create + import of the same destination rows, median of %d\n", runs);
    std::vector<long> sizes = {1000, 10000};
    if (!quick) sizes.push_back(100000);
    for (long n : sizes) {
        writeSources(dir, n);
        makeCatalog(pakiet, od, dir / "old.csv", dir / "producent.csv");
        makeCatalog(pakiet, nw, dir / "new.csv", dir / "producent.csv");
        fs::remove(dn);
        run(pakiet + " catalog merge " + quote(nw) + " " + quote(od) + " " + quote(dn));
        // The peer writes exactly the rows the merge wrote, in its order.
        run(pakiet + " catalog dump " + quote(dn) + " Dodatki --format csv > " + quote(dir / "dest.csv"), false);
        std::vector<double> merge, alone;
        long mergePeak = 0;
        for (int r = 0; r < runs; ++r) {
            fs::remove(dn);
            const Run m = run(pakiet + " catalog merge " + quote(nw) + " " + quote(od) + " " + quote(dn));
            merge.push_back(m.seconds);
            mergePeak = std::max(mergePeak, m.peakKilobytes);
            const auto start = Clock::now();
            makeCatalog(pakiet, peer, dir / "dest.csv", dir / "producent.csv");
            alone.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        }
        const double a = median(merge), b = median(alone);
        std::printf("%7ld old x %7ld new | merge %8.3f s (peak %6ld KB) | create+import %8.3f s | ratio %.2fx\n", n, n, a,
                    mergePeak, b, a / b);
    }

    std::printf("debug mode: record-by-record searches with every trace line (to /dev/null), median of %d\n", runs);
    writeSources(dir, 1000);
    makeCatalog(pakiet, od, dir / "old.csv", dir / "producent.csv");
    makeCatalog(pakiet, nw, dir / "new.csv", dir / "producent.csv");
    std::vector<double> debug, normal;
    long debugPeak = 0;
    for (int r = 0; r < runs; ++r) {
        fs::remove(dn);
        const Run d = run(pakiet + " catalog merge " + quote(nw) + " " + quote(od) + " " + quote(dn) + " --debug");
        debug.push_back(d.seconds);
        debugPeak = std::max(debugPeak, d.peakKilobytes);
        fs::remove(dn);
        normal.push_back(run(pakiet + " catalog merge " + quote(nw) + " " + quote(od) + " " + quote(dn)).seconds);
    }
    std::printf("   1000 old x    1000 new | debug %8.3f s (peak %6ld KB) | normal %8.3f s | ratio %.1fx\n",
                median(debug), debugPeak, median(normal), median(debug) / median(normal));
    fs::remove_all(dir);
    return 0;
}
