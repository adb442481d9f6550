// The text encodings CSV files come in from publishers: UTF-8 (with or without a byte-order
// mark), and Windows-1250, which Excel in Poland writes for "CSV (rozdzielany przecinkami)".
// Detection reads the whole file once before the import: a file that is valid UTF-8 is
// UTF-8, one that is not but uses only Windows-1250's defined bytes is Windows-1250.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "catalog/csv_reader.h"

namespace catalog {

enum class CsvEncoding { Utf8, Windows1250 };

// Polish names for the summary and errors ("UTF-8", "Windows-1250").
std::string_view encodingName(CsvEncoding encoding);

// Feeds the detection a piece at a time (the pieces in order, cut anywhere).
class EncodingDetector {
public:
    void feed(std::string_view bytes);
    bool hasByteOrderMark() const { return bom_ && seen_ >= 3; }
    // UTF-8 when there is a byte-order mark, when every byte sequence is UTF-8, or when some
    // byte is not Windows-1250 either (the import then names where the text is not UTF-8).
    CsvEncoding result() const;

private:
    std::size_t seen_ = 0;
    bool bom_ = false;
    bool validUtf8_ = true;
    bool valid1250_ = true;
    unsigned pending_ = 0;     // continuation bytes the current UTF-8 sequence still needs
    unsigned char lead_ = 0;   // the sequence's first byte, for the second byte's range
    unsigned position_ = 0;    // bytes of the sequence read so far
};

// One Windows-1250 byte as UTF-8, appended to `out`; false for the five bytes the code page
// leaves undefined.
bool appendWindows1250(unsigned char byte, std::string& out);

// A source that hands over `raw`'s Windows-1250 bytes as UTF-8 (undefined bytes pass through
// as they are, for the import to name).
CsvSource windows1250Source(CsvSource raw);

}  // namespace catalog
