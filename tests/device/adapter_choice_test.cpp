#include "device/adapter_choice.h"

#include <gtest/gtest.h>

#include "support/form_rig.h"

namespace kalmar {
namespace {

using testing::FormRig;

// A Windows NT PC whose start-up folder holds neither the port driver nor
// the port library.
struct PortlessPc : FormRig {
  PortlessPc() {
    platform.kind = SystemKind::WindowsNt;
    platform.directory = directory.string() + "/";
  }
  std::optional<std::string> startWindow(MessageResult answer, bool library = false) {
    host.expectMessage(answer);
    return portAtStart(platform, host, library);
  }
};

TEST(AdapterChoice, APortlessPcIsAskedOnceAndKeepsTheFt232r) {
  PortlessPc pc;
  EXPECT_EQ(pc.startWindow(MessageResult::Yes).value_or(""), "ftdi");
  ASSERT_EQ(pc.host.messages.size(), 1u);
  EXPECT_NE(pc.host.messages[0].text.find("FT232R"), std::string::npos);
  EXPECT_NE(pc.host.messages[0].text.find("симулятор"), std::string::npos);
  EXPECT_EQ(pc.startWindow(MessageResult::No).value_or(""), "ftdi");
  EXPECT_EQ(pc.host.messages.size(), 1u);  // not asked again
  EXPECT_FALSE(std::filesystem::exists(pc.directory / "Kalmar.cfg"));
}

// Declined, the parallel port stays chosen and its missing driver is no
// longer told at every start; a PC that can reach the port is never asked.
TEST(AdapterChoice, ADeclinedChoiceSilencesTheDriverBoxAndAReachablePortIsNotAsked) {
  PortlessPc pc;
  EXPECT_FALSE(pc.startWindow(MessageResult::No));
  EXPECT_EQ(rememberedAdapter(pc.platform).value_or(""), "lpt");
  pc.form.settings.withoutParallelPort = true;
  pc.start();
  EXPECT_EQ(pc.host.messages.size(), 1u);
  EXPECT_EQ(pc.form.port.dataRegister, 0x378);

  PortlessPc withLibrary;
  EXPECT_FALSE(withLibrary.startWindow(MessageResult::Yes, true));
  PortlessPc onLinux;
  onLinux.platform.kind = SystemKind::Linux;
  EXPECT_FALSE(onLinux.startWindow(MessageResult::Yes));
  EXPECT_TRUE(withLibrary.host.messages.empty() && onLinux.host.messages.empty());
}

}  // namespace
}  // namespace kalmar
