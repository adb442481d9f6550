// The destination of a merge as the independent readers see it: our reader, mdb-reader,
// mdbtools and Jackcess must all read both tables identically, and Jackcess must walk the
// Primary index of `Dodatki` in key order. Where the oracles cannot run, it checks our reader
// alone and marks the calling test skipped (a failure elsewhere in it still fails it).
#pragma once

#include <string>

namespace catalogtest {

void expectEveryReaderReads(const std::string& file);

// Why the cross-reading cannot happen here ("" when it can).
std::string readersMissing();

}  // namespace catalogtest
