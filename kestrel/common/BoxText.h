#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// A text read from a file or handed up by the port layer, cut for a message box: a box lays out
// all of its text, and a megabyte of it stalls the program for seconds.
inline std::string CutForBox(std::string_view text) {
    constexpr std::size_t kLimit = 200;
    if (text.size() <= kLimit) {
        return std::string(text);
    }
    std::size_t end = kLimit;
    // Never split a UTF-8 sequence.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return std::string(text.substr(0, end)) + "…";
}

}  // namespace kestrel
