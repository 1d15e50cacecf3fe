#pragma once

#include <string>

#include "ByteEndpoint.h"

namespace sim {

// A null-modem cable between two lines: what one end sends arrives at the other, unless the cable
// is faulty. An exchange is a run of bytes in one direction; it ends when the other end sends.
class NullModemCable {
  public:
    enum class Fault {
        None,          // a good cable
        Cut,           // nothing arrives
        AddsByte,      // every exchange arrives with one byte more
        CorruptsByte,  // the first byte of every exchange arrives with a bit flipped
        FailsOnce,     // nothing of one exchange arrives; all others pass
    };

    // `failingExchange` (counted from 1) is the exchange a FailsOnce cable loses.
    NullModemCable(ByteEndpoint& end1, ByteEndpoint& end2, Fault fault = Fault::None,
                   int failingExchange = 2);

    int exchanges() const { return exchanges_; }

  private:
    void carry(int from, std::string bytes);

    ByteEndpoint& end1_;
    ByteEndpoint& end2_;
    Fault fault_;
    int failingExchange_;
    int lastSender_ = 0;
    int exchanges_ = 0;
};

}  // namespace sim
