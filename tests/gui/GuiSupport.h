#pragma once

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <string>

#include "InProcessKestrel.h"
#include "kestrel/app/prKestrel.h"
#include "support/TempFolder.h"

namespace testing_support {

// Saves a picture of a window next to the test results for review.
inline bool SaveReviewPicture(QWidget* window, const std::string& name) {
    const QString path =
        QStringLiteral(KESTREL_TEST_RESULTS "/") + QString::fromStdString(name) + ".png";
    return window->grab().save(path);
}

// Kestrel's app on the Qt backend in a test's program folder, with a lock name of its own.
struct QtKestrel : tools::InProcessKestrel {
    explicit QtKestrel(const TempFolder& folder)
        : InProcessKestrel(folder.path(),
                           "-test-" + std::to_string(QCoreApplication::applicationPid())) {}
};

}  // namespace testing_support
