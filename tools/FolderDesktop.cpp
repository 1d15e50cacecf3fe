#include "FolderDesktop.h"

#include <QAbstractButton>
#include <QAction>

namespace tools {

QWidget* FolderDesktop::widget(const platform::Form& form, const platform::Control& control) const {
    const platform::FormRenderer* renderer = rendererFor(form);
    return renderer ? renderer->widgetFor(control) : nullptr;
}

QAction* FolderDesktop::action(const platform::Form& form, const platform::Control& control) const {
    const platform::FormRenderer* renderer = rendererFor(form);
    return renderer ? renderer->actionFor(control) : nullptr;
}

void FolderDesktop::click(const platform::Form& form, const platform::Control& control) const {
    if (auto* button = qobject_cast<QAbstractButton*>(widget(form, control))) {
        button->click();
    } else if (QAction* item = action(form, control)) {
        item->trigger();
    }
}

}  // namespace tools
