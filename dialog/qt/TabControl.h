#pragma once
// A tab control: a row of tabs above a framed pane. The pages placed on the
// pane are children of this widget, positioned by their owner.

#include <QWidget>

class QTabBar;

class TabControl : public QWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent);

    void InsertTab(int index, const QString& label);
    int CurrentIndex() const;
    QTabBar* Bar() const { return m_bar; }

signals:
    // The user picked another tab (never raised by InsertTab).
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_bar;
};
