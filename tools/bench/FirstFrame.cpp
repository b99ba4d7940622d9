#include "FirstFrame.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace {

long long NowNs() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_sec * 1000000000LL + now.tv_nsec;
}

long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(const char* name) : m_name(name) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow()) {
            m_seen = true;
            // The frame reaches the screen once this paint pass has been flushed.
            QTimer::singleShot(0, [this] { Report(); });
        }
        return false;
    }

private:
    void Report() const {
        const char* t0 = std::getenv("LAMINO_BENCH_T0_NS");
        const double ms = t0 ? (NowNs() - std::atoll(t0)) / 1e6 : -1;
        std::printf("%s startup_ms=%.2f peak_kb=%ld\n", m_name, ms, PeakResidentKb());
        std::fflush(stdout);
        std::_Exit(0);
    }

    const char* m_name;
    bool m_seen = false;
};

}  // namespace

void ReportFirstFrame(QApplication& app, const char* name) { app.installEventFilter(new FirstPaintWatcher(name)); }
