#include "Language.h"

#include "shared/LanguageFile.h"

namespace kestrel {

namespace {
constexpr const char* kLanguageFile = "Type_Leng.000";
}

void ReadLanguageFile(ProgramValues& values, platform::Desktop& desktop) {
    const std::string error =
        shared::ReadLanguageFile(WorkFile(values, kLanguageFile), values.program.LanguageIndex);
    if (!error.empty()) {
        desktop.reportError(error);
    }
}

bool WriteLanguageFile(const ProgramValues& values, platform::Desktop& desktop,
                       const std::string& code) {
    const std::string error = shared::WriteLanguageFile(WorkFile(values, kLanguageFile), code);
    if (!error.empty()) {
        desktop.reportError(error);
        return false;
    }
    return true;
}

}  // namespace kestrel
