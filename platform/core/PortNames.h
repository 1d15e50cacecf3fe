#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The number of a port name "COM" + decimal number without leading zeros; none for other names.
std::optional<int> ComPortNumber(std::string_view name);

// The "COMn=<device path>" lines of a port map text; other lines are ignored.
std::map<std::string, std::string> ParsePortMap(std::string_view text);

}  // namespace platform
