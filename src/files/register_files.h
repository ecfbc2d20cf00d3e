#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/device_profile.h"

namespace kalmar {

// A special function register by its datasheet name and its address in
// the chip's four (or two) banks of 128: what the disassembler names an
// operand and the listing declares. The chips added after the first
// twelve have one such table each; registers that every bank mirrors
// (INDF, PCL, STATUS, FSR, PCLATH, INTCON) stand once, in bank 0.
struct RegisterEntry {
  std::uint16_t address;
  const char* name;
};

// PIC16F87 (DS30487).
inline constexpr std::array<RegisterEntry, 46> kRegisterFileF87 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"},
    {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"},
    {0x017, "CCP1CON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"}, {0x081, "OPTION_REG"},
    {0x085, "TRISA"}, {0x086, "TRISB"}, {0x08C, "PIE1"}, {0x08D, "PIE2"}, {0x08E, "PCON"},
    {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"}, {0x093, "SSPADD"}, {0x094, "SSPSTAT"},
    {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09C, "CMCON"}, {0x09D, "CVRCON"}, {0x105, "WDTCON"},
    {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"}, {0x18C, "EECON1"},
    {0x18D, "EECON2"},
}};

// PIC16F88 (DS30487).
inline constexpr std::array<RegisterEntry, 51> kRegisterFileF88 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"},
    {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"},
    {0x017, "CCP1CON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"}, {0x01E, "ADRESH"},
    {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"},
    {0x093, "SSPADD"}, {0x094, "SSPSTAT"}, {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09B, "ANSEL"},
    {0x09C, "CMCON"}, {0x09D, "CVRCON"}, {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x105, "WDTCON"},
    {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"}, {0x18C, "EECON1"},
    {0x18D, "EECON2"},
}};

// PIC16F818 and PIC16F819 (DS39598).
inline constexpr std::array<RegisterEntry, 42> kRegisterFileF81x = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"},
    {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"},
    {0x017, "CCP1CON"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"},
    {0x085, "TRISA"}, {0x086, "TRISB"}, {0x08C, "PIE1"}, {0x08D, "PIE2"}, {0x08E, "PCON"},
    {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"}, {0x093, "SSPADD"}, {0x094, "SSPSTAT"},
    {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"},
    {0x10F, "EEADRH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"},
}};

// PIC16F716 (DS41206).
inline constexpr std::array<RegisterEntry, 29> kRegisterFileF716 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"},
    {0x015, "CCPR1L"}, {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "PWM1CON"}, {0x019, "ECCPAS"},
    {0x01E, "ADRES"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"},
    {0x08C, "PIE1"}, {0x08E, "PCON"}, {0x092, "PR2"}, {0x09F, "ADCON1"},
}};

// PIC12F683 (DS41211).
inline constexpr std::array<RegisterEntry, 38> kRegisterFileF683 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "GPIO"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"}, {0x00E, "TMR1L"},
    {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "CCPR1L"},
    {0x014, "CCPR1H"}, {0x015, "CCP1CON"}, {0x018, "WDTCON"}, {0x019, "CMCON0"}, {0x01A, "CMCON1"},
    {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISIO"}, {0x08C, "PIE1"},
    {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"}, {0x095, "WPU"},
    {0x096, "IOC"}, {0x099, "VRCON"}, {0x09A, "EEDAT"}, {0x09B, "EEADR"}, {0x09C, "EECON1"},
    {0x09D, "EECON2"}, {0x09E, "ADRESL"}, {0x09F, "ANSEL"},
}};

// PIC16F684 (DS41202).
inline constexpr std::array<RegisterEntry, 43> kRegisterFileF684 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"},
    {0x013, "CCPR1L"}, {0x014, "CCPR1H"}, {0x015, "CCP1CON"}, {0x016, "PWM1CON"}, {0x017, "ECCPAS"},
    {0x018, "WDTCON"}, {0x019, "CMCON0"}, {0x01A, "CMCON1"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x087, "TRISC"}, {0x08C, "PIE1"}, {0x08E, "PCON"},
    {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x091, "ANSEL"}, {0x092, "PR2"}, {0x095, "WPUA"},
    {0x096, "IOCA"}, {0x099, "VRCON"}, {0x09A, "EEDAT"}, {0x09B, "EEADR"}, {0x09C, "EECON1"},
    {0x09D, "EECON2"}, {0x09E, "ADRESL"}, {0x09F, "ADCON1"},
}};

// PIC16F688 (DS41203).
inline constexpr std::array<RegisterEntry, 44> kRegisterFileF688 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"},
    {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "BAUDCTL"}, {0x012, "SPBRGH"},
    {0x013, "SPBRG"}, {0x014, "RCREG"}, {0x015, "TXREG"}, {0x016, "TXSTA"}, {0x017, "RCSTA"},
    {0x018, "WDTCON"}, {0x019, "CMCON0"}, {0x01A, "CMCON1"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x087, "TRISC"}, {0x08C, "PIE1"}, {0x08E, "PCON"},
    {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x091, "ANSEL"}, {0x095, "WPUA"}, {0x096, "IOCA"},
    {0x097, "EEDATH"}, {0x098, "EEADRH"}, {0x099, "VRCON"}, {0x09A, "EEDAT"}, {0x09B, "EEADR"},
    {0x09C, "EECON1"}, {0x09D, "EECON2"}, {0x09E, "ADRESL"}, {0x09F, "ADCON1"},
}};

// PIC16F631 (DS41262).
inline constexpr std::array<RegisterEntry, 39> kRegisterFileF631 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x095, "WPUA"},
    {0x096, "IOCA"}, {0x097, "WDTCON"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x115, "WPUB"},
    {0x116, "IOCB"}, {0x118, "VRCON"}, {0x119, "CM1CON0"}, {0x11A, "CM2CON0"}, {0x11B, "CM2CON1"},
    {0x11E, "ANSEL"}, {0x18C, "EECON1"}, {0x18D, "EECON2"}, {0x19E, "SRCON"},
}};

// PIC16F677 (DS41262).
inline constexpr std::array<RegisterEntry, 48> kRegisterFileF677 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x093, "SSPMSK"},
    {0x094, "SSPSTAT"}, {0x095, "WPUA"}, {0x096, "IOCA"}, {0x097, "WDTCON"}, {0x09E, "ADRESL"},
    {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x115, "WPUB"}, {0x116, "IOCB"},
    {0x118, "VRCON"}, {0x119, "CM1CON0"}, {0x11A, "CM2CON0"}, {0x11B, "CM2CON1"}, {0x11E, "ANSEL"},
    {0x11F, "ANSELH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"}, {0x19E, "SRCON"},
}};

// PIC16F685 (DS41262).
inline constexpr std::array<RegisterEntry, 55> kRegisterFileF685 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x011, "TMR2"}, {0x012, "T2CON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"}, {0x017, "CCP1CON"},
    {0x01C, "PWM1CON"}, {0x01D, "ECCPAS"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"},
    {0x095, "WPUA"}, {0x096, "IOCA"}, {0x097, "WDTCON"}, {0x09E, "ADRESL"}, {0x09F, "ADCON1"},
    {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"}, {0x115, "WPUB"},
    {0x116, "IOCB"}, {0x118, "VRCON"}, {0x119, "CM1CON0"}, {0x11A, "CM2CON0"}, {0x11B, "CM2CON1"},
    {0x11E, "ANSEL"}, {0x11F, "ANSELH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"}, {0x19D, "PSTRCON"},
    {0x19E, "SRCON"},
}};

// PIC16F687 (DS41262).
inline constexpr std::array<RegisterEntry, 55> kRegisterFileF687 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"},
    {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"},
    {0x087, "TRISC"}, {0x08C, "PIE1"}, {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"},
    {0x090, "OSCTUNE"}, {0x093, "SSPMSK"}, {0x094, "SSPSTAT"}, {0x095, "WPUA"}, {0x096, "IOCA"},
    {0x097, "WDTCON"}, {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09A, "SPBRGH"}, {0x09B, "BAUDCTL"},
    {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x115, "WPUB"},
    {0x116, "IOCB"}, {0x118, "VRCON"}, {0x119, "CM1CON0"}, {0x11A, "CM2CON0"}, {0x11B, "CM2CON1"},
    {0x11E, "ANSEL"}, {0x11F, "ANSELH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"}, {0x19E, "SRCON"},
}};

// PIC16F689 (DS41262).
inline constexpr std::array<RegisterEntry, 57> kRegisterFileF689 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"},
    {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"},
    {0x087, "TRISC"}, {0x08C, "PIE1"}, {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"},
    {0x090, "OSCTUNE"}, {0x093, "SSPMSK"}, {0x094, "SSPSTAT"}, {0x095, "WPUA"}, {0x096, "IOCA"},
    {0x097, "WDTCON"}, {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09A, "SPBRGH"}, {0x09B, "BAUDCTL"},
    {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"},
    {0x10F, "EEADRH"}, {0x115, "WPUB"}, {0x116, "IOCB"}, {0x118, "VRCON"}, {0x119, "CM1CON0"},
    {0x11A, "CM2CON0"}, {0x11B, "CM2CON1"}, {0x11E, "ANSEL"}, {0x11F, "ANSELH"}, {0x18C, "EECON1"},
    {0x18D, "EECON2"}, {0x19E, "SRCON"},
}};

// PIC16F690 (DS41262).
inline constexpr std::array<RegisterEntry, 66> kRegisterFileF690 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x015, "CCPR1L"},
    {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"},
    {0x01C, "PWM1CON"}, {0x01D, "ECCPAS"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x092, "PR2"},
    {0x093, "SSPMSK"}, {0x094, "SSPSTAT"}, {0x095, "WPUA"}, {0x096, "IOCA"}, {0x097, "WDTCON"},
    {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09A, "SPBRGH"}, {0x09B, "BAUDCTL"}, {0x09E, "ADRESL"},
    {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"},
    {0x115, "WPUB"}, {0x116, "IOCB"}, {0x118, "VRCON"}, {0x119, "CM1CON0"}, {0x11A, "CM2CON0"},
    {0x11B, "CM2CON1"}, {0x11E, "ANSEL"}, {0x11F, "ANSELH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"},
    {0x19D, "PSTRCON"}, {0x19E, "SRCON"},
}};

// PIC16F873A and PIC16F876A (DS39582): the 28-pin chips.
inline constexpr std::array<RegisterEntry, 53> kRegisterFileF876A = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x00A, "PCLATH"}, {0x00B, "INTCON"},
    {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"}, {0x010, "T1CON"},
    {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"}, {0x015, "CCPR1L"},
    {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "RCSTA"}, {0x019, "TXREG"}, {0x01A, "RCREG"},
    {0x01B, "CCPR2L"}, {0x01C, "CCPR2H"}, {0x01D, "CCP2CON"}, {0x01E, "ADRESH"}, {0x01F, "ADCON0"},
    {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"}, {0x08C, "PIE1"},
    {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x091, "SSPCON2"}, {0x092, "PR2"}, {0x093, "SSPADD"},
    {0x094, "SSPSTAT"}, {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09C, "CMCON"}, {0x09D, "CVRCON"},
    {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"},
    {0x10F, "EEADRH"}, {0x18C, "EECON1"}, {0x18D, "EECON2"},
}};

// PIC16F874A and PIC16F877A (DS39582): the 40-pin chips.
inline constexpr std::array<RegisterEntry, 57> kRegisterFileF877A = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x008, "PORTD"}, {0x009, "PORTE"},
    {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"},
    {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "SSPBUF"},
    {0x014, "SSPCON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "RCSTA"},
    {0x019, "TXREG"}, {0x01A, "RCREG"}, {0x01B, "CCPR2L"}, {0x01C, "CCPR2H"}, {0x01D, "CCP2CON"},
    {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"},
    {0x087, "TRISC"}, {0x088, "TRISD"}, {0x089, "TRISE"}, {0x08C, "PIE1"}, {0x08D, "PIE2"},
    {0x08E, "PCON"}, {0x091, "SSPCON2"}, {0x092, "PR2"}, {0x093, "SSPADD"}, {0x094, "SSPSTAT"},
    {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09C, "CMCON"}, {0x09D, "CVRCON"}, {0x09E, "ADRESL"},
    {0x09F, "ADCON1"}, {0x10C, "EEDATA"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"},
    {0x18C, "EECON1"}, {0x18D, "EECON2"},
}};

// PIC16F882, PIC16F883 and PIC16F886 (DS41291): the 28-pin chips.
inline constexpr std::array<RegisterEntry, 70> kRegisterFileF886 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x009, "PORTE"}, {0x00A, "PCLATH"},
    {0x00B, "INTCON"}, {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"}, {0x00F, "TMR1H"},
    {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "SSPBUF"}, {0x014, "SSPCON"},
    {0x015, "CCPR1L"}, {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "RCSTA"}, {0x019, "TXREG"},
    {0x01A, "RCREG"}, {0x01B, "CCPR2L"}, {0x01C, "CCPR2H"}, {0x01D, "CCP2CON"}, {0x01E, "ADRESH"},
    {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"}, {0x087, "TRISC"},
    {0x089, "TRISE"}, {0x08C, "PIE1"}, {0x08D, "PIE2"}, {0x08E, "PCON"}, {0x08F, "OSCCON"},
    {0x090, "OSCTUNE"}, {0x091, "SSPCON2"}, {0x092, "PR2"}, {0x093, "SSPADD"}, {0x094, "SSPSTAT"},
    {0x095, "WPUB"}, {0x096, "IOCB"}, {0x097, "VRCON"}, {0x098, "TXSTA"}, {0x099, "SPBRG"},
    {0x09A, "SPBRGH"}, {0x09B, "PWM1CON"}, {0x09C, "ECCPAS"}, {0x09D, "PSTRCON"}, {0x09E, "ADRESL"},
    {0x09F, "ADCON1"}, {0x105, "WDTCON"}, {0x107, "CM1CON0"}, {0x108, "CM2CON0"},
    {0x109, "CM2CON1"}, {0x10C, "EEDAT"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"}, {0x10F, "EEADRH"},
    {0x185, "SRCON"}, {0x187, "BAUDCTL"}, {0x188, "ANSEL"}, {0x189, "ANSELH"}, {0x18C, "EECON1"},
    {0x18D, "EECON2"},
}};

// PIC16F884 and PIC16F887 (DS41291): the 40-pin chips.
inline constexpr std::array<RegisterEntry, 72> kRegisterFileF887 = {{
    {0x000, "INDF"}, {0x001, "TMR0"}, {0x002, "PCL"}, {0x003, "STATUS"}, {0x004, "FSR"},
    {0x005, "PORTA"}, {0x006, "PORTB"}, {0x007, "PORTC"}, {0x008, "PORTD"}, {0x009, "PORTE"},
    {0x00A, "PCLATH"}, {0x00B, "INTCON"}, {0x00C, "PIR1"}, {0x00D, "PIR2"}, {0x00E, "TMR1L"},
    {0x00F, "TMR1H"}, {0x010, "T1CON"}, {0x011, "TMR2"}, {0x012, "T2CON"}, {0x013, "SSPBUF"},
    {0x014, "SSPCON"}, {0x015, "CCPR1L"}, {0x016, "CCPR1H"}, {0x017, "CCP1CON"}, {0x018, "RCSTA"},
    {0x019, "TXREG"}, {0x01A, "RCREG"}, {0x01B, "CCPR2L"}, {0x01C, "CCPR2H"}, {0x01D, "CCP2CON"},
    {0x01E, "ADRESH"}, {0x01F, "ADCON0"}, {0x081, "OPTION_REG"}, {0x085, "TRISA"}, {0x086, "TRISB"},
    {0x087, "TRISC"}, {0x088, "TRISD"}, {0x089, "TRISE"}, {0x08C, "PIE1"}, {0x08D, "PIE2"},
    {0x08E, "PCON"}, {0x08F, "OSCCON"}, {0x090, "OSCTUNE"}, {0x091, "SSPCON2"}, {0x092, "PR2"},
    {0x093, "SSPADD"}, {0x094, "SSPSTAT"}, {0x095, "WPUB"}, {0x096, "IOCB"}, {0x097, "VRCON"},
    {0x098, "TXSTA"}, {0x099, "SPBRG"}, {0x09A, "SPBRGH"}, {0x09B, "PWM1CON"}, {0x09C, "ECCPAS"},
    {0x09D, "PSTRCON"}, {0x09E, "ADRESL"}, {0x09F, "ADCON1"}, {0x105, "WDTCON"}, {0x107, "CM1CON0"},
    {0x108, "CM2CON0"}, {0x109, "CM2CON1"}, {0x10C, "EEDAT"}, {0x10D, "EEADR"}, {0x10E, "EEDATH"},
    {0x10F, "EEADRH"}, {0x185, "SRCON"}, {0x187, "BAUDCTL"}, {0x188, "ANSEL"}, {0x189, "ANSELH"},
    {0x18C, "EECON1"}, {0x18D, "EECON2"},
}};

// The table of a chip added after the first twelve; empty for those,
// which keep their own lists.
constexpr std::span<const RegisterEntry> registerFileOf(RegisterSet set) {
  switch (set) {
    case RegisterSet::F87:
      return kRegisterFileF87;
    case RegisterSet::F88:
      return kRegisterFileF88;
    case RegisterSet::F81x:
      return kRegisterFileF81x;
    case RegisterSet::F716:
      return kRegisterFileF716;
    case RegisterSet::F683:
      return kRegisterFileF683;
    case RegisterSet::F684:
      return kRegisterFileF684;
    case RegisterSet::F688:
      return kRegisterFileF688;
    case RegisterSet::F631:
      return kRegisterFileF631;
    case RegisterSet::F677:
      return kRegisterFileF677;
    case RegisterSet::F685:
      return kRegisterFileF685;
    case RegisterSet::F687:
      return kRegisterFileF687;
    case RegisterSet::F689:
      return kRegisterFileF689;
    case RegisterSet::F690:
      return kRegisterFileF690;
    case RegisterSet::F876A:
      return kRegisterFileF876A;
    case RegisterSet::F877A:
      return kRegisterFileF877A;
    case RegisterSet::F886:
      return kRegisterFileF886;
    case RegisterSet::F887:
      return kRegisterFileF887;
    default:
      return {};
  }
}

}  // namespace kalmar
