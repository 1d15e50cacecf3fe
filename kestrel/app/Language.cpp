#include "Language.h"

#include "shared/LanguageCode.h"
#include "shared/TextFile.h"

namespace kestrel {

namespace {
constexpr const char* kLanguageFile = "Type_Leng.000";
}

void ReadLanguageFile(ProgramValues& values, platform::Desktop& desktop) {
    const shared::TextFileRead file = shared::ReadTextFile(WorkFile(values, kLanguageFile));
    if (file.status == shared::TextFileRead::Status::Failed) {
        desktop.reportError(file.error);
        return;
    }
    for (const std::string& line : file.lines) {
        values.program.LanguageIndex = shared::LanguageFromCode(line);
    }
}

bool WriteLanguageFile(const ProgramValues& values, platform::Desktop& desktop,
                       const std::string& code) {
    const std::string error = shared::WriteTextFile(WorkFile(values, kLanguageFile), {code});
    if (!error.empty()) {
        desktop.reportError(error);
        return false;
    }
    return true;
}

}  // namespace kestrel
