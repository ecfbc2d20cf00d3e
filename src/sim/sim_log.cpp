#include "sim/sim_log.h"

#include <algorithm>
#include <cstdio>

namespace kalmar::sim {

std::size_t SimLog::violations() const {
  return static_cast<std::size_t>(std::count_if(events_.begin(), events_.end(), [](const auto& e) {
    return e.kind == EventKind::Violation;
  }));
}

std::size_t SimLog::busyCommands() const {
  return static_cast<std::size_t>(std::count_if(events_.begin(), events_.end(), [](const auto& e) {
    return e.kind == EventKind::BusyCommand;
  }));
}

std::size_t SimLog::warnings() const {
  return events_.size() - violations() - busyCommands();
}

std::string commandName(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return "Load Configuration";
    case 0x01:
      return "Bulk Erase Setup 1";
    case 0x02:
      return "Load Data PM";
    case 0x03:
      return "Load Data DM";
    case 0x04:
      return "Read Data PM";
    case 0x05:
      return "Read Data DM";
    case 0x06:
      return "Increment Address";
    case 0x07:
      return "Bulk Erase Setup 2";
    case 0x08:
      return "Begin Erase/Programming";
    case 0x09:
      return "Bulk Erase PM";
    case 0x0A:
      return "End Programming";
    case 0x0B:
      return "Bulk Erase DM";
    case 0x0E:
    case 0x17:
      return "End Programming";
    case 0x11:
      return "Row Erase PM";
    case 0x18:
      return "Begin Programming Only";
    case 0x1F:
      return "Chip Erase";
    default: {
      char text[24];
      std::snprintf(text, sizeof text, "unknown %02Xh", code);
      return text;
    }
  }
}

std::string SimLog::eventsText() const {
  std::string text;
  char line[64];
  for (const SimEvent& event : events_) {
    std::snprintf(line, sizeof line, "%12.3f us %s: ", static_cast<double>(event.timeNs) / 1000.0,
                  event.kind == EventKind::Violation     ? "violation"
                  : event.kind == EventKind::BusyCommand ? "busy"
                                                         : "warning");
    text += line + event.text + "\n";
  }
  return text;
}

std::string SimLog::traceText() const {
  std::string text;
  char line[96];
  for (const TraceEntry& entry : trace_) {
    int length = std::snprintf(line, sizeof line, "%12.3f us %02Xh %-24s @%04X",
                               static_cast<double>(entry.timeNs) / 1000.0, entry.command,
                               commandName(entry.command).c_str(), entry.address);
    if (entry.data >= 0 && length > 0 && length < static_cast<int>(sizeof line))
      std::snprintf(line + length, sizeof line - static_cast<std::size_t>(length), " %04X",
                    entry.data);
    text += line;
    text += '\n';
  }
  return text;
}

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
  return text;
}

}  // namespace kalmar::sim
