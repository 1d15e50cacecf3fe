#pragma once

#include <QIcon>
#include <QWidget>
#include <string>

namespace platform {

QIcon SvgIcon(const std::string& svg);

// An image control: the picture centred and scaled proportionally.
class SvgPictureWidget : public QWidget {
  public:
    explicit SvgPictureWidget(QWidget* parent) : QWidget(parent) {}
    void setSvg(const std::string& svg);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QByteArray svg_;
};

}  // namespace platform
