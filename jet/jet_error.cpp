#include "jet/jet_error.h"

namespace jet {

JetError::JetError(const std::string& file, const std::string& what)
    : JetError(JetFault::Damaged, file, what) {}

JetError::JetError(JetFault fault, const std::string& file, const std::string& what)
    : std::runtime_error(file + ": " + what), fault_(fault), file_(file), detail_(what) {}

JetError::JetError(const std::string& file, std::uint32_t page, const std::string& what)
    : std::runtime_error(file + ", page " + std::to_string(page) + ": " + what),
      file_(file),
      page_(page),
      detail_(what) {}

JetError::JetError(const std::string& file, const std::string& table, const std::string& what)
    : JetError(JetFault::Damaged, file, table, what) {}

JetError::JetError(JetFault fault, const std::string& file, const std::string& table,
                   const std::string& what)
    : std::runtime_error(file + ", table " + table + ": " + what),
      fault_(fault),
      file_(file),
      table_(table),
      detail_(what) {}

JetError JetError::system(JetFault fault, const std::string& file, const std::string& what,
                          const std::string& reason, platform::FileFailure failure) {
    JetError error(fault, file, what + ": " + reason);
    error.systemReason_ = reason;
    error.systemFailure_ = failure;
    return error;
}

JetError JetError::noSuchColumn(const std::string& file, const std::string& table,
                                const std::string& column) {
    JetError error(JetFault::NoSuchColumn, file, table, "no column named " + column);
    error.column_ = column;
    return error;
}

}  // namespace jet
