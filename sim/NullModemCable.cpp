#include "NullModemCable.h"

namespace sim {

NullModemCable::NullModemCable(ByteEndpoint& end1, ByteEndpoint& end2, Fault fault,
                               int failingExchange)
    : end1_(end1), end2_(end2), fault_(fault), failingExchange_(failingExchange) {
    end1_.onReceived([this](const std::string& bytes) { carry(1, bytes); });
    end2_.onReceived([this](const std::string& bytes) { carry(2, bytes); });
}

void NullModemCable::carry(int from, std::string bytes) {
    if (bytes.empty()) {
        return;
    }
    const bool firstOfExchange = from != lastSender_;
    if (firstOfExchange) {
        lastSender_ = from;
        ++exchanges_;
    }
    switch (fault_) {
        case Fault::None:
            break;
        case Fault::Cut:
            return;
        case Fault::AddsByte:
            if (firstOfExchange) {
                bytes += bytes.back();
            }
            break;
        case Fault::CorruptsByte:
            if (firstOfExchange) {
                bytes[0] = char(bytes[0] ^ 0x01);
            }
            break;
        case Fault::FailsOnce:
            if (exchanges_ == failingExchange_) {
                return;
            }
            break;
    }
    (from == 1 ? end2_ : end1_).send(bytes);
}

}  // namespace sim
