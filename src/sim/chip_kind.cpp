#include "sim/chip_kind.h"

#include <array>

namespace kalmar::sim {

namespace {

constexpr std::int64_t ms(double value) {
  return static_cast<std::int64_t>(value * 1e6);
}

constexpr std::int64_t us(double value) {
  return static_cast<std::int64_t>(value * 1e3);
}

// Cycle times are the typical values of Microchip's documents. Where a document
// gives a longer worst case than the 8 ms the programmer waits (PIC16C84 and
// PIC16F84 10 ms, PIC16F62X erase + program), the typical value is taken:
// the programmer has always been used with real chips of every kind at 8 ms.
// Cells that need longer are a fault the simulator can switch on.
// clang-format off
constexpr std::array<ChipTraits, 40> kChips = {{
    // kind, name, family, PM, DM, device ID,
    // 09/0B, program-only 08h, self-timed 09/0B, 18h, 18h ended by 0Ah, 18h starts 09/0B, 01/07,
    // program, data, program-only (18h), bulk erase, configuration bits reading 0
    {ChipKind::PIC16F84, "PIC16F84", SimFamily::F84, 1024, 64, 0x3FFF,
     false, false, false, false, false, false, true,
     ms(8), ms(8), 0, ms(8), 0},
    {ChipKind::PIC16F84A, "PIC16F84A", SimFamily::F84, 1024, 64, 0x0560,
     true, false, false, true, false, true, true,
     ms(8), ms(8), ms(8), ms(8), 0},
    {ChipKind::PIC16C84, "PIC16C84", SimFamily::F84, 1024, 64, 0x3FFF,
     true, false, false, false, false, false, true,
     ms(8), ms(8), 0, ms(8), 0},
    // Bit 9 of the PIC16F627/628 and bits 12:9 of the 627A/628A are
    // unimplemented and read 0 (blank words 3DFFh and 21FFh).
    {ChipKind::PIC16F627, "PIC16F627", SimFamily::F62x, 1024, 128, 0x07A0,
     true, false, false, true, false, false, true,
     ms(8), ms(8), ms(8), ms(5), 0x0200},
    {ChipKind::PIC16F627A, "PIC16F627A", SimFamily::F62xA, 1024, 128, 0x1040,
     true, true, true, false, false, false, false,
     ms(4), ms(6), 0, ms(6), 0x1E00},
    {ChipKind::PIC16F628, "PIC16F628", SimFamily::F62x, 2048, 128, 0x07C0,
     true, false, false, true, false, false, true,
     ms(8), ms(8), ms(8), ms(5), 0x0200},
    {ChipKind::PIC16F628A, "PIC16F628A", SimFamily::F62xA, 2048, 128, 0x1060,
     true, true, true, false, false, false, false,
     ms(4), ms(6), 0, ms(6), 0x1E00},
    // Bits 11:9 are unimplemented and read 0 (a real PIC12F675 reads 11FFh).
    // 18h runs until 0Ah and needs at least TPROG2, 2 ms.
    {ChipKind::PIC12F629, "PIC12F629", SimFamily::F12F6, 1024, 128, 0x0F80,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(2), ms(6), 0x0E00},
    {ChipKind::PIC12F675, "PIC12F675", SimFamily::F12F6, 1024, 128, 0x0FC0,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(2), ms(6), 0x0E00},
    // The PIC16F648A programs as the 627A/628A (DS41196), with 4096 words and
    // 256 data bytes; the PIC16F630/676 as the 12F629/675 (DS41191) in 14 pins.
    {ChipKind::PIC16F648A, "PIC16F648A", SimFamily::F62xA, 4096, 256, 0x1100,
     true, true, true, false, false, false, false,
     ms(4), ms(6), 0, ms(6), 0x1E00},
    {ChipKind::PIC16F630, "PIC16F630", SimFamily::F12F6, 1024, 128, 0x10C0,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(2), ms(6), 0x0E00},
    {ChipKind::PIC16F676, "PIC16F676", SimFamily::F12F6, 1024, 128, 0x10E0,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(2), ms(6), 0x0E00},
    // The chips with write latches (README.md, "Chips with write latches"),
    // then: revision, End Programming, TDIS, chip erase (1Fh), row erase
    // (11h), second configuration word and its bits reading 0, calibration
    // word at 2008h. Times are the least an externally timed cycle must run
    // before End Programming and the length of an internally timed one.
    // PIC16F87/88 (DS39607), PIC16F818/819 (DS39603): 08h erases and
    // programs, 18h programs only, both ended by 17h; 09h/0Bh wait for 08h.
    {ChipKind::PIC16F87, "PIC16F87", SimFamily::F81x, 4096, 256, 0x0720,
     true, false, false, true, true, false, false,
     ms(4), ms(4), ms(2), ms(10), 0,
     0x03, 0x17, us(100), ms(10), 0, true, 0x3FFC, 0},
    {ChipKind::PIC16F88, "PIC16F88", SimFamily::F81x, 4096, 256, 0x0760,
     true, false, false, true, true, false, false,
     ms(4), ms(4), ms(2), ms(10), 0,
     0x03, 0x17, us(100), ms(10), 0, true, 0x3FFC, 0},
    {ChipKind::PIC16F818, "PIC16F818", SimFamily::F81x, 1024, 128, 0x04C0,
     true, false, false, true, true, false, false,
     ms(4), ms(4), ms(2), ms(2), 0,
     0x03, 0x17, us(100), ms(8), 0, false, 0, 0},
    {ChipKind::PIC16F819, "PIC16F819", SimFamily::F81x, 2048, 256, 0x04E0,
     true, false, false, true, true, false, false,
     ms(4), ms(4), ms(2), ms(2), 0,
     0x03, 0x17, us(100), ms(8), 0, false, 0, 0},
    // PIC16F716 (DS40245): no data memory, no 08h; 18h ended by 0Eh; 09h
    // runs by itself. Configuration bits 12:8, 5 and 4 read 0 (blank 20CFh).
    {ChipKind::PIC16F716, "PIC16F716", SimFamily::F716, 2048, 0, 0x1140,
     true, false, true, true, true, false, false,
     0, 0, ms(2), ms(6), 0x1F30,
     0x03, 0x0E, us(100), 0, 0, false, 0, 0},
    // PIC12F683, PIC16F684/688 (DS41204): 08h programs only and times
    // itself, 18h waits for 0Ah; configuration bits 13:12 read 0 (blank
    // 0FFFh); the calibration word at 2008h.
    {ChipKind::PIC12F683, "PIC12F683", SimFamily::F683, 2048, 256, 0x0460,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F684, "PIC16F684", SimFamily::F683, 2048, 256, 0x1080,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F688, "PIC16F688", SimFamily::F683, 4096, 256, 0x1180,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    // PIC16F631/677/685/687/689/690 (DS41204 too): the same rules; the
    // calibration word at 2008h on all six (pickle and piklab; PICkit 2's
    // file gives the 631 and 677 none, and a word kept that is never
    // written costs nothing).
    {ChipKind::PIC16F631, "PIC16F631", SimFamily::F683, 1024, 128, 0x1420,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F677, "PIC16F677", SimFamily::F683, 2048, 256, 0x1440,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F685, "PIC16F685", SimFamily::F683, 4096, 256, 0x04A0,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F687, "PIC16F687", SimFamily::F683, 2048, 256, 0x1320,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F689, "PIC16F689", SimFamily::F683, 4096, 256, 0x1340,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    {ChipKind::PIC16F690, "PIC16F690", SimFamily::F683, 4096, 256, 0x1400,
     true, true, true, true, true, false, false,
     ms(3), ms(6), ms(3), ms(6), 0x3000,
     0x03, 0x0A, us(100), 0, ms(6), false, 0, 0x2008},
    // PIC16F873A/874A/876A/877A (DS39589): 08h erases the row and programs
    // it, timing itself; 18h programs only until 17h; bits 12, 5 and 4 of
    // the configuration word read 0.
    {ChipKind::PIC16F873A, "PIC16F873A", SimFamily::F87xA, 4096, 128, 0x0E40,
     true, false, false, true, true, false, false,
     ms(10), ms(10), ms(1), ms(10), 0x1030,
     0x03, 0x17, us(100), ms(10), 0, false, 0, 0},
    {ChipKind::PIC16F874A, "PIC16F874A", SimFamily::F87xA, 4096, 128, 0x0E60,
     true, false, false, true, true, false, false,
     ms(10), ms(10), ms(1), ms(10), 0x1030,
     0x03, 0x17, us(100), ms(10), 0, false, 0, 0},
    {ChipKind::PIC16F876A, "PIC16F876A", SimFamily::F87xA, 8192, 256, 0x0E00,
     true, false, false, true, true, false, false,
     ms(10), ms(10), ms(1), ms(10), 0x1030,
     0x03, 0x17, us(100), ms(10), 0, false, 0, 0},
    {ChipKind::PIC16F877A, "PIC16F877A", SimFamily::F87xA, 8192, 256, 0x0E20,
     true, false, false, true, true, false, false,
     ms(10), ms(10), ms(1), ms(10), 0x1030,
     0x03, 0x17, us(100), ms(10), 0, false, 0, 0},
    // PIC16F882/883/884/886/887 (DS41287): the DS41204 rules (18h at least
    // 2.5 ms before 0Ah); all 14 bits of the first configuration word, the
    // second's bits 10:8 (blank 0700h), the calibration word at 2009h;
    // four latches on the 882/883/884, eight on the 886/887 (PICkit 2's
    // device file).
    {ChipKind::PIC16F882, "PIC16F882", SimFamily::F88x, 2048, 128, 0x2000,
     true, true, true, true, true, false, false,
     ms(3), ms(6), us(2500), ms(6), 0,
     0x03, 0x0A, us(100), 0, ms(6), true, 0x38FF, 0x2009, 4},
    {ChipKind::PIC16F883, "PIC16F883", SimFamily::F88x, 4096, 256, 0x2020,
     true, true, true, true, true, false, false,
     ms(3), ms(6), us(2500), ms(6), 0,
     0x03, 0x0A, us(100), 0, ms(6), true, 0x38FF, 0x2009, 4},
    {ChipKind::PIC16F884, "PIC16F884", SimFamily::F88x, 4096, 256, 0x2040,
     true, true, true, true, true, false, false,
     ms(3), ms(6), us(2500), ms(6), 0,
     0x03, 0x0A, us(100), 0, ms(6), true, 0x38FF, 0x2009, 4},
    {ChipKind::PIC16F886, "PIC16F886", SimFamily::F88x, 8192, 256, 0x2060,
     true, true, true, true, true, false, false,
     ms(3), ms(6), us(2500), ms(6), 0,
     0x03, 0x0A, us(100), 0, ms(6), true, 0x38FF, 0x2009, 8},
    {ChipKind::PIC16F887, "PIC16F887", SimFamily::F88x, 8192, 256, 0x2080,
     true, true, true, true, true, false, false,
     ms(3), ms(6), us(2500), ms(6), 0,
     0x03, 0x0A, us(100), 0, ms(6), true, 0x38FF, 0x2009, 8},
    // PIC12F1822, PIC16F1823, PIC16F1826, PIC16F1827 (DS41390), PIC16F1847
    // (DS41439): 08h programs only, 2.5 ms (5 ms in configuration space and
    // for data), 18h at least 2.1 ms before 0Ah, TDIS 300 µs (100 µs on the
    // DS41439 chip); bulk erase 5 ms, row erase 2.5 ms; two configuration
    // words and two calibration words at 8009h and 800Ah.
    {ChipKind::PIC12F1822, "PIC12F1822", SimFamily::F1xxx, 2048, 256, 0x2700,
     true, true, true, true, true, false, false,
     us(2500), ms(5), us(2100), ms(5), 0,
     0x03, 0x0A, us(300), 0, us(2500), true, 0, 0x8009, 16, 16, 2, ms(5)},
    {ChipKind::PIC16F1823, "PIC16F1823", SimFamily::F1xxx, 2048, 256, 0x2720,
     true, true, true, true, true, false, false,
     us(2500), ms(5), us(2100), ms(5), 0,
     0x03, 0x0A, us(300), 0, us(2500), true, 0, 0x8009, 16, 16, 2, ms(5)},
    {ChipKind::PIC16F1826, "PIC16F1826", SimFamily::F1xxx, 2048, 256, 0x2780,
     true, true, true, true, true, false, false,
     us(2500), ms(5), us(2100), ms(5), 0,
     0x03, 0x0A, us(300), 0, us(2500), true, 0, 0x8009, 8, 32, 2, ms(5)},
    {ChipKind::PIC16F1827, "PIC16F1827", SimFamily::F1xxx, 4096, 256, 0x27A0,
     true, true, true, true, true, false, false,
     us(2500), ms(5), us(2100), ms(5), 0,
     0x03, 0x0A, us(300), 0, us(2500), true, 0, 0x8009, 8, 32, 2, ms(5)},
    {ChipKind::PIC16F1847, "PIC16F1847", SimFamily::F1xxx, 8192, 256, 0x1480,
     true, true, true, true, true, false, false,
     us(2500), ms(5), us(2100), ms(5), 0,
     0x03, 0x0A, us(100), 0, us(2500), true, 0, 0x8009, 32, 32, 2, ms(5)},
}};
// clang-format on

}  // namespace

const ChipTraits& traitsOf(ChipKind kind) {
  return kChips[static_cast<std::size_t>(kind)];
}

std::optional<ChipKind> chipKindFromName(std::string_view name) {
  for (const ChipTraits& chip : kChips)
    if (name == chip.name) return chip.kind;
  return std::nullopt;
}

const char* chipName(ChipKind kind) {
  return traitsOf(kind).name;
}

}  // namespace kalmar::sim
