#include "InProcessKestrel.h"

#include <QAbstractButton>
#include <QAction>

namespace tools {

QWidget* InProcessKestrel::widget(const platform::Form& form,
                                  const platform::Control& control) const {
    const platform::FormRenderer* renderer = desktop.rendererFor(form);
    return renderer ? renderer->widgetFor(control) : nullptr;
}

QAction* InProcessKestrel::action(const platform::Form& form,
                                  const platform::Control& control) const {
    const platform::FormRenderer* renderer = desktop.rendererFor(form);
    return renderer ? renderer->actionFor(control) : nullptr;
}

void InProcessKestrel::click(const platform::Form& form, const platform::Control& control) const {
    if (auto* button = qobject_cast<QAbstractButton*>(widget(form, control))) {
        button->click();
    } else if (QAction* item = action(form, control)) {
        item->trigger();
    }
}

}  // namespace tools
