#pragma once

#include <string>

#include "kestrel/common/ProgramValues.h"
#include "platform/core/Desktop.h"

namespace kestrel {

// Sets LanguageIndex from Work/Type_Leng.000; the last line decides. A missing file changes
// nothing; one that cannot be read goes to the default error report.
void ReadLanguageFile(ProgramValues& values, platform::Desktop& desktop);

// Stores `code` as the only line of the language file. False, after the default error report,
// when the file cannot be written.
bool WriteLanguageFile(const ProgramValues& values, platform::Desktop& desktop,
                       const std::string& code);

}  // namespace kestrel
