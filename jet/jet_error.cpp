#include "jet/jet_error.h"

#include "platform/concat.h"
#include "platform/decimal_piece.h"

namespace jet {

JetError::JetError(std::string_view file, std::string_view what)
    : JetError(JetFault::Damaged, file, what) {}

JetError::JetError(JetFault fault, std::string_view file, std::string_view what)
    : std::runtime_error(platform::concat({file, ": ", what})), fault_(fault), file_(file), detail_(what) {}

JetError::JetError(std::string_view file, std::uint32_t page, std::string_view what)
    : std::runtime_error(platform::concat({file, ", page ", platform::DecimalPiece(page), ": ", what})),
      file_(file),
      page_(page),
      detail_(what) {}

JetError::JetError(std::string_view file, std::string_view table, std::string_view what)
    : JetError(JetFault::Damaged, file, table, what) {}

JetError::JetError(JetFault fault, std::string_view file, std::string_view table, std::string_view what)
    : std::runtime_error(platform::concat({file, ", table ", table, ": ", what})),
      fault_(fault),
      file_(file),
      table_(table),
      detail_(what) {}

JetError JetError::system(JetFault fault, std::string_view file, std::string_view what,
                          std::string_view reason, platform::FileFailure failure) {
    JetError error(fault, file, platform::concat({what, ": ", reason}));
    error.systemReason_ = reason;
    error.systemFailure_ = failure;
    return error;
}

JetError JetError::noSuchColumn(std::string_view file, std::string_view table, std::string_view column) {
    JetError error(JetFault::NoSuchColumn, file, table, platform::concat({"no column named ", column}));
    error.column_ = column;
    return error;
}

void throwJetError(JetFault fault, std::string_view file, std::initializer_list<std::string_view> what) {
    throw JetError(fault, file, platform::concat(what));
}

void throwJetError(std::string_view file, std::uint32_t page, std::string_view what) {
    throw JetError(file, page, what);
}

void throwTruncated(std::initializer_list<std::string_view> what) {
    throw TruncatedData(platform::concat(what));
}

void throwInvalidArgument(std::initializer_list<std::string_view> what) {
    throw std::invalid_argument(platform::concat(what));
}

}  // namespace jet
