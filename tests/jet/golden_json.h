// Just enough JSON to read the oracle goldens: one value per line, numbers kept as their
// text so each test decides how to compare them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace jettest {

struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
    bool boolean = false;
    std::string text;  // number literal or decoded string (UTF-8)
    std::vector<Json> items;
    std::map<std::string, Json> members;
};

// Throws std::runtime_error on malformed input.
Json parseJson(std::string_view text);

}  // namespace jettest
