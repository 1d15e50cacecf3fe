#include "DeviceSim.h"

namespace sim {

std::string DeviceIdRecord(const DeviceIdentity& identity) {
    std::string record = "CSD_GPRS";
    std::string phone = identity.phone.substr(0, 10);
    phone.resize(10, '\0');
    record += phone;
    record += char(identity.requestTimeout);
    record += '\0';
    for (int shift = 0; shift < 32; shift += 8) {
        record += char((identity.serial >> shift) & 0xFF);
    }
    record += char(identity.manufacturer);
    record += char(identity.type);
    return record;
}

}  // namespace sim
