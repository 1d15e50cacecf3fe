#include <gtest/gtest.h>

#include "kestrel/modem/DeviceId.h"
#include "sim/DeviceSim.h"
#include "support/ModemBench.h"

using sim::DeviceIdentity;
using sim::DeviceIdRecord;
using testing_support::ModemBench;

namespace {

std::string Calls(const ModemBench& b) {
    std::string all;
    for (const std::string& call : b.work.calls) {
        all += call + "\n";
    }
    return all;
}

}  // namespace

TEST(DeviceId, RecordsFromTheReceptionsToTheDeviceFields) {
    const std::string plain = DeviceIdRecord({});
    struct Case {
        const char* name;
        std::vector<std::string> receptions;
        std::string calls;
        std::uint8_t clientTimeout;
    };
    const Case cases[] = {
        {"a record short of its last byte waits", {plain.substr(0, 25)}, "", 200},
        {"... and the byte completes it",
         {plain.substr(0, 25), plain.substr(25)},
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 1 \"0501234567\" 60\n"
         "connected YES\nidentified YES\n",
         60},
        {"the serial number is unsigned, least significant byte first",
         {DeviceIdRecord({.serial = 0x80000001})},
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 2147483649 "
         "\"0501234567\" 60\nconnected YES\nidentified YES\n",
         60},
        {"zero bytes in the telephone number are dropped",
         {DeviceIdRecord({.phone = std::string("050") + '\0' + '\0' + "34567"})},
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 1 \"05034567\" 60\n"
         "connected YES\nidentified YES\n",
         60},
        {"the request timeout byte becomes the silence limit",
         {DeviceIdRecord({.requestTimeout = 0x1E})},
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 1 \"0501234567\" 30\n"
         "connected YES\nidentified YES\n",
         30},
        {"manufacturer 2, type 3 is entry 38 of the type list",
         {DeviceIdRecord({.manufacturer = 2, .type = 3})},
         "device \"Gas Flow Instruments\" \"GFI-103 flow computer\" 1 \"0501234567\" 60\n"
         "connected YES\nidentified YES\n",
         60},
        {"a REMOTE IP line first, the record in a later reception",
         {"\r\nREMOTE IP: 10.20.30.40\r\n", DeviceIdRecord({.requestTimeout = 45})},
         "connected YES\n"
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 1 \"0501234567\" 45\n"
         "connected YES\nidentified YES\n",
         45},
        {"a REMOTE IP line and the record in one reception: the record wins",
         {"\r\nREMOTE IP: 10.20.30.40\r\n" + DeviceIdRecord({.requestTimeout = 45}) + "tail"},
         "device \"Volume Corrector Plant\" \"VCP-101 volume corrector\" 1 \"0501234567\" 45\n"
         "connected YES\nidentified YES\n",
         45},
    };
    for (const Case& c : cases) {
        ModemBench b;
        b.values.links.ClientTimeout = 200;
        for (const std::string& chunk : c.receptions) {
            b.receive(chunk);
        }
        EXPECT_EQ(Calls(b), c.calls) << c.name;
        EXPECT_EQ(b.values.links.ClientTimeout, c.clientTimeout) << c.name;
        EXPECT_EQ(b.modem.ServerRxBuffer.empty(), !c.calls.empty()) << c.name;
    }
}

TEST(DeviceId, CodesOutsideTheListsShowNoNameInsteadOfReadingPastThem) {
    struct Case {
        int manufacturer;
        int type;
        std::string name;
        std::optional<std::string> typeName;
    };
    const Case cases[] = {
        {0, 1, "", std::nullopt},
        {61, 1, "", std::nullopt},
        {255, 255, "", std::nullopt},
        {7, 1, "Line Instruments Lab", std::nullopt},
        {13, 1, "", std::nullopt},
        {1, 0, "Volume Corrector Plant", ""},
        {1, 35, "Volume Corrector Plant", "VCP-135 telemetry unit"},
        {1, 36, "Volume Corrector Plant", ""},
        {4, 14, "Metering Systems Factory", "MSF-114 pressure recorder"},
        {9, 4, "Remote Reading Systems", ""},
        {52, 19, "Network Metering Group", "NMG-119 pressure recorder"},
        {52, 20, "Network Metering Group", ""},
        {52, 255, "Network Metering Group", ""},
    };
    for (const Case& c : cases) {
        const auto id = kestrel::FindDeviceId(DeviceIdRecord(
            {.manufacturer = std::uint8_t(c.manufacturer), .type = std::uint8_t(c.type)}));
        ASSERT_TRUE(id);
        EXPECT_EQ(id->fields.manufacturer, c.name) << c.manufacturer << "/" << c.type;
        EXPECT_EQ(id->fields.type, c.typeName) << c.manufacturer << "/" << c.type;
    }
}
