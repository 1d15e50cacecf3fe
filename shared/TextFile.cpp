#include "TextFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "Cp1251.h"

namespace shared {

namespace {

std::string IoErrorText(const char* what, const std::filesystem::path& path) {
    return std::string(what) + " \"" + path.string() + "\": " + std::strerror(errno);
}

}  // namespace

TextFileRead ReadTextFile(const std::filesystem::path& path) {
    TextFileRead result;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        return result;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in || !std::filesystem::is_regular_file(path, ec)) {
        errno = errno != 0 ? errno : EISDIR;
        result.status = TextFileRead::Status::Failed;
        result.error = IoErrorText("Cannot open file", path);
        return result;
    }
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        result.status = TextFileRead::Status::Failed;
        result.error = IoErrorText("Cannot read file", path);
        return result;
    }
    result.status = TextFileRead::Status::Read;
    std::string line;
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '\r' || c == '\n') {
            result.lines.push_back(Cp1251ToUtf8(line));
            line.clear();
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        result.lines.push_back(Cp1251ToUtf8(line));
    }
    return result;
}

std::string WriteTextFile(const std::filesystem::path& path,
                          const std::vector<std::string>& lines) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return IoErrorText("Cannot create file", path);
    }
    for (const std::string& line : lines) {
        out << Utf8ToCp1251(line) << "\r\n";
    }
    out.close();
    if (!out) {
        return IoErrorText("Cannot write file", path);
    }
    return {};
}

}  // namespace shared
