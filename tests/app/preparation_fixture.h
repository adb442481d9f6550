// A whole installer run against temporary folders: one standing in for the current
// directory, one holding folders that stand in for drives, a fake process list, and an
// installer file built in code (stub bytes, package archive, trailer). The headless backend
// decodes covers with the platform's decoder.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/program_entry.h"
#include "tests/support/fake_system.h"
#include "tests/support/fault_injecting_file_system.h"
#include "tests/support/power_loss_file_system.h"
#include "tests/support/test_paths.h"
#include "toolkit/headless/recording_headless_backend.h"
#include "toolkit/image_decoder.h"
#include "toolkit/platform_image_decoder.h"

namespace preparationtest {

// A real JPEG picture of 40 x 30 pixels.
std::string coverJpeg();

// A package archive: P\dodatki.mdb, P\item.jpg and, when `withCover`, the cover P.jpg.
std::string packageZip(const std::string& name, bool withCover = true);

// The offset field right-aligned in 20 characters.
std::string offsetField(long long offset);

struct PreparationRun {
    PreparationRun();

    // Root of the stand-in drive `letter`, ending with the separator (made on first use).
    std::string drive(const std::string& letter);
    // Makes the folders of `relative` ('\' between pieces) below the drive; returns the path
    // with a trailing separator.
    std::string makeFolder(const std::string& letter, const std::string& relative);
    // A host installation folder with its add-on folder; returns the host folder.
    std::string makeHost(const std::string& letter, const std::string& name);
    void writeFile(const std::string& path, const std::string& bytes);

    // The installer: stub bytes, then `archive` with the byte-order mark and a valid trailer.
    void writeInstaller(const std::string& archive);
    // Stub bytes followed by `tail` as the file's last bytes (damaged or special trailers).
    void writeInstallerEndingWith(const std::string& tail);

    std::string workDir() const;  // the working folder, ending with the separator

    // Start-up and the timer's one tick; the loop then runs dry, as a waiting window.
    void run(const std::vector<std::string>& args = {});

    bool installEnabled() const;
    // The log box's lines below its heading (the version line, which must be there).
    std::vector<std::string> logBox() const;
    std::string statusLabel() const;
    int count(const std::string& line) const;

    testsupport::TempDir currentDir;
    testsupport::TempDir drives;
    testsupport::FakeSystem system;
    std::unique_ptr<toolkit::ImageDecoder> decoder;
    toolkit::RecordingHeadlessBackend backend;
    // The disk under the faults: passes everything on until a test tracks a folder with it.
    testsupport::PowerLossFileSystem disk;
    testsupport::FaultInjectingFileSystem files;
    std::unique_ptr<app::TForm1> form;
    std::string installer;
};

// Example paths written the Windows way, in the platform's separator.
std::string nativePath(std::string path);

}  // namespace preparationtest
