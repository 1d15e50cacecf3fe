#pragma once

#include <string_view>

namespace plover {

// The about box picture, built into the program so that no stray file can go missing: two
// connectors joined by a cable.
inline constexpr std::string_view kPloverPicture =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 128 128">
  <rect x="4" y="4" width="120" height="120" rx="18" fill="#eef5ea" stroke="#2d5a1f" stroke-width="4"/>
  <path d="M30 44 C30 96 98 32 98 84" fill="none" stroke="#3a3a3a" stroke-width="7" stroke-linecap="round"/>
  <path d="M14 24 H46 L42 44 H18 Z" fill="#4a78b8" stroke="#1f3a68" stroke-width="3" stroke-linejoin="round"/>
  <path d="M82 84 H114 L110 104 H86 Z" fill="#a0522d" stroke="#5a2a10" stroke-width="3" stroke-linejoin="round"/>
  <circle cx="24" cy="32" r="2.5" fill="#ffffff"/><circle cx="30" cy="32" r="2.5" fill="#ffffff"/>
  <circle cx="36" cy="32" r="2.5" fill="#ffffff"/><circle cx="92" cy="92" r="2.5" fill="#ffffff"/>
  <circle cx="98" cy="92" r="2.5" fill="#ffffff"/><circle cx="104" cy="92" r="2.5" fill="#ffffff"/>
</svg>)svg";

}  // namespace plover
