#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "shared/TextFile.h"

namespace kestrel {

// The phone directory file `Work/FlInPh.000`: entries "number // comment", comment lines without
// a number, empty lines; Windows-1251 with CR LF on disk.
std::filesystem::path PhoneDirectoryPath(const std::filesystem::path& programFolder);

// The header line the modem window writes into a new directory, whatever the language.
inline constexpr const char* kDirectoryHeader = "//справочник телефонов";

// The lines offered for dialling: those whose number part holds more than blanks, unchanged and
// in file order.
std::vector<std::string> DialEntries(const std::vector<std::string>& lines);

// The lines that are not empty, in file order.
std::vector<std::string> NonEmptyLines(const std::vector<std::string>& lines);

// Creates the directory with its one header line unless it exists. Returns the error text, empty
// when the file exists afterwards.
std::string EnsurePhoneDirectory(const std::filesystem::path& path, const std::string& header);

}  // namespace kestrel
