#include "DeviceId.h"

#include <array>

#include "shared/Cp1251.h"
#include "shared/Helpers.h"

namespace kestrel {

namespace {

constexpr std::size_t kPhoneOffset = 8;
constexpr std::size_t kPhoneSize = 10;
constexpr std::size_t kTimeoutOffset = 18;
constexpr std::size_t kSerialOffset = 20;
constexpr std::size_t kManufacturerOffset = 24;
constexpr std::size_t kTypeOffset = 25;

constexpr int kManufacturerSlots = 60;

struct NamedSlot {
    int code;
    std::string_view name;
};

constexpr std::array<NamedSlot, 12> kManufacturers = {{
    {1, "Volume Corrector Plant"},
    {2, "Gas Flow Instruments"},
    {3, "Pressure Logger Works"},
    {4, "Metering Systems Factory"},
    {5, "Telemetry Modules Shop"},
    {6, "Counter Devices Works"},
    {7, "Line Instruments Lab"},
    {8, "Utility Data Devices"},
    {9, "Remote Reading Systems"},
    {12, "Station Controls Works"},
    {20, "Field Electronics Plant"},
    {52, "Network Metering Group"},
}};

// One list of 78 device types; each manufacturer with types owns a group of consecutive entries.
constexpr std::array<std::string_view, 78> kDeviceTypes = {
    // manufacturer 1
    "VCP-101 volume corrector",
    "VCP-102 data logger",
    "VCP-103 flow computer",
    "VCP-104 pressure recorder",
    "VCP-105 telemetry unit",
    "VCP-106 volume corrector",
    "VCP-107 data logger",
    "VCP-108 flow computer",
    "VCP-109 pressure recorder",
    "VCP-110 telemetry unit",
    "VCP-111 volume corrector",
    "VCP-112 data logger",
    "VCP-113 flow computer",
    "VCP-114 pressure recorder",
    "VCP-115 telemetry unit",
    "VCP-116 volume corrector",
    "VCP-117 data logger",
    "VCP-118 flow computer",
    "VCP-119 pressure recorder",
    "VCP-120 telemetry unit",
    "VCP-121 volume corrector",
    "VCP-122 data logger",
    "VCP-123 flow computer",
    "VCP-124 pressure recorder",
    "VCP-125 telemetry unit",
    "VCP-126 volume corrector",
    "VCP-127 data logger",
    "VCP-128 flow computer",
    "VCP-129 pressure recorder",
    "VCP-130 telemetry unit",
    "VCP-131 volume corrector",
    "VCP-132 data logger",
    "VCP-133 flow computer",
    "VCP-134 pressure recorder",
    "VCP-135 telemetry unit",
    // manufacturer 2
    "GFI-101 volume corrector",
    "GFI-102 data logger",
    "GFI-103 flow computer",
    // manufacturer 3
    "PLW-101 volume corrector",
    "PLW-102 data logger",
    "PLW-103 flow computer",
    "PLW-104 pressure recorder",
    // manufacturer 4
    "MSF-101 volume corrector",
    "MSF-102 data logger",
    "MSF-103 flow computer",
    "MSF-104 pressure recorder",
    "MSF-105 telemetry unit",
    "MSF-106 volume corrector",
    "MSF-107 data logger",
    "MSF-108 flow computer",
    "MSF-109 pressure recorder",
    "MSF-110 telemetry unit",
    "MSF-111 volume corrector",
    "MSF-112 data logger",
    "MSF-113 flow computer",
    "MSF-114 pressure recorder",
    // manufacturer 9
    "RRS-101 volume corrector",
    "RRS-102 data logger",
    "RRS-103 flow computer",
    // manufacturer 52
    "NMG-101 volume corrector",
    "NMG-102 data logger",
    "NMG-103 flow computer",
    "NMG-104 pressure recorder",
    "NMG-105 telemetry unit",
    "NMG-106 volume corrector",
    "NMG-107 data logger",
    "NMG-108 flow computer",
    "NMG-109 pressure recorder",
    "NMG-110 telemetry unit",
    "NMG-111 volume corrector",
    "NMG-112 data logger",
    "NMG-113 flow computer",
    "NMG-114 pressure recorder",
    "NMG-115 telemetry unit",
    "NMG-116 volume corrector",
    "NMG-117 data logger",
    "NMG-118 flow computer",
    "NMG-119 pressure recorder",
};

struct TypeGroup {
    int manufacturer;
    std::size_t first;  // entry number, counted from 1
    std::size_t size;
};

constexpr std::array<TypeGroup, 6> kTypeGroups = {{
    {1, 1, 35},
    {2, 36, 3},
    {3, 39, 4},
    {4, 43, 14},
    {9, 57, 3},
    {52, 60, 19},
}};

const TypeGroup* GroupOf(int manufacturer) {
    for (const TypeGroup& group : kTypeGroups) {
        if (group.manufacturer == manufacturer) {
            return &group;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<DeviceId> FindDeviceId(std::string_view buffer) {
    const std::size_t start = buffer.find(kDeviceIdMark);
    if (start == std::string_view::npos || buffer.size() - start < kDeviceIdSize) {
        return std::nullopt;
    }
    const std::string_view record = buffer.substr(start, kDeviceIdSize);
    const auto byte = [record](std::size_t offset) { return int(std::uint8_t(record[offset])); };
    DeviceId id;
    DeviceFields& fields = id.fields;
    const int manufacturer = byte(kManufacturerOffset);
    fields.manufacturer = std::string(ManufacturerName(manufacturer));
    if (HasTypeGroup(manufacturer)) {
        fields.type = std::string(DeviceTypeName(manufacturer, byte(kTypeOffset)));
    }
    const auto serial = std::uint32_t(shared::FirstFourBytesToInt(record.substr(kSerialOffset, 4)));
    fields.serialNumber = std::to_string(serial);
    fields.phoneNumber =
        shared::Cp1251ToUtf8(shared::DropControlChars(record.substr(kPhoneOffset, kPhoneSize)));
    id.requestTimeout = std::uint8_t(byte(kTimeoutOffset));
    fields.requestTimeout = std::to_string(id.requestTimeout);
    return id;
}

std::string_view ManufacturerName(int code) {
    if (code < 1 || code > kManufacturerSlots) {
        return {};
    }
    for (const NamedSlot& slot : kManufacturers) {
        if (slot.code == code) {
            return slot.name;
        }
    }
    return {};
}

bool HasTypeGroup(int manufacturer) {
    return GroupOf(manufacturer) != nullptr;
}

std::string_view DeviceTypeName(int manufacturer, int type) {
    const TypeGroup* group = GroupOf(manufacturer);
    if (group == nullptr || type < 1 || std::size_t(type) > group->size) {
        return {};
    }
    return kDeviceTypes[group->first - 1 + std::size_t(type) - 1];
}

}  // namespace kestrel
