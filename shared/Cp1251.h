#pragma once

#include <string>
#include <string_view>

// Windows-1251 at the file and port boundary; UTF-8 inside the program.
namespace shared {

std::string Cp1251ToUtf8(std::string_view bytes);
// Characters Windows-1251 cannot hold become "?".
std::string Utf8ToCp1251(std::string_view text);

}  // namespace shared
