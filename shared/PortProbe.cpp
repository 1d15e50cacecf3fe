#include "PortProbe.h"

namespace shared {

bool ProbePort(platform::SerialPorts& ports, const std::string& name) {
    return ports.probe(name) != platform::PortPresence::Absent;
}

}  // namespace shared
