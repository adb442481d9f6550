// CSV as spreadsheets write it (RFC 4180): fields separated by commas (or the separator
// given: Excel in Poland writes semicolons), quoted fields with doubled quotes and line breaks
// inside, CRLF or LF line ends, an optional UTF-8 byte-order mark. Each record knows the line it starts on, for error messages. Records are read one
// at a time from a bounded buffer, so a file of any size takes the same memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace catalog {

struct CsvRecord {
    std::size_t line = 0;  // 1-based line where the record starts
    std::vector<std::string> fields;
};

// Fills `buffer` with up to `capacity` further bytes of the text; returns how many, 0 at
// its end.
using CsvSource = std::function<std::size_t(char* buffer, std::size_t capacity)>;

class CsvReader {
public:
    explicit CsvReader(CsvSource source, char separator = ',');
    // The text held in memory, which must outlive the reader.
    explicit CsvReader(const std::string& text, char separator = ',');

    // The next record into `record` (its strings' storage reused); false after the last.
    // Lines with nothing on them are skipped. Throws std::runtime_error naming the line for
    // a quote that is never closed or text after a closing quote; errors of the source pass
    // through.
    bool next(CsvRecord& record);

private:
    // The byte at the read position, reading more when the buffer is used up; -1 at the end.
    int peek();
    bool refill();
    void readUnquoted(std::string& field);
    void readQuoted(std::string& field);
    bool endsUnquoted(char c) const { return c == separator_ || c == '\n' || c == '\r'; }

    CsvSource source_;
    char separator_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0, end_ = 0;
    bool sourceEnded_ = false;
    bool started_ = false;
    std::size_t line_ = 1;
};

// Every record of `text` (tests and small inputs).
std::vector<CsvRecord> parseCsv(const std::string& text, char separator = ',');

// The separator a header line uses: whichever of ',', ';' and tab it holds most often outside
// quotes (',' when none, or on a tie). `start` is the text's beginning; only its first line
// is looked at.
char detectSeparator(std::string_view start);

}  // namespace catalog
