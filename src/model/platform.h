#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kalmar {

enum class PriorityClass { Normal, RealTime };

// What kind of system runs the program; decides how ports are reached.
enum class SystemKind { Linux, WindowsNt, Windows9x, Other };

// Everything the core asks of the operating system besides the port and the
// counter, so that tests can set the clock and watch priority changes.
class Platform {
 public:
  virtual ~Platform() = default;
  // Milliseconds since local midnight (for elapsed-time texts).
  virtual std::int64_t timeOfDayMs() = 0;
  // The local date and time as text in the user's regional format, two
  // blanks between them.
  virtual std::string dateTimeText() = 0;
  virtual void setPriorityClass(PriorityClass priority) = 0;
  virtual bool fileExists(const std::string& path) = 0;
  virtual std::string currentDirectory() = 0;
  virtual SystemKind systemKind() = 0;
};

std::unique_ptr<Platform> makeSystemPlatform();

}  // namespace kalmar
