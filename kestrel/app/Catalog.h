#pragma once

#include <cstdint>
#include <string_view>

// The message catalog: every text that depends on the language, by table and key, one column
// per language (1 Ukrainian, 2 Russian, 3 English). Texts are used exactly as they stand.
namespace kestrel {

enum class ContrStatusTexts {
    StopPollingLink = 1,
    CmdStatus,
    CmdClose,
};

enum class ServerStateTexts {
    ServerOff = 1,
    ServerWaiting,
    ServerDeviceOnly,
    ServerDeviceAndPolling,
    StatusMonitoring,
};

enum class EditorTexts {
    EditorTitle = 1,
    EditorAddress,
    EditorComment,
    EditorDelete,
    EditorSave,
    EditorCancel,
    EditorLinePrefix,
    EditorDeleteQuestion,
};

enum class ModemTexts {
    ModemCall = 1,
    ModemExit,
    ModemElapsed,
    ModemPhone,
    ModemAnswer,
    ModemTitle,
    RingWriteError,
};

enum class WorkTexts {
    StartServer = 1,
    DeviceConnection,
    DeviceId,
    PollingConnection,
    Manufacturer,
    DeviceType,
    SerialNumber,
    PhoneNumber,
    RequestTimeout,
    ExitProgram,
    StartRestart,
    ServerControl,
    CallDevice,
    CallNumberEditor,
    SimNumberMissing,
    DeviceOffCountdown,
    CalledNumber,
    AlreadyRunning,
};

enum class MenuTexts {
    MenuServer = 1,
    MenuSettings,
    MenuHelp,
    MenuExit,
    MenuAbout,
    MenuManual,
};

enum class SettingsTexts {
    SetLanguage = 1,
    SetPortNumber,
    SetRingPortNumber,
    SetPortOff,
    SetRingSpeed,
    SetServerSpeed,
    SetConnectTimeout,
    SetTicketTimeout,
    SetServerPanel,
    SetSave,
    SetExit,
    PortWriteError,
    SetTitle,
    ApnMissing,
    PortMissing,
    SetAutoStart,
    SetNullModem,
};

enum class PortTexts {
    PortOpenError = 1,
};

enum class ModemFaultTexts {
    NoInitProfile = 1,
    NoModemResponse,
    ModemCommandError,
    SimCardFault,
    PowerOnIncomplete,
    ModemCommandTimeout,
};

enum class StartTexts {
    StartStopKeys = 1,
    StartTitle,
    StartModemControl,
    StartServerStep,
};

enum class FileTexts {
    FilePrefix = 1,
    NotFoundSuffix,
    ModemPowerError,
    ModemPowerOn,
    SimError,
};

enum class WorkFolderTexts {
    WorkFolderMissing = 1,
    WorkNotAFolder,
    WorkFolderExpected,
    SettingsUnreadable,
};

enum class CallTexts {
    CallTitle = 1,
    CallStopKeys,
    CallRequest,
    RingPortError,
    NoRingModem,
    TryLater,
    PowerCycleModem,
};

enum class AboutTexts {
    AboutTitle = 1,
    AboutSoftware,
    AboutVersion,
    AboutYes,
};

enum class WaitTexts {
    WaitText = 1,
};

std::string_view CatalogText(ContrStatusTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(ServerStateTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(EditorTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(ModemTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(WorkTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(MenuTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(SettingsTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(PortTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(ModemFaultTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(StartTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(FileTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(WorkFolderTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(CallTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(AboutTexts key, std::uint8_t languageIndex);
std::string_view CatalogText(WaitTexts key, std::uint8_t languageIndex);

}  // namespace kestrel
