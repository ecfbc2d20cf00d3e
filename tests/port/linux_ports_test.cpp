#include "port/linux_ports.h"

#include <gtest/gtest.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <map>

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

// A ppdev layer whose calls fail as told.
struct FakePpdev final : PpdevSystem {
  int openErrno = 0;
  std::map<unsigned long, int> failing;  // request -> errno
  std::vector<unsigned long> calls;
  int dataDirection = 1;
  int open(const char*) override {
    errno = openErrno;
    return openErrno ? -1 : 7;
  }
  int ioctl(int, unsigned long request, void* argument) override {
    calls.push_back(request);
    if (request == PPDATADIR) dataDirection = *static_cast<int*>(argument);
    auto fails = failing.find(request);
    if (fails == failing.end()) return 0;
    errno = fails->second;
    return -1;
  }
  void close(int) override {}
};

TEST(LinuxPorts, ClaimedPortsDriveAndSayWhatIsWrong) {
  FakePpdev system;
  PpdevPort port("/dev/parport0", 0x378, system);
  ASSERT_TRUE(port.isOpen());
  EXPECT_EQ(system.dataDirection, 0) << "a port left in reverse mode drives again";

  std::vector<std::string> reports;
  port.onFailure([&](const std::string& text) { reports.push_back(text); });
  system.failing[PPWDATA] = ENODEV;
  port.write(0x378, 0x0F);
  port.write(0x378, 0x0B);
  system.failing[PPRSTATUS] = ENODEV;
  EXPECT_EQ(port.read(0x379), 0);
  ASSERT_EQ(reports.size(), 1u) << "told once";
  EXPECT_EQ(reports[0].rfind("Не удалось записать в порт /dev/parport0.\r\nПричина: ", 0), 0u);

  FakePpdev busy;
  busy.failing[PPCLAIM] = EBUSY;
  PpdevPort held("/dev/parport0", 0x378, busy);
  EXPECT_FALSE(held.isOpen());
  EXPECT_NE(held.failure().find("rmmod lp"), std::string::npos);
  FakePpdev denied;
  denied.openErrno = EACCES;
  EXPECT_NE(PpdevPort("/dev/parport0", 0x378, denied).failure().find("adduser"), std::string::npos);
}

TEST(LinuxPorts, NonePortLosesWritesAndReadsZero) {
  NonePort none;
  none.write(0x378, 0xFF);
  EXPECT_EQ(none.read(0x379), 0);
}

}  // namespace
}  // namespace kalmar::testing
