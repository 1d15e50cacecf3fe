#include "Pictures.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace platform {

namespace {

std::set<std::uint64_t>& Missing() {
    static std::set<std::uint64_t> missing;
    return missing;
}

}  // namespace

std::uint64_t PictureHash(std::string_view svg) {
    // The document proper, from "<svg" to the end of "</svg>": what the build finds in the program.
    const auto begin = svg.find("<svg");
    const auto end = svg.rfind("</svg>");
    if (begin != std::string_view::npos && end != std::string_view::npos && end > begin) {
        svg = svg.substr(begin, end + 6 - begin);
    }
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : svg) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    return hash;
}

HICON PictureIcon(std::string_view svg, int size) {
    static std::map<std::pair<std::uint64_t, int>, HICON> icons;
    const std::uint64_t hash = PictureHash(svg);
    const auto key = std::make_pair(hash, size);
    if (const auto it = icons.find(key); it != icons.end()) {
        return it->second;
    }
    wchar_t name[24];
    swprintf(name, 24, L"P%016llX", static_cast<unsigned long long>(hash));
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    if (icon == nullptr && Missing().insert(hash).second) {
        std::fprintf(stderr, "Kestrel: picture %016llX was not built into the program\n",
                     static_cast<unsigned long long>(hash));
    }
    icons[key] = icon;
    return icon;
}

int MissingPictureCount() {
    return int(Missing().size());
}

}  // namespace platform
