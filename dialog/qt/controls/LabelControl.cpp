#include "LabelControl.h"

LabelControl::LabelControl(const QString& text, bool oneLine, QWidget* parent)
    : QLabel(text, parent), m_oneLine(oneLine) {
    setTextFormat(Qt::PlainText);
    setWordWrap(!oneLine);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void LabelControl::showEvent(QShowEvent* event) {
    if (m_oneLine && !m_measured) {
        m_measured = true;
        if (sizeHint().width() > width()) resize(sizeHint().width(), height());
    }
    QLabel::showEvent(event);
}
