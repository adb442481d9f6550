// A small recursive-descent JSON reader for the goldens.
#include "tests/jet/golden_json.h"

#include <stdexcept>

namespace jettest {

namespace {

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) {}

    Json document() {
        Json v = value();
        space();
        if (i_ != s_.size()) fail("trailing characters");
        return v;
    }

private:
    [[noreturn]] void fail(const char* what) {
        throw std::runtime_error(std::string("bad JSON (") + what + ") at " + std::to_string(i_));
    }
    void space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n')) ++i_;
    }
    bool literal(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }
    Json value() {
        space();
        if (i_ >= s_.size()) fail("end of input");
        Json v;
        char c = s_[i_];
        if (literal("null")) return v;
        if (literal("true") || literal("false")) {
            v.kind = Json::Kind::Bool;
            v.boolean = c == 't';
            return v;
        }
        if (c == '"') {
            v.kind = Json::Kind::String;
            v.text = string();
            return v;
        }
        if (c == '[') {
            v.kind = Json::Kind::Array;
            ++i_;
            space();
            if (i_ < s_.size() && s_[i_] == ']') {
                ++i_;
                return v;
            }
            for (;;) {
                v.items.push_back(value());
                space();
                if (i_ < s_.size() && s_[i_] == ',') { ++i_; continue; }
                if (i_ < s_.size() && s_[i_] == ']') { ++i_; return v; }
                fail("array");
            }
        }
        if (c == '{') {
            v.kind = Json::Kind::Object;
            ++i_;
            space();
            if (i_ < s_.size() && s_[i_] == '}') {
                ++i_;
                return v;
            }
            for (;;) {
                space();
                std::string key = string();
                space();
                if (i_ >= s_.size() || s_[i_] != ':') fail("object");
                ++i_;
                v.members[key] = value();
                space();
                if (i_ < s_.size() && s_[i_] == ',') { ++i_; continue; }
                if (i_ < s_.size() && s_[i_] == '}') { ++i_; return v; }
                fail("object");
            }
        }
        std::size_t start = i_;
        while (i_ < s_.size() && std::string_view("+-0123456789.eE").find(s_[i_]) != std::string_view::npos) ++i_;
        if (start == i_) fail("value");
        v.kind = Json::Kind::Number;
        v.text = std::string(s_.substr(start, i_ - start));
        return v;
    }
    unsigned hex4() {
        if (i_ + 4 > s_.size()) fail("escape");
        unsigned u = std::stoul(std::string(s_.substr(i_, 4)), nullptr, 16);
        i_ += 4;
        return u;
    }
    static void put(std::string& out, unsigned cp) {
        if (cp < 0x80) out += char(cp);
        else if (cp < 0x800) { out += char(0xC0 | (cp >> 6)); out += char(0x80 | (cp & 0x3F)); }
        else if (cp < 0x10000) {
            out += char(0xE0 | (cp >> 12)); out += char(0x80 | ((cp >> 6) & 0x3F)); out += char(0x80 | (cp & 0x3F));
        } else {
            out += char(0xF0 | (cp >> 18)); out += char(0x80 | ((cp >> 12) & 0x3F));
            out += char(0x80 | ((cp >> 6) & 0x3F)); out += char(0x80 | (cp & 0x3F));
        }
    }
    std::string string() {
        if (i_ >= s_.size() || s_[i_] != '"') fail("string");
        ++i_;
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (c != '\\') { out += c; continue; }
            if (i_ >= s_.size()) fail("escape");
            char e = s_[i_++];
            switch (e) {
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'u': {
                unsigned cp = hex4();
                if (cp >= 0xD800 && cp < 0xDC00 && literal("\\u")) {
                    unsigned low = hex4();
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                } else if (cp >= 0xD800 && cp < 0xE000) {
                    cp = 0xFFFD;  // lone surrogate, as our decoder spells it
                }
                put(out, cp);
                break;
            }
            default: out += e;
            }
        }
        if (i_ >= s_.size()) fail("unterminated string");
        ++i_;
        return out;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

}  // namespace

Json parseJson(std::string_view text) { return Parser(text).document(); }

}  // namespace jettest
