// A long run of random user events across the four pages, checking after
// every event what the pages must show. LAMINO_SOAK_EVENTS and
// LAMINO_SOAK_SEED change the length and the seed.

#include "Replay.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>

namespace {

long EnvOr(const char* name, long fallback) {
    const char* value = std::getenv(name);
    return value ? std::atol(value) : fallback;
}

// What a failure says, without its figures: a shorter sequence must fail the same way.
std::string Kind(const std::string& what) {
    std::string kind;
    for (char c : what)
        if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.' && c != '-') kind += c;
    return kind;
}

// The shortest sequence found that still fails the same way, by dropping chunks of events.
std::vector<UserEvent> Shrink(std::vector<UserEvent> events, const std::string& what) {
    for (size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
        for (size_t start = 0; start + chunk <= events.size();) {
            std::vector<UserEvent> shorter(events.begin(), events.begin() + static_cast<long>(start));
            shorter.insert(shorter.end(), events.begin() + static_cast<long>(start + chunk), events.end());
            const RunResult run = Play(shorter);
            if (run.failure && Kind(run.failure->what) == Kind(what))
                events = shorter;
            else
                start += chunk;
        }
        if (chunk == 1) break;
    }
    return events;
}

TEST(Soak, RandomUserEventsKeepEveryPageTrue) {
    const long count = EnvOr("LAMINO_SOAK_EVENTS", 100000);
    const unsigned long seed = static_cast<unsigned long>(EnvOr("LAMINO_SOAK_SEED", 20261208));
    std::cout << "soak: seed " << seed << ", " << count << " events" << std::endl;

    // The events depend on the tab shown, so they are made as they are played.
    std::mt19937_64 random(seed);
    const auto next = [&random](size_t n) { return static_cast<size_t>(random() % n); };
    std::vector<UserEvent> events;
    int shownTab = 0;
    EventMaker maker;
    for (long i = 0; i < count; ++i) {
        events.push_back(maker.Make(next, shownTab));
        if (events.back().kind == UserEvent::Tab) shownTab = events.back().id;
    }

    const RunResult result = Play(events, true, static_cast<size_t>(count / 10));
    if (result.failure) {
        const Failure& failure = *result.failure;
        std::vector<UserEvent> played(events.begin(), events.begin() + static_cast<long>(failure.eventIndex) + 1);
        std::cout << "soak: event " << failure.eventIndex << " of seed " << seed << ": " << failure.what << "\n"
                  << "soak: the shortest sequence found, as a lamino-drive script:\n";
        for (const UserEvent& event : Shrink(played, failure.what))
            for (const std::string& line : event.DriveLines()) std::cout << line.substr(0, 200) << "\n";
        FAIL() << failure.what;
    }
    const double growthPer100k = (result.endKb - result.warmKb) * 100000.0 / (count - count / 10) / 1024.0;
    std::cout << "soak: resident memory " << result.warmKb << " kB when warm, " << result.endKb << " kB at the end ("
              << growthPer100k << " MB per 100,000 events)" << std::endl;
#if !defined(__SANITIZE_ADDRESS__)
    if (count >= 50000) {
        EXPECT_LE(growthPer100k, 1.0);
    }
#endif
}

}  // namespace
