#pragma once
// A group box as Windows draws one: a thin frame with its title set into
// the top line, and nothing painted inside, so the controls it frames show
// through on the page's own background. Those controls are its children.

#include <QWidget>

class GroupBoxControl : public QWidget {
public:
    GroupBoxControl(const QString& title, QWidget* parent);

    QString Title() const { return m_title; }
    void SetTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_title;
};
