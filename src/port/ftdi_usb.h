#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace kalmar {

// What the FT232R adapter needs of the library that reaches the board over
// USB: libftdi1 on Linux, FTDI's own D2XX driver on Windows. The byte
// stream, its timing and the answers' bookkeeping are the same on both
// (port/ftdi_port.cpp); only these calls differ.
class FtdiUsb {
 public:
  virtual ~FtdiUsb() = default;  // closes the board
  FtdiUsb() = default;
  FtdiUsb(const FtdiUsb&) = delete;
  FtdiUsb& operator=(const FtdiUsb&) = delete;

  // Each call below is true when the board took it.
  virtual bool setLatencyTimer(std::uint8_t milliseconds) = 0;
  // Synchronous bit-bang, the pins of `outputs` driven, the others inputs.
  virtual bool startSyncBitBang(std::uint8_t outputs) = 0;
  // Back to the board's serial mode: every pin an input.
  virtual bool leaveBitBang() = 0;
  // The bit-bang clock at one byte a microsecond.
  virtual bool setByteClock() = 0;
  // Drops what waits in the board's and the driver's buffers, both ways.
  virtual bool purge() = 0;
  // Every byte handed to the board, or false.
  virtual bool write(std::span<const std::uint8_t> bytes) = 0;
  // Answers that have come, no more than buffer.size(): as many as asked
  // for when they come within a latency period, else those that came (0
  // when none did); negative on an error. Asked for no more than are due,
  // it costs no wait beyond their coming.
  virtual int read(std::span<std::uint8_t> buffer) = 0;
  // The last failure's reason, in the program's words.
  virtual std::string errorText() const = 0;
};

// A board opened, or why not: `reason` for the message "Не удалось открыть
// порт ...", `need` for what the user needs for it.
struct FtdiUsbOpened {
  std::unique_ptr<FtdiUsb> usb;
  std::string reason;
  std::string need;
};

// The first FT232R (USB 0403:6001) free to open, or the one with the given
// serial number.
FtdiUsbOpened openFtdiUsb(const std::string& serial);

}  // namespace kalmar
