#include "port/linux_ports.h"

#include <gtest/gtest.h>

namespace kalmar::testing {
namespace {

TEST(LinuxPorts, EachPortHasItsDevice) {
  EXPECT_EQ(parportDeviceFor(0x378), "/dev/parport0");
  EXPECT_EQ(parportDeviceFor(0x278), "/dev/parport1");
}

TEST(LinuxPorts, PpdevThatCannotOpenSaysWhyAndDoesNothing) {
  PpdevPort missing("/nonexistent/parport9", 0x378);
  EXPECT_FALSE(missing.isOpen());
  EXPECT_EQ(missing.failureErrno(), ENOENT);
  EXPECT_FALSE(missing.failure().empty());
  missing.write(0x378, 0x0F);
  EXPECT_EQ(missing.read(0x379), 0);

  // A device that opens but is not a parallel port refuses the claim.
  PpdevPort notAPort("/dev/null", 0x378);
  EXPECT_FALSE(notAPort.isOpen());
  EXPECT_FALSE(notAPort.failure().empty());
}

TEST(LinuxPorts, NonePortLosesWritesAndReadsZero) {
  NonePort none;
  none.write(0x378, 0xFF);
  EXPECT_EQ(none.read(0x379), 0);
}

}  // namespace
}  // namespace kalmar::testing
