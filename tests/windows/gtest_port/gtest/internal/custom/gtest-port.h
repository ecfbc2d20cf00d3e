// GoogleTest's port settings for the Windows build, found before its own
// empty one. The win32-threads C++ library of Debian's mingw-w64 (GCC 12) has
// no std::mutex or std::condition_variable, of which GoogleTest makes the
// Notification its threads start on; this one waits on a Windows event
// (gtest_notification.cpp). Everything else of GoogleTest's Windows
// threading is its own (critical sections, thread-local slots).
#ifndef KALMAR_TESTS_WINDOWS_GTEST_CUSTOM_PORT_H
#define KALMAR_TESTS_WINDOWS_GTEST_CUSTOM_PORT_H

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
 public:
  Notification();
  ~Notification();
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify();
  void WaitForNotification();

 private:
  void* event_;  // a manual-reset event: once set, every waiter goes on
};

}  // namespace testing::internal

#endif
