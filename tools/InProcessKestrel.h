#pragma once

#include <filesystem>
#include <string>

#include "FolderDesktop.h"
#include "kestrel/app/KestrelApp.h"
#include "platform/qt/QtSerialPorts.h"
#include "platform/virtual/ScriptedOperator.h"

class QWidget;
class QAction;

namespace tools {

// Kestrel's app on the Qt backend in this process, in a given program folder, with an operator
// who acts through the rendered widgets.
struct InProcessKestrel {
    InProcessKestrel(const std::filesystem::path& folder, const std::string& lockSuffix = {})
        : desktop(loop, folder, lockSuffix) {}

    // The rendered widget or menu action of a control of a shown form.
    QWidget* widget(const platform::Form& form, const platform::Control& control) const;
    QAction* action(const platform::Form& form, const platform::Control& control) const;
    // Clicks the widget of a control as the operator would (a menu item is triggered).
    void click(const platform::Form& form, const platform::Control& control) const;

    platform::QtEventLoop loop;
    FolderDesktop desktop;
    platform::QtSerialPorts ports{loop, desktop.programFolder() / "Work" / "ComPorts.000"};
    platform::Platform platform{loop, desktop, ports};
    kestrel::KestrelApp app{platform};
    platform::ScriptedOperator operatorScript{loop};
};

}  // namespace tools
