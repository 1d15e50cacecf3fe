#pragma once

#include "platform/core/Form.h"

namespace kestrel {

// Shown while the long-lived windows and modules are created.
class TSplashForm : public platform::Form {
  public:
    TSplashForm();
};

}  // namespace kestrel
