#include "LanguageCode.h"

namespace shared {

std::uint8_t LanguageFromCode(std::string_view code) {
    for (std::size_t i = 0; i < LanguageCodes.size(); ++i) {
        if (code == LanguageCodes[i]) {
            return std::uint8_t(i + 1);
        }
    }
    return 1;
}

std::string_view LanguageCode(std::uint8_t languageIndex) {
    return languageIndex >= 1 && languageIndex <= 3 ? LanguageCodes[languageIndex - 1u]
                                                    : LanguageCodes[0];
}

}  // namespace shared
