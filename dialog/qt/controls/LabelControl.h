#pragma once
// A static text. One a line high shows its whole line even where this face
// runs a few pixels wider than the one the template was drawn for; it is
// measured when first shown, so hidden pages cost nothing at start-up.

#include <QLabel>

class LabelControl : public QLabel {
public:
    LabelControl(const QString& text, bool oneLine, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_oneLine;
    bool m_measured = false;
};
