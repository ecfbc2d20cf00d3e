#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalmar::sim {

enum class EventKind {
  Violation,    // a timing minimum broken, or a read/load during an unfinished cycle
  BusyCommand,  // a command while a self-timed cycle still runs (ignored)
  Warning,      // what the documents warn may go wrong on a real chip
};

struct SimEvent {
  std::int64_t timeNs;
  EventKind kind;
  std::string text;
};

// A decoded command with the address counter it found and the data word it
// carried or returned (-1 when it has none).
struct TraceEntry {
  std::int64_t timeNs;
  std::uint8_t command;
  std::uint16_t address;
  int data;
};

class SimLog {
 public:
  void violation(std::int64_t timeNs, std::string text) {
    events_.push_back({timeNs, EventKind::Violation, std::move(text)});
  }
  void busy(std::int64_t timeNs, std::string text) {
    events_.push_back({timeNs, EventKind::BusyCommand, std::move(text)});
  }
  void warning(std::int64_t timeNs, std::string text) {
    events_.push_back({timeNs, EventKind::Warning, std::move(text)});
  }
  void command(std::int64_t timeNs, std::uint8_t code, std::uint16_t address, int data) {
    if (tracing_) trace_.push_back({timeNs, code, address, data});
  }

  void setTracing(bool on) { tracing_ = on; }
  const std::vector<SimEvent>& events() const { return events_; }
  const std::vector<TraceEntry>& trace() const { return trace_; }
  std::size_t violations() const;
  std::size_t busyCommands() const;
  std::size_t warnings() const;
  void clear() {
    events_.clear();
    trace_.clear();
  }

  // Readable dumps for failing tests and for users.
  std::string eventsText() const;
  std::string traceText() const;

 private:
  std::vector<SimEvent> events_;
  std::vector<TraceEntry> trace_;
  bool tracing_ = false;
};

std::string commandName(std::uint8_t code);
// An address or word as the findings give it: four hex digits.
std::string hex4(unsigned value);
// The commands a 16-bit frame follows: a load carries data in, a read out.
inline bool needsData(std::uint8_t code) {
  return code == 0x00 || code == 0x02 || code == 0x03;
}
inline bool readsData(std::uint8_t code) {
  return code == 0x04 || code == 0x05;
}

}  // namespace kalmar::sim
