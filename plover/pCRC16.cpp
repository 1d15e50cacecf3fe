#include "pCRC16.h"

#include <array>

namespace plover {

namespace {

constexpr std::array<std::uint16_t, 256> MakeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned crc = n;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
        }
        table[n] = std::uint16_t(crc);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kTable = MakeTable();

}  // namespace

std::uint16_t Crc16Modbus(std::string_view bytes) {
    std::uint16_t crc = 0xFFFF;
    for (unsigned char b : bytes.substr(0, kCrcInputLimit)) {
        crc = std::uint16_t((crc >> 8) ^ kTable[(crc ^ b) & 0xFF]);
    }
    return crc;
}

}  // namespace plover
