#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "port/port_io.h"

namespace kalmar {

// One port access as seen from the program: when it happened (in the clock's
// counts), whether it was a write or a read, the address and the byte.
struct PortAccess {
  std::int64_t time = 0;
  bool isWrite = false;
  std::uint16_t address = 0;
  std::uint8_t value = 0;
};

// Records every access, optionally passing it on to a real port. Reads come
// from the inner port, or, without one, from a script of status bytes (the
// last scripted byte repeats once the script runs out; 0 with no script).
// A recorded access is one store into memory, so tracing costs almost nothing
// on the timed path.
class RecordingPort final : public PortIo {
 public:
  using Clock = std::function<std::int64_t()>;

  explicit RecordingPort(PortIo* inner = nullptr, Clock clock = {});

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;

  void scriptReads(std::initializer_list<std::uint8_t> values);
  void scriptRead(std::uint8_t value) { script_.push_back(value); }

  const std::vector<PortAccess>& accesses() const { return accesses_; }
  std::vector<std::uint8_t> writtenBytes() const;
  void clear() { accesses_.clear(); }

  // "time W|R hh" lines, times relative to the first access, as the command
  // line's trace file holds them.
  std::string traceText(std::int64_t startTime) const;

 private:
  std::int64_t now() const { return clock_ ? clock_() : 0; }

  PortIo* inner_;
  Clock clock_;
  std::deque<std::uint8_t> script_;
  std::uint8_t lastScripted_ = 0;
  std::vector<PortAccess> accesses_;
};

}  // namespace kalmar
