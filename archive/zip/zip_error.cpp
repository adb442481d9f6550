#include "archive/zip/zip_error.h"

#include <utility>

#include "platform/concat.h"

namespace zip {

ZipError::ZipError(Fault fault, std::string member, const std::string& detail)
    : std::runtime_error(platform::concat({detail, member.empty() ? "" : " (member '", member, member.empty() ? "" : "')"})),
      fault_(fault), member_(std::move(member)), detail_(detail) {}

void fail(Fault fault, const std::string& member, const char* detail) { throw ZipError(fault, member, detail); }

void fail(Fault fault, const char* detail) { throw ZipError(fault, {}, detail); }

}  // namespace zip
