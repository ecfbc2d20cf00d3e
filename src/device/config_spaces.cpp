#include "device/config_spaces.h"

#include <array>

namespace kalmar {

namespace {

using C = ConfigChoice;

// A one-bit field whose set bit means "on" (WDTE, BOREN, ...) or "off"
// (the active-low /PWRTE, /CP, /CPD, /DEBUG): the settings shifted to the bit.
template <int Bit>
constexpr std::array<C, 2> kOnWhenSet{{{0, "выключен"}, {1u << Bit, "включён"}}};
template <int Bit>
constexpr std::array<C, 2> kOnWhenClear{{{0, "включён"}, {1u << Bit, "выключен"}}};
template <int Bit>
constexpr std::array<C, 2> kProtectedWhenClear{{{0, "защищена"}, {1u << Bit, "не защищена"}}};

// FOSC2:FOSC0 in bits 4, 1, 0 (PIC16F87/88, 818/819).
constexpr std::array<C, 8> kFoscSplit{{
    {0x00, "LP: кварц малой мощности"},
    {0x01, "XT: кварц, резонатор"},
    {0x02, "HS: высокочастотный кварц"},
    {0x03, "EC: внешний генератор на {in}, {out} — порт"},
    {0x10, "INTRC: {out} и {in} — порты"},
    {0x11, "INTRC: CLKO на {out}, {in} — порт"},
    {0x12, "EXTRC: RC на {in}, {out} — порт"},
    {0x13, "EXTRC: RC на {in}, CLKO на {out}"},
}};

// FOSC2:FOSC0 in bits 2:0 (PIC12F683, PIC16F684/688).
constexpr std::array<C, 8> kFoscLow{{
    {0x0, "LP: кварц малой мощности"},
    {0x1, "XT: кварц, резонатор"},
    {0x2, "HS: высокочастотный кварц"},
    {0x3, "EC: внешний генератор на {in}, {out} — порт"},
    {0x4, "INTOSCIO: {out} и {in} — порты"},
    {0x5, "INTOSC: CLKOUT на {out}, {in} — порт"},
    {0x6, "EXTRCIO: RC на {in}, {out} — порт"},
    {0x7, "EXTRC: RC на {in}, CLKOUT на {out}"},
}};

constexpr std::array<C, 4> kFosc716{{
    {0x0, "LP: кварц малой мощности"},
    {0x1, "XT: кварц, резонатор"},
    {0x2, "HS: высокочастотный кварц"},
    {0x3, "RC: RC-генератор"},
}};

constexpr std::array<C, 2> kMclre{{{0, "вход, MCLR внутри соединён с VDD"}, {0x20, "MCLR"}}};
template <int Bit>
constexpr std::array<C, 2> kLvpAt{{{0, "выключено, RB3 — порт"}, {1u << Bit, "включено, RB3 — PGM"}}};
constexpr const auto& kLvp = kLvpAt<7>;
constexpr std::array<C, 2> kCcpmxRb0{{{0, "CCP1 на RB3"}, {0x1000, "CCP1 на RB0"}}};
constexpr std::array<C, 2> kCcpmxRb2{{{0, "CCP1 на RB3"}, {0x1000, "CCP1 на RB2"}}};

// WRT1:WRT0, bits 10:9: the program memory the program cannot write itself.
constexpr std::array<C, 4> kWrtF87{{
    {0x0000, "0000h-0FFFh"}, {0x0200, "0000h-07FFh"}, {0x0400, "0000h-00FFh"}, {0x0600, "выключена"}}};
constexpr std::array<C, 3> kWrtF818{{
    {0x0200, "0000h-03FFh"}, {0x0400, "0000h-01FFh"}, {0x0600, "выключена"}}};
constexpr std::array<C, 4> kWrtF819{{
    {0x0000, "0000h-05FFh"}, {0x0200, "0000h-03FFh"}, {0x0400, "0000h-01FFh"}, {0x0600, "выключена"}}};

constexpr std::array<C, 4> kBoren683{{
    {0x000, "выключен"},
    {0x100, "по биту SBOREN"},
    {0x200, "включён, кроме режима Sleep"},
    {0x300, "включён"}}};
constexpr std::array<C, 2> kBorv716{{{0, "2,5 В"}, {0x80, "4,0 В"}}};
// WRT1:WRT0 of the PIC16F87xA: half, a quarter or 256 words from 0000h.
constexpr std::array<C, 4> kWrtF873A{{
    {0x0000, "0000h-07FFh"}, {0x0200, "0000h-03FFh"}, {0x0400, "0000h-00FFh"}, {0x0600, "выключена"}}};
constexpr std::array<C, 4> kWrtF876A{{
    {0x0000, "0000h-0FFFh"}, {0x0200, "0000h-07FFh"}, {0x0400, "0000h-00FFh"}, {0x0600, "выключена"}}};
// The PIC16F882's WRT has no 256-word setting: half or a quarter.
constexpr std::array<C, 3> kWrtF882{{
    {0x0000, "0000h-03FFh"}, {0x0200, "0000h-00FFh"}, {0x0600, "выключена"}}};
constexpr std::array<C, 2> kBor4v{{{0, "2,1 В"}, {0x100, "4,0 В"}}};

// The PIC12F1822 family, by its datasheets (gputils' headers name the same).
constexpr std::array<C, 8> kFoscEnhanced{{
    {0x0, "LP: кварц малой мощности"},
    {0x1, "XT: кварц, резонатор"},
    {0x2, "HS: высокочастотный кварц"},
    {0x3, "EXTRC: RC на {in}"},
    {0x4, "INTOSC: {out} и {in} — порты"},
    {0x5, "ECL: внешний генератор до 0,5 МГц на {in}"},
    {0x6, "ECM: внешний генератор 0,5-4 МГц на {in}"},
    {0x7, "ECH: внешний генератор 4-32 МГц на {in}"},
}};
constexpr std::array<C, 4> kWdteEnhanced{{
    {0x00, "выключен"},
    {0x08, "по биту SWDTEN"},
    {0x10, "включён, кроме режима Sleep"},
    {0x18, "включён"}}};
constexpr std::array<C, 2> kMclreEnhanced{{{0, "вход (при LVP = 1 — всегда MCLR)"},
                                           {0x40, "MCLR"}}};
constexpr std::array<C, 4> kBorenEnhanced{{
    {0x000, "выключен"},
    {0x200, "по биту SBOREN"},
    {0x400, "включён, кроме режима Sleep"},
    {0x600, "включён"}}};
constexpr std::array<C, 2> kClkoutenEnhanced{{{0, "CLKOUT на {out}"},
                                              {0x800, "выключен, {out} — порт"}}};
constexpr std::array<C, 2> kBorvEnhanced{{{0, "высокий порог"}, {0x400, "низкий порог"}}};
// LVP cleared leaves only high-voltage entry, which this adapter must not
// give these chips.
constexpr std::array<C, 2> kLvpEnhanced{{{0, "выключено: только высокое напряжение"},
                                         {0x2000, "включено"}}};
// WRT1:WRT0 (CONFIG2 bits 1:0): all, half or the first 512 words.
constexpr std::array<C, 4> kWrt2K{{
    {0x0, "0000h-07FFh"}, {0x1, "0000h-03FFh"}, {0x2, "0000h-01FFh"}, {0x3, "выключена"}}};
constexpr std::array<C, 4> kWrt4K{{
    {0x0, "0000h-0FFFh"}, {0x1, "0000h-07FFh"}, {0x2, "0000h-01FFh"}, {0x3, "выключена"}}};
constexpr std::array<C, 4> kWrt8K{{
    {0x0, "0000h-1FFFh"}, {0x1, "0000h-0FFFh"}, {0x2, "0000h-01FFh"}, {0x3, "выключена"}}};

template <std::size_t N>
constexpr std::span<const C> all(const std::array<C, N>& choices) {
  return {choices.data(), N};
}

// The fields of the PIC16F87/88/818/819's word at 2007h with its WRT and
// CCPMX settings.
template <std::size_t W>
constexpr std::array<ConfigField, 11> fieldsF81x(const std::array<C, W>& wrt,
                                                 const std::array<C, 2>& ccpmx) {
  return {{
      {"FOSC", 0, 0x0013, all(kFoscSplit)},
      {"WDTE", 0, 0x0004, all(kOnWhenSet<2>)},
      {"PWRTE", 0, 0x0008, all(kOnWhenClear<3>)},
      {"MCLRE", 0, 0x0020, all(kMclre)},
      {"BOREN", 0, 0x0040, all(kOnWhenSet<6>)},
      {"LVP", 0, 0x0080, all(kLvp)},
      {"CPD", 0, 0x0100, all(kProtectedWhenClear<8>)},
      {"WRT", 0, 0x0600, all(wrt)},
      {"DEBUG", 0, 0x0800, all(kOnWhenClear<11>)},
      {"CCPMX", 0, 0x1000, all(ccpmx)},
      {"CP", 0, 0x2000, all(kProtectedWhenClear<13>)},
  }};
}

constexpr auto kWordF87 = fieldsF81x(kWrtF87, kCcpmxRb0);
constexpr auto kWordF818 = fieldsF81x(kWrtF818, kCcpmxRb2);
constexpr auto kWordF819 = fieldsF81x(kWrtF819, kCcpmxRb2);

constexpr std::array<ConfigField, 13> kFieldsF87 = {{
    kWordF87[0], kWordF87[1], kWordF87[2], kWordF87[3], kWordF87[4], kWordF87[5], kWordF87[6],
    kWordF87[7], kWordF87[8], kWordF87[9], kWordF87[10],
    {"FCMEN", 1, 0x0001, all(kOnWhenSet<0>)},
    {"IESO", 1, 0x0002, all(kOnWhenSet<1>)},
}};

// The PIC16F87xA's word at 2007h: bits 12, 5 and 4 unimplemented.
template <std::size_t W>
constexpr std::array<ConfigField, 9> fieldsF87xA(const std::array<C, W>& wrt) {
  return {{
      {"FOSC", 0, 0x0003, all(kFosc716)},
      {"WDTE", 0, 0x0004, all(kOnWhenSet<2>)},
      {"PWRTE", 0, 0x0008, all(kOnWhenClear<3>)},
      {"BOREN", 0, 0x0040, all(kOnWhenSet<6>)},
      {"LVP", 0, 0x0080, all(kLvp)},
      {"CPD", 0, 0x0100, all(kProtectedWhenClear<8>)},
      {"WRT", 0, 0x0600, all(wrt)},
      {"DEBUG", 0, 0x0800, all(kOnWhenClear<11>)},
      {"CP", 0, 0x2000, all(kProtectedWhenClear<13>)},
  }};
}
constexpr auto kFieldsF873A = fieldsF87xA(kWrtF873A);
constexpr auto kFieldsF876A = fieldsF87xA(kWrtF876A);

constexpr std::array<ConfigField, 6> kFieldsF716 = {{
    {"FOSC", 0, 0x0003, all(kFosc716)},
    {"WDTE", 0, 0x0004, all(kOnWhenSet<2>)},
    {"PWRTE", 0, 0x0008, all(kOnWhenClear<3>)},
    {"BOREN", 0, 0x0040, all(kOnWhenSet<6>)},
    {"BORV", 0, 0x0080, all(kBorv716)},
    {"CP", 0, 0x2000, all(kProtectedWhenClear<13>)},
}};

constexpr std::array<ConfigField, 9> kFieldsF683 = {{
    {"FOSC", 0, 0x0007, all(kFoscLow)},
    {"WDTE", 0, 0x0008, all(kOnWhenSet<3>)},
    {"PWRTE", 0, 0x0010, all(kOnWhenClear<4>)},
    {"MCLRE", 0, 0x0020, all(kMclre)},
    {"CP", 0, 0x0040, all(kProtectedWhenClear<6>)},
    {"CPD", 0, 0x0080, all(kProtectedWhenClear<7>)},
    {"BOREN", 0, 0x0300, all(kBoren683)},
    {"IESO", 0, 0x0400, all(kOnWhenSet<10>)},
    {"FCMEN", 0, 0x0800, all(kOnWhenSet<11>)},
}};

// The PIC16F88x: the DS41204 word with LVP and DEBUG in bits 12 and 13,
// and CONFIG2 with BOR4V and the chip's WRT ranges.
template <std::size_t W>
constexpr std::array<ConfigField, 13> fieldsF88x(const std::array<C, W>& wrt) {
  const auto& f = kFieldsF683;
  return {{
      f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8],
      {"LVP", 0, 0x1000, all(kLvpAt<12>)},
      {"DEBUG", 0, 0x2000, all(kOnWhenClear<13>)},
      {"BOR4V", 1, 0x0100, all(kBor4v)},
      {"WRT", 1, 0x0600, all(wrt)},
  }};
}
constexpr auto kFieldsF882 = fieldsF88x(kWrtF882);

// CONFIG1 (all 14 bits) and CONFIG2 (bits 13, 12, 10:8, 1:0) of the
// PIC12F1822 family, with the chip's WRT ranges.
template <std::size_t W>
constexpr std::array<ConfigField, 16> fieldsEnhanced(const std::array<C, W>& wrt) {
  return {{
      {"FOSC", 0, 0x0007, all(kFoscEnhanced)},
      {"WDTE", 0, 0x0018, all(kWdteEnhanced)},
      {"PWRTE", 0, 0x0020, all(kOnWhenClear<5>)},
      {"MCLRE", 0, 0x0040, all(kMclreEnhanced)},
      {"CP", 0, 0x0080, all(kProtectedWhenClear<7>)},
      {"CPD", 0, 0x0100, all(kProtectedWhenClear<8>)},
      {"BOREN", 0, 0x0600, all(kBorenEnhanced)},
      {"CLKOUTEN", 0, 0x0800, all(kClkoutenEnhanced)},
      {"IESO", 0, 0x1000, all(kOnWhenSet<12>)},
      {"FCMEN", 0, 0x2000, all(kOnWhenSet<13>)},
      {"WRT", 1, 0x0003, all(wrt)},
      {"PLLEN", 1, 0x0100, all(kOnWhenSet<8>)},
      {"STVREN", 1, 0x0200, all(kOnWhenSet<9>)},
      {"BORV", 1, 0x0400, all(kBorvEnhanced)},
      {"DEBUG", 1, 0x1000, all(kOnWhenClear<12>)},
      {"LVP", 1, 0x2000, all(kLvpEnhanced)},
  }};
}
constexpr auto kFieldsEnhanced2K = fieldsEnhanced(kWrt2K);
constexpr auto kFieldsEnhanced4K = fieldsEnhanced(kWrt4K);
constexpr auto kFieldsEnhanced8K = fieldsEnhanced(kWrt8K);
constexpr auto kFieldsF883 = fieldsF88x(kWrtF873A);
constexpr auto kFieldsF886 = fieldsF88x(kWrtF876A);

}  // namespace

const ConfigSpace kConfigSpaceF87{2, {0x3FFF, 0x0003}, kFieldsF87};
const ConfigSpace kConfigSpaceF818{1, {0x3FFF, 0}, kWordF818};
const ConfigSpace kConfigSpaceF819{1, {0x3FFF, 0}, kWordF819};
const ConfigSpace kConfigSpaceF716{1, {0x20CF, 0}, kFieldsF716};
const ConfigSpace kConfigSpaceF683{1, {0x0FFF, 0}, kFieldsF683};
const ConfigSpace kConfigSpaceF873A{1, {0x2FCF, 0}, kFieldsF873A};
const ConfigSpace kConfigSpaceF876A{1, {0x2FCF, 0}, kFieldsF876A};
const ConfigSpace kConfigSpaceF882{2, {0x3FFF, 0x0700}, kFieldsF882};
const ConfigSpace kConfigSpaceF883{2, {0x3FFF, 0x0700}, kFieldsF883};
const ConfigSpace kConfigSpaceF886{2, {0x3FFF, 0x0700}, kFieldsF886};
const ConfigSpace kConfigSpaceEnhanced2K{2, {0x3FFF, 0x3703}, kFieldsEnhanced2K};
const ConfigSpace kConfigSpaceEnhanced4K{2, {0x3FFF, 0x3703}, kFieldsEnhanced4K};
const ConfigSpace kConfigSpaceEnhanced8K{2, {0x3FFF, 0x3703}, kFieldsEnhanced8K};

}  // namespace kalmar
