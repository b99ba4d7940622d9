// Arbitrary bytes as a sequence of user events on the real main window; the
// pages must show what their formulas give after every event.

#include "Replay.h"
#include "dialog/qt/Application.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <iostream>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: destroyed among the exit handlers it
    // would outlive Qt's own globals.
    static QApplication* app = new QApplication(*argc, *argv);
    ConfigureApplication(*app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    size_t position = 0;
    const auto next = [&](size_t n) -> size_t {
        if (position + 2 > size) return 0;
        const size_t choice = (data[position] | (data[position + 1] << 8)) % n;
        position += 2;
        return choice;
    };
    std::vector<UserEvent> events;
    int shownTab = 0;
    EventMaker maker;
    while (position + 2 <= size && events.size() < 200) {
        events.push_back(maker.Make(next, shownTab));
        if (events.back().kind == UserEvent::Tab) shownTab = events.back().id;
    }
    const RunResult result = Play(events);
    if (result.failure) {
        std::cerr << "event " << result.failure->eventIndex << ": " << result.failure->what << "\nas a script:\n";
        for (size_t i = 0; i <= result.failure->eventIndex; ++i)
            for (const std::string& line : events[i].DriveLines()) std::cerr << line.substr(0, 200) << "\n";
        std::abort();
    }
    return 0;
}
