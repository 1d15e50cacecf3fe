#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace testing_support {

// A fresh program folder with an empty Work folder, removed at the end of the test.
class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("kestrel-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_ / "Work");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path work(const std::string& name) const { return path_ / "Work" / name; }

    void writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(work(name), std::ios::binary) << bytes;
    }
    std::string readBytes(const std::string& name) const {
        std::ifstream in(work(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

  private:
    std::filesystem::path path_;
};

}  // namespace testing_support
