#pragma once

#include <string>

// The two fixed 32-byte frames of the cable test and their comparison.
namespace plover {

// 0x01..0x1E and its CRC, high byte first: ends 0x24 0xE5. Sent by RS-01.
std::string FrameA();
// 0x1E..0x01 and its CRC, high byte first: ends 0x3C 0xCD. Sent by RS-02.
std::string FrameB();

enum class CompareResult { Good = 0, NothingReceived = 1, WrongData = 2 };

// The CRC bytes are compared like the others, not recomputed.
CompareResult CompareFrame(const std::string& sent, const std::string& received);

}  // namespace plover
