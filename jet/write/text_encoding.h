// UTF-8 -> UTF-16 for the texts the writer stores: column values, table, column and index
// names. Unlike a display conversion, bad UTF-8 is refused, since it would be stored for good.
// Stored text is read back by the reader's text codec (jet/text_codec.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace jet::write {

// Nothing when `text` is not well-formed UTF-8 (overlong forms and surrogates included).
std::optional<std::u16string> utf8ToUtf16Strict(std::string_view text);
// The same into `out` (its storage reused); false for bad UTF-8.
bool utf8ToUtf16Strict(std::string_view text, std::u16string& out);
// The number of UTF-16 code units of well-formed UTF-8, or nothing.
std::optional<std::size_t> utf16Length(std::string_view text);

}  // namespace jet::write
