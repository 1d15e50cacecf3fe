#pragma once

#include <string>
#include <string_view>

namespace platform {

// The core's texts are UTF-8; the Win32 W APIs take UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace platform
