// CSV parsing over a refilled buffer: fields are copied a run at a time between the bytes
// that matter (comma, quote, line end).
#include "catalog/csv_reader.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace catalog {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}  // namespace

CsvReader::CsvReader(CsvSource source, char separator)
    : source_(std::move(source)), separator_(separator), buffer_(kBufferSize) {}

CsvReader::CsvReader(const std::string& text, char separator)
    : source_([&text, at = std::size_t(0)](char* out, std::size_t capacity) mutable {
          const std::size_t n = std::min(capacity, text.size() - at);
          std::memcpy(out, text.data() + at, n);
          at += n;
          return n;
      }),
      separator_(separator),
      buffer_(kBufferSize) {}

bool CsvReader::refill() {
    if (sourceEnded_) return false;
    // Bytes not yet read move to the front; the rest of the buffer is filled.
    std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    const std::size_t got = source_(buffer_.data() + end_, buffer_.size() - end_);
    if (got == 0) {
        sourceEnded_ = true;
        return false;
    }
    end_ += got;
    return true;
}

int CsvReader::peek() {
    if (pos_ == end_ && !refill()) return -1;
    return static_cast<unsigned char>(buffer_[pos_]);
}

void CsvReader::readUnquoted(std::string& field) {
    for (;;) {
        const char* from = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const char* at = from;
        while (at != stop && !endsUnquoted(*at)) ++at;
        field.append(from, at);
        pos_ += static_cast<std::size_t>(at - from);
        if (at != stop || !refill()) return;
    }
}

void CsvReader::readQuoted(std::string& field) {
    const std::size_t openedOn = line_;
    ++pos_;  // the opening quote
    for (;;) {
        if (pos_ == end_ && !refill())
            throw std::runtime_error("linia " + std::to_string(openedOn) + ": cudzysłów otwarty i niezamknięty");
        const char* from = buffer_.data() + pos_;
        const char* stop = buffer_.data() + end_;
        const void* quote = std::memchr(from, '"', static_cast<std::size_t>(stop - from));
        const char* at = quote ? static_cast<const char*>(quote) : stop;
        line_ += static_cast<std::size_t>(std::count(from, at, '\n'));
        field.append(from, at);
        pos_ += static_cast<std::size_t>(at - from);
        if (at == stop) continue;
        ++pos_;  // a quote: doubled, it stands for itself; alone, it closes the field
        if (peek() == '"') {
            field += '"';
            ++pos_;
            continue;
        }
        break;
    }
    const int after = peek();
    if (after != -1 && !endsUnquoted(static_cast<char>(after)))
        throw std::runtime_error("linia " + std::to_string(line_) + ": tekst po zamykającym cudzysłowie");
}

bool CsvReader::next(CsvRecord& record) {
    if (!started_) {
        started_ = true;
        while (end_ < 3 && refill()) {
        }
        if (end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) pos_ = 3;
    }
    for (;;) {
        if (peek() == -1) return false;
        record.line = line_;
        std::size_t count = 0;
        for (bool endOfRecord = false; !endOfRecord;) {
            if (count == record.fields.size()) record.fields.emplace_back();
            std::string& field = record.fields[count++];
            field.clear();
            if (peek() == '"')
                readQuoted(field);
            else
                readUnquoted(field);
            const int c = peek();
            if (c == -1) {
                endOfRecord = true;
            } else if (c == separator_) {
                ++pos_;
            } else {
                if (c == '\r') ++pos_;
                if (peek() == '\n') ++pos_;
                ++line_;
                endOfRecord = true;
            }
        }
        record.fields.resize(count);
        // A line with nothing on it separates nothing: skip it.
        if (!(count == 1 && record.fields[0].empty())) return true;
    }
}

std::vector<CsvRecord> parseCsv(const std::string& text, char separator) {
    CsvReader reader(text, separator);
    std::vector<CsvRecord> records;
    CsvRecord record;
    while (reader.next(record)) records.push_back(record);
    return records;
}

char detectSeparator(std::string_view start) {
    static constexpr char kCandidates[] = {',', ';', '\t'};
    std::size_t counts[3] = {};
    bool quoted = false;
    for (const char c : start) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (int k = 0; k < 3; ++k) counts[k] += c == kCandidates[k];
    }
    int best = 0;
    for (int k = 1; k < 3; ++k)
        if (counts[k] > counts[best]) best = k;
    return kCandidates[best];
}

}  // namespace catalog
