#include "port/recording_port.h"

#include <cstdio>

namespace kalmar {

RecordingPort::RecordingPort(PortIo* inner, Clock clock) : inner_(inner), clock_(std::move(clock)) {
  accesses_.reserve(1 << 16);
}

void RecordingPort::write(std::uint16_t address, std::uint8_t value) {
  if (inner_ != nullptr) inner_->write(address, value);
  accesses_.push_back({now(), true, address, value});
}

std::uint8_t RecordingPort::read(std::uint16_t address) {
  std::uint8_t value = 0;
  if (inner_ != nullptr) {
    value = inner_->read(address);
  } else if (!script_.empty()) {
    value = script_.front();
    lastScripted_ = value;
    script_.pop_front();
  } else {
    value = lastScripted_;
  }
  accesses_.push_back({now(), false, address, value});
  return value;
}

void RecordingPort::scriptReads(std::initializer_list<std::uint8_t> values) {
  script_.insert(script_.end(), values.begin(), values.end());
}

std::vector<std::uint8_t> RecordingPort::writtenBytes() const {
  std::vector<std::uint8_t> bytes;
  for (const PortAccess& access : accesses_)
    if (access.isWrite) bytes.push_back(access.value);
  return bytes;
}

std::string RecordingPort::traceText(std::int64_t startTime) const {
  std::string text;
  text.reserve(accesses_.size() * 16);
  char line[48];
  for (const PortAccess& access : accesses_) {
    std::snprintf(line, sizeof line, "%lld %c %02X\n",
                  static_cast<long long>(access.time - startTime), access.isWrite ? 'W' : 'R',
                  access.value);
    text += line;
  }
  return text;
}

}  // namespace kalmar
