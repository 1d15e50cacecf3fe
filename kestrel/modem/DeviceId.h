#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "kestrel/common/WorkWindowIntents.h"

namespace kestrel {

// The identification record a client device sends first: "CSD_GPRS", the SIM's telephone number
// (10 bytes), the request timeout in seconds, one unused byte, the serial number (4 bytes, least
// significant first), the manufacturer code and the device type code.
inline constexpr std::string_view kDeviceIdMark = "CSD_GPRS";
inline constexpr std::size_t kDeviceIdSize = 26;

// A record: its device fields as the work window shows them, and the silence limit it sets.
struct DeviceId {
    DeviceFields fields;
    std::uint8_t requestTimeout = 0;  // seconds
};

// The first record in `buffer`, once all 26 bytes of it are there.
std::optional<DeviceId> FindDeviceId(std::string_view buffer);

// Reference names: manufacturer codes 1..60, and device types by manufacturer (codes 1, 2, 3, 4,
// 9 and 52 have type groups). Codes out of range give an empty name.
std::string_view ManufacturerName(int code);
bool HasTypeGroup(int manufacturer);
std::string_view DeviceTypeName(int manufacturer, int type);

}  // namespace kestrel
