// The batch every file system has unless it knows a cheaper one: one flush per file, in the
// order given, so a failure names the first file that could not be flushed.
#include "platform/file_system.h"

namespace platform {

namespace {

class FlushEachFile : public FlushBatch {
public:
    explicit FlushEachFile(FileSystem& fs) : fs_(fs) {}
    void add(const std::string& path) override { fs_.openReadWrite(path, Sharing::ReadOnlyForOthers)->flush(); }
    void finish() override {}

private:
    FileSystem& fs_;
};

}  // namespace

std::unique_ptr<FlushBatch> FileSystem::flushBatch() { return std::make_unique<FlushEachFile>(*this); }

}  // namespace platform
