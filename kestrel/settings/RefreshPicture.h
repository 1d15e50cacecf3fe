#pragma once

#include <string_view>

namespace kestrel {

// The picture of the port list refresh buttons.
inline constexpr std::string_view kRefreshPicture =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">)svg"
    R"svg(<path d="M19 12a7 7 0 1 1-2.05-4.95" fill="none" stroke="#1f6f2f" stroke-width="2.5"/>)svg"
    R"svg(<path d="M18 3v5h-5" fill="none" stroke="#1f6f2f" stroke-width="2.5"/></svg>)svg";

}  // namespace kestrel
