#pragma once

#include <functional>
#include <memory>

#include "port/port_io.h"

namespace kalmar {

// A device that stands for both port addresses, opened the first time it
// is needed and kept open: an adapter on a USB board or a GPIO chip, which
// the parallel port menu's choice does not change. Until it is open, and
// when it could not be, it behaves as a NonePort.
class OpenedOnce final : public PortIo {
 public:
  using Opener = std::function<PortOpenResult()>;
  explicit OpenedOnce(Opener opener) : opener_(std::move(opener)) {}

  // Opens the device now if it is not yet open and says how that went.
  PortOpenResult open();

  void write(std::uint16_t address, std::uint8_t value) override {
    device().write(address, value);
  }
  std::uint8_t read(std::uint16_t address) override { return device().read(address); }
  void runFrame(const LineFrame& frame, FramePace& pace,
                std::span<std::uint8_t> statuses) override {
    device().runFrame(frame, pace, statuses);
  }
  void hold(std::int64_t counts, FramePace& pace) override { device().hold(counts, pace); }
  void queueFrame(const LineFrame& frame, FramePace& pace,
                  std::span<std::uint8_t> statuses) override {
    device().queueFrame(frame, pace, statuses);
  }
  void settle(FramePace& pace) override { device().settle(pace); }
  bool queuesFrames() const override { return device_ && device_->queuesFrames(); }

 private:
  PortIo& device();

  Opener opener_;
  std::unique_ptr<PortIo> device_;
};

}  // namespace kalmar
