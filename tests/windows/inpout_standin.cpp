// A stand-in for the port library (inpoutx64.dll, inpout32.dll) that the
// Windows tests put beside kalmar-cli.exe: an adapter with no chip in its
// socket, whose data line follows D0 back to status bit 6 (D0 set pulls
// the line low, which status bit 6 reads as 1), as the programmer check
// expects of a connected adapter.
#include <windows.h>

namespace {
unsigned char dataRegister = 0x0F;
}

extern "C" {

__declspec(dllexport) void __stdcall Out32(short address, short value) {
  if ((address & 1) == 0) dataRegister = static_cast<unsigned char>(value);
}

__declspec(dllexport) short __stdcall Inp32(short address) {
  if ((address & 1) == 0) return dataRegister;
  return (dataRegister & 0x01) != 0 ? 0x40 : 0x00;
}

__declspec(dllexport) BOOL __stdcall IsInpOutDriverOpen() {
  return TRUE;
}

}  // extern "C"
