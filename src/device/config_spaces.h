#pragma once

#include "model/config_fields.h"

namespace kalmar {

// The configuration words of the chips whose panels are drawn from their
// fields, one per layout: the names, bits and settings of Microchip's
// datasheets (gputils' device headers name the same fields and values).
// PIC16F87/88 (DS30487): two words, CONFIG2 with FCMEN and IESO.
extern const ConfigSpace kConfigSpaceF87;
// PIC16F818 and PIC16F819 (DS39598): one word, their WRT ranges.
extern const ConfigSpace kConfigSpaceF818;
extern const ConfigSpace kConfigSpaceF819;
// PIC16F716 (DS41206): one word, bits 13, 7:6 and 3:0.
extern const ConfigSpace kConfigSpaceF716;
// PIC12F683, PIC16F684, PIC16F688 (DS41211, DS41202, DS41203): one word,
// bits 11:0; the calibration word at 2008h is no configuration.
extern const ConfigSpace kConfigSpaceF683;
extern const ConfigSpace kConfigSpaceF873A;  // PIC16F873A/874A
extern const ConfigSpace kConfigSpaceF876A;  // PIC16F876A/877A
// PIC16F882/883/884/886/887 (DS41291): two words, CONFIG2 with BOR4V and
// WRT; the calibration word at 2009h is no configuration.
extern const ConfigSpace kConfigSpaceF882;
extern const ConfigSpace kConfigSpaceF883;  // PIC16F883/884
extern const ConfigSpace kConfigSpaceF886;  // PIC16F886/887
// The PIC12F1822 family: CONFIG1 and CONFIG2 at 8007h and 8008h (LVP in
// CONFIG2 bit 13), WRT ranges by program memory size: 2K words (PIC12F1822,
// PIC16F1823, PIC16F1826), 4K (PIC16F1827), 8K (PIC16F1847).
extern const ConfigSpace kConfigSpaceEnhanced2K;
extern const ConfigSpace kConfigSpaceEnhanced4K;
extern const ConfigSpace kConfigSpaceEnhanced8K;

}  // namespace kalmar
