#include "PhoneDirectory.h"

#include <algorithm>
#include <iterator>

#include "dRING.h"

namespace kestrel {

std::filesystem::path PhoneDirectoryPath(const std::filesystem::path& programFolder) {
    return programFolder / "Work" / "FlInPh.000";
}

std::vector<std::string> DialEntries(const std::vector<std::string>& lines) {
    std::vector<std::string> entries;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(entries),
                 [](const std::string& line) { return !PhoneNumberOf(line).empty(); });
    return entries;
}

std::vector<std::string> NonEmptyLines(const std::vector<std::string>& lines) {
    std::vector<std::string> kept;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
                 [](const std::string& line) { return !line.empty(); });
    return kept;
}

std::string EnsurePhoneDirectory(const std::filesystem::path& path, const std::string& header) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return {};
    }
    return shared::WriteTextFile(path, {header});
}

}  // namespace kestrel
