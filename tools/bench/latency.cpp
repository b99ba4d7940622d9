// Keystroke latency: from a key event in a field to every field it changes
// written and repainted, on the real main window. Prints the median and the
// 99th percentile per page; with a file name, also draws the distributions.
// Usage: lamino-latency [KEYSTROKES] [CHART.png]

#include "app/MainDlg.h"
#include "dialog/qt/Application.h"
#include "dialog/qt/DialogWindow.h"
#include "dialog/qt/TabControl.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Case {
    const char* name;
    int tab;
    int field;
};

const Case kCases[] = {
    {"converter length (inch)", 0, IDC_UNIT_INCH},
    {"V-cut (B)", 1, IDC_VCUT_B},
    {"gold finger (L)", 2, IDC_GOLD_L},
    {"countersink (B)", 3, IDC_SINK_B},
};

QWidget* FindControl(QWidget* page, int id) {
    for (QWidget* w : page->findChildren<QWidget*>())
        if (DialogWindow::OwnId(w) == id) return w;
    return nullptr;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<size_t>(p * values.size()))];
}

void DrawChart(const std::vector<std::vector<double>>& samples, const QString& file) {
    QImage chart(760, 420, QImage::Format_RGB32);
    chart.fill(Qt::white);
    QPainter painter(&chart);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
                              QColor(0xd6, 0x27, 0x28)};
    double top = 0;
    for (const auto& s : samples) top = std::max(top, Percentile(s, 0.999));
    const QRect plot(70, 30, 660, 330);
    painter.drawRect(plot);
    painter.drawText(QRect(0, 5, 760, 20), Qt::AlignCenter, QStringLiteral("Keystroke latency, key event to repainted fields"));
    for (int i = 0; i <= 4; ++i) {
        const double ms = top * i / 4;
        const int x = plot.left() + plot.width() * i / 4;
        painter.drawText(QRect(x - 40, plot.bottom() + 5, 80, 20), Qt::AlignCenter, QString::number(ms, 'f', 2) + " ms");
    }
    painter.drawText(QRect(0, 385, 760, 20), Qt::AlignCenter, QStringLiteral("latency (up to the 99.9th percentile)"));
    // The vertical axis: the share of keystrokes answered within that time.
    for (int i = 0; i <= 4; ++i) {
        const int y = plot.bottom() - plot.height() * i / 4;
        painter.drawText(QRect(0, y - 10, 64, 20), Qt::AlignRight | Qt::AlignVCenter, QString::number(25 * i) + " %");
    }
    for (size_t c = 0; c < samples.size(); ++c) {
        std::vector<double> sorted = samples[c];
        std::sort(sorted.begin(), sorted.end());
        QPainterPath path;
        for (size_t i = 0; i < sorted.size(); ++i) {
            const QPointF point(plot.left() + plot.width() * std::min(1.0, sorted[i] / top),
                                plot.bottom() - plot.height() * (i + 1.0) / sorted.size());
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(colours[c], 2));
        painter.drawPath(path);
        painter.drawText(plot.left() + 420, plot.bottom() - 90 + 18 * static_cast<int>(c), QString::fromUtf8(kCases[c].name));
    }
    painter.end();
    chart.save(file);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ConfigureApplication(app);
    const int keystrokes = argc > 1 ? std::atoi(argv[1]) : 10000;
    const QString chart = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

    CMainDlg dialog;
    QTimer::singleShot(0, [&] {
        QWidget* window = dialog.Window()->Root();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
        auto* tabs = static_cast<TabControl*>(dialog.Window()->Control(IDC_TAB));
        std::vector<std::vector<double>> samples;
        std::printf("%-26s %10s %10s   over %d keystrokes\n", "field", "median ms", "p99 ms", keystrokes);
        for (const Case& c : kCases) {
            QTest::mouseClick(tabs->Bar(), Qt::LeftButton, {}, tabs->Bar()->tabRect(c.tab).center());
            QApplication::processEvents();
            QWidget* page = nullptr;
            int index = 0;
            for (QWidget* w : tabs->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (DialogWindow::IsDialogRoot(w) && index++ == c.tab) page = w;
            auto* field = static_cast<QLineEdit*>(FindControl(page, c.field));
            field->setFocus(Qt::TabFocusReason);
            field->selectAll();
            QTest::keyClick(field, '1');
            QApplication::processEvents();
            std::vector<double> ms;
            QElapsedTimer timer;
            for (int i = 0; i < keystrokes; ++i) {
                // Alternately a digit and a Backspace, so the field stays short.
                timer.start();
                if (i % 2 == 0)
                    QTest::keyClick(field, static_cast<char>('2' + i % 7));
                else
                    QTest::keyClick(field, Qt::Key_Backspace);
                QApplication::processEvents();  // the repaint of what the keystroke changed
                ms.push_back(timer.nsecsElapsed() / 1e6);
            }
            std::printf("%-26s %10.3f %10.3f\n", c.name, Percentile(ms, 0.5), Percentile(ms, 0.99));
            samples.push_back(ms);
        }
        if (!chart.isEmpty()) DrawChart(samples, chart);
        dialog.EndDialog(win32::IDCANCEL);
    });
    dialog.DoModal();
    return 0;
}
