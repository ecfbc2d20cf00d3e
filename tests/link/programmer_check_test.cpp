#include "link/programmer_check.h"

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/fake_platform.h"
#include "support/line_rig.h"

namespace kalmar::testing {
namespace {

const char* const kRunning = "Выполняемое действие: проверка программатора.";
const char* const kFailedStatus =
    " Последнее выполненое действие: проверка программатора, программатор не обнаружен.";
const char* const kFailedText =
    "Прграмматор не обнаружен. Проверьте правильность соединения,\r\n"
    "порт подключения, напряжение питания программатора.";

struct CheckRig : LineRig {
  FakeHost host;
  FakePlatform platform;
  WindowState window;
  CheckContext context() { return {line, platform, host, window}; }
};

TEST(ChekHard, WorkingAdapterPassesQuietly) {
  CheckRig rig;
  rig.window.StatusBar2 = "0:1.5";
  rig.recorder.scriptReads({0x40, 0x00});  // low, then high
  EXPECT_TRUE(Chek_Hard(rig.context()));
  EXPECT_EQ(rig.written(), (std::vector<std::uint8_t>{0x0B, 0x03, 0x02, 0x0F}));
  EXPECT_EQ(rig.window.StatusBar1, kRunning);
  EXPECT_EQ(rig.window.StatusBar2, "");
  EXPECT_TRUE(rig.host.messages.empty());
  EXPECT_EQ(rig.platform.priorities,
            (std::vector<PriorityClass>{PriorityClass::RealTime, PriorityClass::Normal}));
  EXPECT_NEAR(static_cast<double>(rig.counter.counter()), 8.4e6, 10) << "8.4 ms";
}

TEST(ChekHard, DataLineStuckHighNeverReleasesTheLine) {
  CheckRig rig;
  rig.host.expectMessage(MessageResult::Ok);
  rig.recorder.scriptReads({0x00, 0x00});
  EXPECT_FALSE(Chek_Hard(rig.context()));
  EXPECT_EQ(rig.written(), (std::vector<std::uint8_t>{0x0B, 0x03, 0x0F}));
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Ошибка при программировании.");
  EXPECT_EQ(rig.host.messages[0].text, kFailedText);
  EXPECT_EQ(rig.host.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(rig.host.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(rig.window.StatusBar1, kFailedStatus);
  int reads = 0;
  for (const auto& access : rig.recorder.accesses()) reads += !access.isWrite;
  EXPECT_EQ(reads, 2) << "the second sample is taken anyway";
}

TEST(ChekHard, NothingAttachedFailsOnTheSecondSample) {
  CheckRig rig;
  rig.host.expectMessage(MessageResult::Ok);
  rig.recorder.scriptReads({0x40, 0x40});
  EXPECT_FALSE(Chek_Hard(rig.context()));
  EXPECT_EQ(rig.written(), (std::vector<std::uint8_t>{0x0B, 0x03, 0x02, 0x0F}));
  EXPECT_EQ(rig.window.StatusBar1, kFailedStatus);
  EXPECT_EQ(rig.platform.priorities.back(), PriorityClass::Normal);
}

TEST(ChekHard, ClosedPortReportsNoProgrammer) {
  NonePort none;
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  LineProtocol line(none, timing);
  FakeHost host;
  FakePlatform platform;
  WindowState window;
  host.expectMessage(MessageResult::Ok);
  EXPECT_FALSE(Chek_Hard({line, platform, host, window}));
  EXPECT_EQ(window.StatusBar1, kFailedStatus);
}

TEST(ChekHard, SlowdownStretchesTheCheck) {
  CheckRig rig;
  rig.timing.setSlowdownFactor(5.0);
  rig.recorder.scriptReads({0x40, 0x00});
  EXPECT_TRUE(Chek_Hard(rig.context()));
  EXPECT_NEAR(static_cast<double>(rig.counter.counter()), 42e6, 10) << "42 ms";
  EXPECT_EQ(rig.window.StatusBar1, kRunning);
}

}  // namespace
}  // namespace kalmar::testing
