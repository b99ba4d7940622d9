#pragma once
// std::mutex and std::condition_variable for GoogleTest, which needs them, on
// mingw-w64's default (win32) thread model, whose GCC before 13 has neither;
// over the system's slim locks. Given to GoogleTest and the test programs
// only (force-included by cmake/windows.cmake), never to Lamino.exe.

#include <mutex>

#if defined(__MINGW32__) && !defined(_GLIBCXX_HAS_GTHREADS)
#include <condition_variable>
#include "dialog/win32/Windows.h"  // our names first, then <windows.h>

namespace std {

class mutex {
public:
    mutex() = default;
    mutex(const mutex&) = delete;
    mutex& operator=(const mutex&) = delete;
    void lock() { AcquireSRWLockExclusive(&m_lock); }
    bool try_lock() { return TryAcquireSRWLockExclusive(&m_lock) != 0; }
    void unlock() { ReleaseSRWLockExclusive(&m_lock); }
    PSRWLOCK native_handle() { return &m_lock; }

private:
    SRWLOCK m_lock = SRWLOCK_INIT;
};

class condition_variable {
public:
    condition_variable() = default;
    condition_variable(const condition_variable&) = delete;
    condition_variable& operator=(const condition_variable&) = delete;
    void notify_one() { WakeConditionVariable(&m_condition); }
    void notify_all() { WakeAllConditionVariable(&m_condition); }
    void wait(unique_lock<mutex>& lock) {
        SleepConditionVariableSRW(&m_condition, lock.mutex()->native_handle(), INFINITE, 0);
    }
    template <typename Predicate>
    void wait(unique_lock<mutex>& lock, Predicate ready) {
        while (!ready()) wait(lock);
    }

private:
    CONDITION_VARIABLE m_condition = CONDITION_VARIABLE_INIT;
};

}  // namespace std
#endif
