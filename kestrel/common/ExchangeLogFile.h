#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kestrel {

// The text file of receptions, held open for the server run. Lines are Windows-1251 with CR LF.
class ExchangeLogFile {
  public:
    // Creates the file anew. Returns the error text, empty on success.
    std::string create(const std::filesystem::path& path);
    bool isOpen() const { return out_.is_open(); }
    // Writes the lines and flushes once.
    void writeLines(const std::vector<std::string>& lines);
    void close();
    const std::filesystem::path& path() const { return path_; }

  private:
    std::ofstream out_;
    std::filesystem::path path_;
};

}  // namespace kestrel
