#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The tester's own texts, one column per language (1 Ukrainian, 2 Russian, 3 English), used
// exactly as they stand.
namespace plover {

enum class TesterText {
    // Menu, window and control captions.
    HelpMenu = 1,
    ExitMenu,
    AboutMenu,
    ManualMenu,
    WindowCaption,
    MonitoringSwitch,
    TestSwitch,
    ErrorLabel,
    CyclesLabel,
    // Boxes and log lines of the cable test.
    PortNotAssigned,
    WriteFailed,
    PortNotOpen,
    LogSend,
    LogReceive,
    LogNothingReceived,
    LogWrongData,
    PortMissing,
    RunPassed,
    // About box, wait window and the missing-manual message.
    AboutTitle,
    AboutSoftware,
    AboutVersion,
    AboutYes,
    WaitText,
    FilePrefix,
    NotFoundSuffix,
};

std::string_view TesterCatalogText(TesterText key, std::uint8_t languageIndex);

// The language the tester speaks; read from its language file at start and on every choice.
struct TesterLanguage {
    std::uint8_t index = 1;
    std::string text(TesterText key) const { return std::string(TesterCatalogText(key, index)); }
};

}  // namespace plover
