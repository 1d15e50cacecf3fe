#include "Helpers.h"

#include <charconv>

#include "platform/core/Timer.h"

namespace shared {

std::string RemoveSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            result += c;
        }
    }
    return result;
}

std::string CollapseSpaces(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !result.empty() && result.back() == ' ') {
            continue;
        }
        result += c;
    }
    return result;
}

std::string TrimLeftSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimSpaces(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string()
                                          : TrimLeftSpaces(text.substr(0, last + 1));
}

std::string PadLeft(char fill, std::string_view text, std::size_t width) {
    if (text.size() >= width) {
        return std::string(text);
    }
    return std::string(width - text.size(), fill) + std::string(text);
}

std::string ByteToHex(unsigned value, int digits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string result;
    do {
        result.insert(result.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return PadLeft('0', result, digits < 0 ? 0 : std::size_t(digits));
}

std::int64_t HexToInt(std::string_view text) {
    if (!text.empty() && text.front() == '$') {
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return 0;
    }
    return value;
}

std::string BytesToHexText(std::string_view bytes) {
    // Written in place: the exchange log turns megabyte bursts into this text.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string result(bytes.size() * 3, ' ');
    char* out = result.data();
    for (unsigned char b : bytes) {
        out[0] = kDigits[b >> 4];
        out[1] = kDigits[b & 0x0F];
        out += 3;
    }
    return result;
}

std::string HexTextToBytes(std::string_view text) {
    const std::string compact = RemoveSpaces(text);
    std::string result;
    result.reserve(compact.size() / 2 + 1);
    for (std::size_t i = 0; i < compact.size(); i += 2) {
        const std::string_view pair = std::string_view(compact).substr(i, 2);
        result += char(HexToInt(pair) & 0xFF);
    }
    return result;
}

std::string StripLineControls(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size());
    for (char c : bytes) {
        if (c != 0 && c != 1 && c != 2 && c != 10 && c != 13) {
            result += c;
        }
    }
    return result;
}

std::string DropControlChars(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (unsigned char c : text) {
        if (c >= 32) {
            result += char(c);
        }
    }
    return result;
}

bool IsIntegerText(std::string_view text) {
    const std::string compact = RemoveSpaces(text);
    if (compact.empty()) {
        return false;
    }
    for (char c : compact) {
        if (c != '-' && (c < '0' || c > '9')) {
            return false;
        }
    }
    return true;
}

std::int64_t TextToInt64(std::string_view text) {
    if (!IsIntegerText(text)) {
        return 0;
    }
    // Texts such as "-", "--5" or "1-2" pass the character test but are no number: 0.
    const std::string compact = RemoveSpaces(text);
    std::int64_t value = 0;
    const auto [end, error] =
        std::from_chars(compact.data(), compact.data() + compact.size(), value);
    if (error != std::errc() || end != compact.data() + compact.size()) {
        return 0;
    }
    return value;
}

std::int32_t FirstFourBytesToInt(std::string_view bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::uint32_t byte = i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
        value |= byte << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}

namespace {
std::string Two(int n) {
    return PadLeft('0', std::to_string(n), 2);
}
}  // namespace

std::string TimeText(const platform::DateTime& t) {
    return Two(t.hour) + ":" + Two(t.minute) + ":" + Two(t.second) + "." +
           PadLeft('0', std::to_string(t.millisecond), 3);
}

std::string DateText(const platform::DateTime& t) {
    return Two(t.day) + "." + Two(t.month) + "." + PadLeft('0', std::to_string(t.year), 4);
}

std::string NowTimeText(const platform::EventLoop& loop) {
    return TimeText(loop.wallNow());
}

std::string TodayText(const platform::EventLoop& loop) {
    return DateText(loop.wallNow());
}

platform::DateTime NowDateTime(const platform::EventLoop& loop) {
    return loop.wallNow();
}

std::string TimeCode(const platform::EventLoop& loop) {
    const platform::DateTime t = loop.wallNow();
    return Two(t.hour) + Two(t.minute) + Two(t.second) +
           PadLeft('0', std::to_string(t.millisecond), 4);
}

std::string SecondsToText(std::uint16_t seconds) {
    const unsigned minutes = seconds / 60;
    const std::string rest = Two(seconds % 60) + " сек.";
    return minutes != 0 ? std::to_string(minutes) + " мин. " + rest : rest;
}

void WaitWithEvents(platform::EventLoop& loop, int ms) {
    const std::int64_t start = loop.now();
    loop.processEvents();
    if (loop.now() - start >= ms) {
        return;
    }
    // A timer of the remaining time wakes the wait even when nothing else is due.
    platform::Timer deadline(loop, int(ms - (loop.now() - start)), true);
    loop.runUntil([&] { return loop.now() - start >= ms; });
}

}  // namespace shared
