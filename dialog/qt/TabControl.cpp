#include "TabControl.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace {
constexpr int kTabRowHeight = 20;  // pages start this far down, as on Windows
}

TabControl::TabControl(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
    m_bar->setDrawBase(false);
    m_bar->setExpanding(false);
    m_bar->setFocusPolicy(Qt::StrongFocus);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_bar);
    connect(m_bar, &QTabBar::currentChanged, this, &TabControl::selectionChanged);
}

void TabControl::InsertTab(int index, const QString& label) {
    const QSignalBlocker block(m_bar);
    m_bar->insertTab(index, label);
    m_bar->setGeometry(2, 0, width() - 4, kTabRowHeight + 1);
}

int TabControl::CurrentIndex() const { return m_bar->currentIndex(); }

void TabControl::resizeEvent(QResizeEvent*) { m_bar->setGeometry(2, 0, width() - 4, kTabRowHeight + 1); }

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, kTabRowHeight, width(), height() - kTabRowHeight);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_bar->size();
    frame.tabBarRect = m_bar->geometry();
    frame.selectedTabRect = m_bar->tabRect(m_bar->currentIndex()).translated(m_bar->pos());
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}
