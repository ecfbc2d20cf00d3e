#include "port/recording_port.h"

#include <gtest/gtest.h>

namespace kalmar::testing {
namespace {

class CountingPort final : public PortIo {
 public:
  void write(std::uint16_t, std::uint8_t value) override { last = value; }
  std::uint8_t read(std::uint16_t) override { return 0x5A; }
  std::uint8_t last = 0;
};

TEST(RecordingPort, PassesThroughAndTracesRelativeTimes) {
  CountingPort inner;
  std::int64_t now = 1000;
  RecordingPort port(&inner, [&] { return now; });
  port.write(0x378, 0x0B);
  now = 9250;
  EXPECT_EQ(port.read(0x379), 0x5A);
  EXPECT_EQ(inner.last, 0x0B);
  EXPECT_EQ(port.traceText(1000), "0 W 0B\n8250 R 5A\n");
}

TEST(RecordingPort, ScriptedReadsRepeatTheLastByte) {
  RecordingPort port;
  EXPECT_EQ(port.read(0x379), 0);
  port.scriptReads({0x40, 0x00});
  EXPECT_EQ(port.read(0x379), 0x40);
  EXPECT_EQ(port.read(0x379), 0x00);
  EXPECT_EQ(port.read(0x379), 0x00);
  EXPECT_EQ(port.accesses().size(), 4u);
}

}  // namespace
}  // namespace kalmar::testing
