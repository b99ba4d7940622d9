#include "GroupBoxControl.h"

#include <QPainter>

GroupBoxControl::GroupBoxControl(const QString& title, QWidget* parent) : QWidget(parent), m_title(title) {
    setFocusPolicy(Qt::NoFocus);
}

void GroupBoxControl::SetTitle(const QString& title) {
    m_title = title;
    update();
}

void GroupBoxControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    painter.setPen(QColor(0xDC, 0xDC, 0xDC));
    painter.drawRect(QRectF(0.5, top + 0.5, width() - 1, height() - top - 1));
    if (m_title.isEmpty()) return;
    const QRect text(7, 0, metrics.horizontalAdvance(m_title) + 4, metrics.height());
    painter.fillRect(text, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(text, Qt::AlignCenter, m_title);
}
