#include "DocumentOpening.h"

#include <memory>

namespace shared {

void ShowMissingFile(platform::Desktop& desktop, const MissingFileTexts& texts,
                     const std::filesystem::path& path) {
    desktop.messageBox(platform::BoxIcon::Information, texts.prefix + path.string() + texts.suffix,
                       platform::BoxButtons::Ok);
}

bool OpenDocumentFile(platform::Desktop& desktop, const std::filesystem::path& path,
                      const MissingFileTexts& texts) {
    desktop.openDocument(path);
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        return false;
    }
    ShowMissingFile(desktop, texts, path);
    return true;
}

void ShowDocument(platform::EventLoop& loop, platform::Desktop& desktop,
                  const std::filesystem::path& path, const std::string& waitText,
                  const MissingFileTexts& texts, TfWaitPDF*& window) {
    if (path.empty()) {
        return;
    }
    auto wait = std::make_unique<TfWaitPDF>(
        loop, waitText, [&desktop, path, texts] { OpenDocumentFile(desktop, path, texts); });
    window = wait.get();
    desktop.showModal(*wait);
    window = nullptr;
}

}  // namespace shared
