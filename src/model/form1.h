#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/buffer.h"
#include "model/chip_session.h"
#include "model/device_profile.h"
#include "model/host.h"
#include "model/platform.h"
#include "model/window_state.h"
#include "port/port_io.h"

namespace kalmar {

// Process-wide settings that outlive a command.
struct Settings {
  std::string startDirectory;
  std::string systemName;  // "NT-2000" on the Windows NT family
  // Where an installed program keeps its pages (share/kalmar); may be empty.
  std::string installedDataDirectory;
  // The adapter is the simulator's: start-up reaches for no port of the
  // system (no device, no driver).
  bool simulatedPort = false;
  // Windows: the port library found beside the program (inpoutx64.dll or
  // inpout32.dll); the port goes through it and needs no driver file.
  std::string portLibrary;
  // Windows: told at a first start that the parallel port cannot be
  // reached, the user chose to go on without it; its driver is not asked
  // for again.
  bool withoutParallelPort = false;
};

// The main window without a display: its visible state, the buffer, the
// selected chip and port, and the services it talks through. Commands are
// free functions over it, named after the window's handlers.
struct TForm1 {
  using PortOpener = std::function<PortOpenResult(std::uint16_t dataRegister)>;

  TForm1(Host& host, Platform& platform, LineProtocol& line)
      : host(host), platform(platform), chip(line) {}

  Host& host;
  Platform& platform;
  // The line, the selected chip and what a chip step keeps between steps.
  ChipSession chip;
  // Opens the port device at start-up; empty when the port needs no opening.
  PortOpener openPort;
  // A port named on the command line opens after start-up; until then no
  // line write may reach (and so open) the settings file's port.
  bool portNamedLater = false;

  WindowState window;
  Buffer buffer;
  PortSelection port;
  Settings settings;
  OperationState operation;

  bool panelUpdateLock = false;               // switches set by the program, not the user
  bool fileLoadFlag = false;                  // a HEX load is setting the panels
  bool fillLock = false;                      // data cells filled by the program
  bool entryError = false;                    // the last cell entry was refused
  int editorKeyCounter = 0;                   // the data memory editor's left-move counter
  bool idCellLock = false;                    // ID cells filled by the program
  bool idPreserveMarker = false;              // an ID read fills the words but not the cells
  int idLeftMoveCounter = 0;                  // the ID cells' left-move counter
  std::array<std::uint16_t, 4> writtenIds{};  // what the last ID write sent
  std::string lastOpenedPath;                 // the file last chosen in the open dialog
  bool lowerVppReminded = false;              // told this run how to lower VPP
};

}  // namespace kalmar
