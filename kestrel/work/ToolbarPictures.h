#pragma once

#include <string_view>

// Pictures of the work window's toolbar buttons.
namespace kestrel::pictures {

#define KESTREL_SVG(body) \
    "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 32 32\">" body "</svg>"

inline constexpr std::string_view Retry = KESTREL_SVG(
    "<circle cx='16' cy='16' r='13' fill='#2e8b57'/><path d='M12 9 L24 16 L12 23 Z' "
    "fill='white'/>");
inline constexpr std::string_view Control = KESTREL_SVG(
    "<rect x='4' y='6' width='24' height='18' rx='3' fill='#1f3a68'/>"
    "<path d='M8 19 L13 13 L17 17 L24 10' stroke='#7fff7f' stroke-width='2.5' fill='none'/>"
    "<rect x='12' y='25' width='8' height='3' fill='#1f3a68'/>");
inline constexpr std::string_view Phone = KESTREL_SVG(
    "<path d='M9 4 L13 10 L10 13 Q13 19 19 22 L22 19 L28 23 L25 28 Q12 27 4 8 Z' fill='#2f6fbf'/>");
inline constexpr std::string_view EditPhone = KESTREL_SVG(
    "<rect x='5' y='4' width='18' height='24' rx='2' fill='#f2e6b8' stroke='#806020' "
    "stroke-width='2'/>"
    "<path d='M14 24 L26 8 L29 11 L17 27 L13 28 Z' fill='#c0392b'/>");
inline constexpr std::string_view Help = KESTREL_SVG(
    "<circle cx='16' cy='16' r='13' fill='#6a5acd'/>"
    "<text x='16' y='23' font-size='20' text-anchor='middle' fill='white' "
    "font-family='sans-serif'>?</text>");
inline constexpr std::string_view Exit = KESTREL_SVG(
    "<rect x='6' y='4' width='14' height='24' fill='#8b4513'/>"
    "<path d='M18 16 H29 M24 11 L29 16 L24 21' stroke='#c00000' stroke-width='3' fill='none'/>");

#undef KESTREL_SVG

}  // namespace kestrel::pictures
