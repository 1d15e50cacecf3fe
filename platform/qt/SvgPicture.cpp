#include "SvgPicture.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace platform {

QIcon SvgIcon(const std::string& svg) {
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid()) {
        return {};
    }
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void SvgPictureWidget::setSvg(const std::string& svg) {
    svg_ = QByteArray::fromStdString(svg);
    update();
}

void SvgPictureWidget::paintEvent(QPaintEvent*) {
    QSvgRenderer renderer(svg_);
    if (!renderer.isValid()) {
        return;
    }
    QSizeF size = renderer.defaultSize();
    size.scale(QSizeF(width(), height()), Qt::KeepAspectRatio);
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                        size.height());
    QPainter painter(this);
    renderer.render(&painter, target);
}

}  // namespace platform
