#include "Form.h"

namespace platform {

Form::Form(std::string name) : Control(ControlKind::Form, std::move(name)) {
    setVisible(false);
}

void Form::markShown() {
    shown_ = true;
    setVisible(true);
}

void Form::close() {
    if (!shown_) {
        return;
    }
    if (onCloseQuery && !onCloseQuery()) {
        return;
    }
    shown_ = false;
    setVisible(false);
    if (onClose) {
        onClose();
    }
}

}  // namespace platform
