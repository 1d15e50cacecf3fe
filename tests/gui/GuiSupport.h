#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <string>

namespace testing_support {

// Saves a picture of a window next to the test results for review.
inline bool SaveReviewPicture(QWidget* window, const std::string& name) {
    const QString path =
        QStringLiteral(KESTREL_TEST_RESULTS "/") + QString::fromStdString(name) + ".png";
    return window->grab().save(path);
}

}  // namespace testing_support
