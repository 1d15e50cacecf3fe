#include "InProcessKestrel.h"

namespace tools {

QWidget* InProcessKestrel::widget(const platform::Form& form,
                                  const platform::Control& control) const {
    return desktop.widget(form, control);
}

QAction* InProcessKestrel::action(const platform::Form& form,
                                  const platform::Control& control) const {
    return desktop.action(form, control);
}

void InProcessKestrel::click(const platform::Form& form, const platform::Control& control) const {
    desktop.click(form, control);
}

}  // namespace tools
