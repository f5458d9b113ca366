// platform: CP1252 (Windows ANSI code page) <-> UTF-8 conversion.
// Record texts, report buffers and data files hold CP1252 bytes; Qt and terminals take UTF-8.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace talpora {

// CP1252 bytes to UTF-8. The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+FFFD.
std::string cp1252ToUtf8(std::string_view cp1252);

// UTF-8 to CP1252. A character the code page lacks becomes '?'; so does an invalid UTF-8 sequence.
std::string utf8ToCp1252(std::string_view utf8);

// UTF-8 to CP1252, refusing: nullopt when a character is missing from the code page or the input is
// not valid UTF-8 (for compilers of shipped data that must not lose a letter).
std::optional<std::string> utf8ToCp1252Strict(std::string_view utf8);

// The Unicode code point of one CP1252 byte (0xFFFD for the undefined ones), and back (nullopt when
// the code page lacks it).
char32_t cp1252ToCodePoint(unsigned char byte);
std::optional<unsigned char> codePointToCp1252(char32_t cp);

}  // namespace talpora
