#pragma once

#include <windows.h>

#include <filesystem>

namespace testing_support {

// Saves what a window shows on screen, frame included, as a PNG file for review by eye.
bool SaveWindowPicture(HWND window, const std::filesystem::path& path);

}  // namespace testing_support
