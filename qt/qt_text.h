// qt: texts across the boundary between the suite (CP1252 bytes, CR LF lines, "&" mnemonics) and Qt
// (Unicode, LF lines).
#pragma once
#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

namespace talpora::qt {

// CP1252 bytes to a QString, and back (a character the code page lacks becomes '?').
QString toQt(std::string_view cp1252);
std::string fromQt(const QString&);
// Report text: CP1252 with CR LF line ends to a QString with LF, and back.
QString crlfToQt(std::string_view cp1252);
std::string qtToCrlf(const QString&);
// A caption shown where "&" marks no mnemonic: "&x" shows "x", "&&" shows "&".
QString withoutMnemonics(std::string_view cp1252);
// File names: file-system bytes (UTF-8) both ways.
QString fromPath(const std::filesystem::path&);
std::filesystem::path toPath(const QString&);

}  // namespace talpora::qt
