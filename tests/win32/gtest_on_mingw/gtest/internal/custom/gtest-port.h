#pragma once

// GoogleTest's hook for a platform's own pieces, found before its empty
// one. GCC 12's mingw-w64 runtime with Windows threads has no std::mutex or
// std::condition_variable, which GoogleTest's Notification is made of; this
// one is a Windows event.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace testing::internal {

// Lets threads wait until the thread that made it says go.
class Notification {
public:
    Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
