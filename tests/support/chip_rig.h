#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "device/chip_selection.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "support/form_rig.h"

namespace kalmar::testing {

// The window with a chip of the given kind selected in the menu and in the
// simulated adapter.
struct ChipRig : FormRig {
  explicit ChipRig(sim::ChipKind kind, double slowdown = 1.0) : FormRig(kind, slowdown) {
    start();
    selectChipByName(form, sim::chipName(kind));
    if (slowdown != 1.0) selectSlowdown(slowdown);
  }
  void selectSlowdown(double factor);

  // A program image written as a HEX file and loaded as a user would.
  std::string loadProgram(const Buffer& image) {
    const std::string path = (directory / "program.hex").string();
    std::ofstream(path, std::ios::binary)
        << bufferToHex(image, form.chip.profile.programWords, form.chip.profile.dataBytes);
    EXPECT_TRUE(loadHexFile(form, path));
    return path;
  }

  static Buffer pattern(int words, unsigned seed, std::uint16_t config) {
    Buffer image;
    for (int i = 0; i < words; ++i)
      image.program[static_cast<std::size_t>(i)] =
          static_cast<std::uint16_t>(((i + 1) * 2654435761u * (seed + 1)) >> 9) & 0x3FFF;
    image.config = config;
    return image;
  }

  std::size_t violations() { return sim.log().violations(); }
  std::string events() { return sim.log().eventsText(); }
};

}  // namespace kalmar::testing
