#include "PictureControl.h"

#include "dialog/qt/Resources.h"

PictureControl::PictureControl(int imageId, QWidget* parent) : QLabel(parent), m_imageId(imageId) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureControl::showEvent(QShowEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (pixmap().isNull() || pixmap().devicePixelRatio() != ratio) {
        const QPixmap picture = res::Picture(m_imageId, ratio);
        setPixmap(picture);
        resize(picture.deviceIndependentSize().toSize());
    }
    QLabel::showEvent(event);
}
