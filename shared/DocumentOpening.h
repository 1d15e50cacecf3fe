#pragma once

#include <filesystem>
#include <string>

#include "WaitWindow.h"
#include "platform/core/Desktop.h"

// The manual opening and the missing-file message both programs share.
namespace shared {

// The message is prefix + full path + suffix, exactly as the texts are stored.
struct MissingFileTexts {
    std::string prefix;
    std::string suffix;
};

// A plain box with OK naming the file that is not there.
void ShowMissingFile(platform::Desktop& desktop, const MissingFileTexts& texts,
                     const std::filesystem::path& path);

// Hands the document to the desktop, then reports it when the file is missing. True when it was
// missing.
bool OpenDocumentFile(platform::Desktop& desktop, const std::filesystem::path& path,
                      const MissingFileTexts& texts);

// Shows the wait window, which opens the document on its first tick and closes itself about one
// and a half seconds later; `window` refers to it while it is open. An empty path opens nothing.
void ShowDocument(platform::EventLoop& loop, platform::Desktop& desktop,
                  const std::filesystem::path& path, const std::string& waitText,
                  const MissingFileTexts& texts, TfWaitPDF*& window);

}  // namespace shared
