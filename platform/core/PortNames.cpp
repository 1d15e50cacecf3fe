#include "PortNames.h"

#include <charconv>

namespace platform {

std::optional<int> ComPortNumber(std::string_view name) {
    if (name.size() < 4 || name.substr(0, 3) != "COM" || name[3] == '0') {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(3);
    int number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (error != std::errc() || end != digits.data() + digits.size() || number < 1) {
        return std::nullopt;
    }
    return number;
}

std::map<std::string, std::string> ParsePortMap(std::string_view text) {
    std::map<std::string, std::string> map;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const std::string_view name = line.substr(0, equals);
        std::string_view device = line.substr(equals + 1);
        while (!device.empty() && (device.back() == ' ' || device.back() == '\t')) {
            device.remove_suffix(1);
        }
        if (ComPortNumber(name) && !device.empty()) {
            map[std::string(name)] = std::string(device);
        }
    }
    return map;
}

}  // namespace platform
