// CSV as spreadsheets write it (RFC 4180): fields separated by commas, quoted fields with
// doubled quotes and line breaks inside, CRLF or LF line ends, an optional UTF-8 byte-order
// mark. Each record knows the line it starts on, for error messages.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace catalog {

struct CsvRecord {
    std::size_t line = 0;  // 1-based line where the record starts
    std::vector<std::string> fields;
};

// Throws std::runtime_error naming the line for a quote that is never closed or text after a
// closing quote.
std::vector<CsvRecord> parseCsv(const std::string& text);

}  // namespace catalog
