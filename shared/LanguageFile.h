#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The language file of either program: lines holding "UA", "RU" or "EN".
namespace shared {

// Maps every line with LanguageFromCode; the last line decides. A missing or empty file leaves
// `languageIndex` as it is. Returns the error text of a file that exists but cannot be read.
std::string ReadLanguageFile(const std::filesystem::path& path, std::uint8_t& languageIndex);

// Stores `code` unchanged as the only line, ended by CR LF. Returns the error text, empty on
// success.
std::string WriteLanguageFile(const std::filesystem::path& path, const std::string& code);

}  // namespace shared
