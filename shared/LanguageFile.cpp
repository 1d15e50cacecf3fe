#include "LanguageFile.h"

#include "LanguageCode.h"
#include "TextFile.h"

namespace shared {

std::string ReadLanguageFile(const std::filesystem::path& path, std::uint8_t& languageIndex) {
    const TextFileRead file = ReadTextFile(path);
    if (file.status == TextFileRead::Status::Failed) {
        return file.error;
    }
    for (const std::string& line : file.lines) {
        languageIndex = LanguageFromCode(line);
    }
    return {};
}

std::string WriteLanguageFile(const std::filesystem::path& path, const std::string& code) {
    return WriteTextFile(path, {code});
}

}  // namespace shared
