// CSV parsing.
#include "catalog/csv_reader.h"

#include <stdexcept>

namespace catalog {

std::vector<CsvRecord> parseCsv(const std::string& input) {
    std::size_t i = input.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    std::vector<CsvRecord> records;
    std::size_t line = 1;
    while (i < input.size()) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool endOfRecord = false;
        while (!endOfRecord) {
            if (i < input.size() && input[i] == '"') {
                const std::size_t openedOn = line;
                ++i;
                for (;;) {
                    if (i >= input.size())
                        throw std::runtime_error("linia " + std::to_string(openedOn) +
                                                 ": cudzysłów otwarty i niezamknięty");
                    if (input[i] == '"') {
                        if (i + 1 < input.size() && input[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (input[i] == '\n') ++line;
                    field += input[i++];
                }
                if (i < input.size() && input[i] != ',' && input[i] != '\n' && input[i] != '\r')
                    throw std::runtime_error("linia " + std::to_string(line) + ": tekst po zamykającym cudzysłowie");
            } else {
                while (i < input.size() && input[i] != ',' && input[i] != '\n' && input[i] != '\r')
                    field += input[i++];
            }
            record.fields.push_back(std::move(field));
            field.clear();
            if (i >= input.size()) {
                endOfRecord = true;
            } else if (input[i] == ',') {
                ++i;
            } else {
                if (input[i] == '\r') ++i;
                if (i < input.size() && input[i] == '\n') ++i;
                ++line;
                endOfRecord = true;
            }
        }
        // A line with nothing on it separates nothing: skip it.
        if (!(record.fields.size() == 1 && record.fields[0].empty())) records.push_back(std::move(record));
    }
    return records;
}

}  // namespace catalog
