#include "ExchangeLogFile.h"

#include <cerrno>
#include <cstring>

#include "shared/Cp1251.h"

namespace kestrel {

std::string ExchangeLogFile::create(const std::filesystem::path& path) {
    close();
    errno = 0;
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_.is_open()) {
        return "Cannot create file \"" + path.string() + "\": " + std::strerror(errno);
    }
    path_ = path;
    return {};
}

void ExchangeLogFile::writeLines(const std::vector<std::string>& lines) {
    if (!out_.is_open()) {
        return;
    }
    for (const std::string& line : lines) {
        out_ << shared::Utf8ToCp1251(line) << "\r\n";
    }
    // A run may end by a power cut: what was logged is on disk.
    out_.flush();
}

void ExchangeLogFile::close() {
    if (out_.is_open()) {
        out_.close();
    }
}

}  // namespace kestrel
