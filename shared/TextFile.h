#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Windows-1251 text files with CR LF line ends, as every Work file is stored.
namespace shared {

struct TextFileRead {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    std::vector<std::string> lines;  // UTF-8
    std::string error;               // for Failed: what the default error report shows
};

// Reads every line; CR LF, LF and CR all end a line.
TextFileRead ReadTextFile(const std::filesystem::path& path);

// Creates the file anew with the lines, each ended by CR LF. Returns the error text, empty on
// success.
std::string WriteTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace shared
