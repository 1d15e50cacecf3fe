#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace shared {

// Codes of the languages 1 (Ukrainian), 2 (Russian) and 3 (English).
inline constexpr std::array<std::string_view, 3> LanguageCodes = {"UA", "RU", "EN"};

// Exact, upper-case match; anything else (empty, "ru", " RU") is Ukrainian.
std::uint8_t LanguageFromCode(std::string_view code);

std::string_view LanguageCode(std::uint8_t languageIndex);

}  // namespace shared
