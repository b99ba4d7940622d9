#include "Replay.h"

#include "ScreenOracle.h"
#include "app/MainDlg.h"
#include "dialog/qt/DialogWindow.h"

#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <fstream>
#include <malloc.h>

namespace {

// Resident memory once the allocator has handed back what it keeps spare.
long ResidentKb() {
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// Puts a short text into every field, so that two measurements of memory
// compare the program and not what the fields happen to hold.
void ShortenEveryField(EventPlayer& player) {
    for (int tab = 0; tab < 4; ++tab) {
        player.Play(UserEvent{UserEvent::Tab, tab, 0, {}});
        for (int id : EventMaker::FieldsOf(tab)) {
            player.Play(UserEvent{UserEvent::Focus, id, 0, {}});
            player.Play(UserEvent{UserEvent::Type, 0, 0, QStringLiteral("1")});
        }
    }
}

long MeasureKb(EventPlayer& player) {
    ShortenEveryField(player);
    return ResidentKb();
}

// Plays the events on a fresh main window, judging each one.
}  // namespace

RunResult Play(const std::vector<UserEvent>& events, bool measure, size_t warmAfter) {
    RunResult result;
    CMainDlg dialog;
    QTimer::singleShot(0, [&] {
        QWidget* window = dialog.Window()->Root();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window);
        EventPlayer player(dialog);
        std::vector<Write> writes;
        CDialog::SetWriteObserver([&](int id, const CString& text) {
            writes.push_back({id, QString::fromStdU16String(text), CDialog::GetFocusId()});
        });
        for (size_t i = 0; i < events.size() && !result.failure; ++i) {
            if (i == warmAfter && measure) result.warmKb = MeasureKb(player);
            try {
                const Screen before = Capture(player);
                writes.clear();
                player.Play(events[i]);
                const std::string what = Judge(events[i], before, Capture(player), writes);
                if (!what.empty()) result.failure = Failure{i, what};
            } catch (const std::exception& error) {
                result.failure = Failure{i, std::string("exception: ") + error.what()};
            }
        }
        if (measure) result.endKb = MeasureKb(player);
        CDialog::SetWriteObserver(nullptr);
        dialog.EndDialog(win32::IDCANCEL);
    });
    dialog.DoModal();
    return result;
}

