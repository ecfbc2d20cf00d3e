#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kalmar {

// Which pin of a bit-bang device drives each of the adapter's inputs, and
// which reads its read-back output. The four outputs take the parallel
// port's data bits D0-D3 as they are (the adapter inverts them itself), the
// read-back pin stands for status bit 6.
struct AdapterPins {
  enum Role { Data, Clock, Vpp, Vdd, Read };
  static constexpr int kRoles = 5;
  std::array<int, kRoles> pin{};

  int operator[](Role role) const { return pin[static_cast<std::size_t>(role)]; }
  // The level of each output pin for a line byte, as a mask of pin bits (pin n is bit n).
  std::uint64_t levelsFor(std::uint8_t lineByte) const;
  // The line byte (D0-D3) the output pins' levels stand for.
  std::uint8_t lineByteOf(std::uint64_t levels) const;
  // The mask of the four output pins.
  std::uint64_t outputMask() const;
};

// FT232R bit-bang bits: D0 TXD, D1 RXD, D2 RTS#, D3 CTS#, D4 DTR#, D5 DSR#,
// D6 DCD#, D7 RI#. Data on TXD, clock on RXD, VPP on RTS#, VDD on DTR#,
// read-back on CTS#: TXD, RTS# and DTR# stand high while the board is a
// serial port and the inputs are pulled up, so the adapter's supplies stay
// off from the moment the board is plugged in.
inline constexpr AdapterPins kFtdiDefaultPins{{0, 1, 2, 4, 3}};
// A Raspberry Pi's header, BCM numbers: GPIO17 (pin 11) data, GPIO27
// (pin 13) clock, GPIO22 (pin 15) VPP, GPIO23 (pin 16) VDD, GPIO24 (pin 18)
// read-back.
inline constexpr AdapterPins kGpioDefaultPins{{17, 27, 22, 23, 24}};

// "DATA,CLOCK,VPP,VDD,READ": five distinct pin numbers below `pinCount`,
// or for the FT232R also its pin names (TXD, RXD, RTS, CTS, DTR, DSR, DCD,
// RI, in any case). Empty with a reason in Russian when refused.
std::optional<AdapterPins> parseAdapterPins(const std::string& text, int pinCount, bool ftdiNames,
                                            std::string& error);
std::string adapterPinsText(const AdapterPins& pins);

}  // namespace kalmar
