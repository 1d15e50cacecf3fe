#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/core/DateTime.h"
#include "platform/core/EventLoop.h"

// Text, number and time helpers. Texts are byte strings; "character" means one byte.
namespace shared {

// Spaces and padding.
std::string RemoveSpaces(std::string_view text);
std::string CollapseSpaces(std::string_view text);
std::string TrimLeftSpaces(std::string_view text);
std::string TrimSpaces(std::string_view text);
std::string PadLeft(char fill, std::string_view text, std::size_t width);

// Hexadecimal.
std::string ByteToHex(unsigned value, int digits);
std::int64_t HexToInt(std::string_view text);
std::string BytesToHexText(std::string_view bytes);
std::string HexTextToBytes(std::string_view text);

// Filters.
std::string StripLineControls(std::string_view bytes);
std::string DropControlChars(std::string_view text);

// Numbers.
bool IsIntegerText(std::string_view text);
std::int64_t TextToInt64(std::string_view text);
std::int32_t FirstFourBytesToInt(std::string_view bytes);

// Date and time, from the loop's wall clock, in the program's fixed formats.
std::string TimeText(const platform::DateTime& t);  // "HH:mm:ss.zzz"
std::string DateText(const platform::DateTime& t);  // "dd.MM.yyyy"
std::string NowTimeText(const platform::EventLoop& loop);
std::string TodayText(const platform::EventLoop& loop);
platform::DateTime NowDateTime(const platform::EventLoop& loop);
std::string TimeCode(const platform::EventLoop& loop);
std::string SecondsToText(std::uint16_t seconds);

// Lets the loop deliver events until at least `ms` milliseconds have passed; delivers at least
// once.
void WaitWithEvents(platform::EventLoop& loop, int ms);

}  // namespace shared
