// Decimal text to numbers, without the C locale's idea of a decimal mark.
#include "catalog/decimal_text.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace catalog {

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

std::string_view trimmed(std::string_view text) {
    for (;;) {
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        else if (text.substr(0, 2) == kNoBreakSpace) text.remove_prefix(2);
        else if (!text.empty() && text.back() == ' ') text.remove_suffix(1);
        else if (text.size() >= 2 && text.substr(text.size() - 2) == kNoBreakSpace) text.remove_suffix(2);
        else return text;
    }
}

struct Decimal {
    bool negative = false;
    std::string whole, fraction, exponent;  // digits; the exponent with its sign
};

// Sign, digits (grouped by spaces before the mark), one ',' or '.', digits, and an exponent
// when `exponentAllowed`.
std::optional<Decimal> parseDecimal(std::string_view text, bool exponentAllowed) {
    Decimal d;
    text = trimmed(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        d.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool marked = false;
    std::size_t i = 0;
    const auto digit = [&](std::size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    while (i < text.size()) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            (marked ? d.fraction : d.whole) += c;
            ++i;
        } else if ((c == ',' || c == '.') && !marked) {
            marked = true;
            ++i;
        } else if (!marked && !d.whole.empty() && c == ' ' && digit(i + 1)) {
            ++i;
        } else if (!marked && !d.whole.empty() && text.substr(i, 2) == kNoBreakSpace && digit(i + 2)) {
            i += 2;
        } else {
            break;
        }
    }
    if (d.whole.empty() && d.fraction.empty()) return std::nullopt;
    if (i < text.size() && exponentAllowed && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+')) d.exponent += text[i++];
        if (!digit(i)) return std::nullopt;
        while (digit(i)) d.exponent += text[i++];
    }
    if (i != text.size()) return std::nullopt;
    return d;
}

}  // namespace

std::optional<double> doubleFromText(std::string_view text) {
    const auto d = parseDecimal(text, true);
    if (!d) return std::nullopt;
    std::string plain = (d->negative ? "-" : "") + (d->whole.empty() ? "0" : d->whole) + "." +
                        (d->fraction.empty() ? "0" : d->fraction);
    if (!d->exponent.empty()) plain += "e" + d->exponent;
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}

std::optional<jet::Currency> currencyFromText(std::string_view text) {
    text = trimmed(text);
    if (text.size() >= 3 && text.substr(text.size() - 3) == "z\xC5\x82") text.remove_suffix(3);  // "zł"
    const auto d = parseDecimal(text, false);
    if (!d) return std::nullopt;
    std::string fraction = d->fraction;
    const bool roundUp = fraction.size() > 4 && fraction[4] >= '5';
    fraction.resize(4, '0');
    const std::string digits = (d->whole.empty() ? "0" : d->whole) + fraction;
    std::int64_t units = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), units);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    if (roundUp) {
        if (units == INT64_MAX) return std::nullopt;
        ++units;
    }
    return jet::Currency{d->negative ? -units : units};
}

}  // namespace catalog
