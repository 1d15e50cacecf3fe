#pragma once

#include "platform/core/Form.h"
#include "platform/core/Timer.h"

namespace plover {

class PloverApp;

// The host window: shown for a moment at start, it opens the tester window on its first tick and
// is hidden from then on; closing it ends the program.
class TfMenu : public platform::Form {
  public:
    explicit TfMenu(PloverApp& app);

    platform::Timer tInit;
};

}  // namespace plover
