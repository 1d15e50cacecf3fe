#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace plover {

// The routine works on a copy of its input in an area of this size: later bytes are not fed.
inline constexpr std::size_t kCrcInputLimit = 1400;

// CRC-16/MODBUS: polynomial 0x8005 reflected (0xA001), initial 0xFFFF, no final XOR; the check
// value of "123456789" is 0x4B37.
std::uint16_t Crc16Modbus(std::string_view bytes);

}  // namespace plover
