// The FT232R's byte stream: which answer is a state's sample, how long a
// state stands, and how much may go out unanswered.
#include "port/ftdi_stream.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace kalmar {
namespace {

// Answers as the board gives them: each is the pins just before its byte,
// i.e. the byte before it, with the read-back pin high where `high` says.
std::vector<std::uint8_t> answersFor(const FtdiStream& stream, std::span<const std::uint8_t> sent,
                                     std::uint64_t highAt) {
  std::vector<std::uint8_t> answers;
  std::uint8_t pins = stream.levelsFor(kAdapterIdle);
  for (std::size_t k = 0; k < sent.size(); ++k) {
    const std::uint8_t readBit = k == highAt ? 1u << kFtdiDefaultPins[AdapterPins::Read] : 0;
    answers.push_back(static_cast<std::uint8_t>(pins | readBit));
    pins = sent[k];
  }
  return answers;
}

// A sampled state is read at its end, from the answer to the byte after it;
// the last state of a frame gets a byte more when it is sampled.
TEST(FtdiStream, ASampleIsTheAnswerToTheByteAfterItsState) {
  FtdiStream stream(kFtdiDefaultPins);
  const std::array<LineStep, 3> steps{{{0x02, false}, {0x00, true}, {0x00, true}}};
  std::array<std::uint8_t, 2> statuses{};
  const std::uint64_t needed = stream.queueFrame(steps, 2, statuses);
  ASSERT_EQ(stream.pendingCount(), 7u);  // 3 states of 2 bytes, 1 after the sampled last
  EXPECT_EQ(needed, 7u);
  EXPECT_EQ(stream.answersWanted(), needed);  // what a settle waits for
  const std::vector<std::uint8_t> sent(stream.pendingFront(7).begin(), stream.pendingFront(7).end());
  stream.markSent(sent.size());
  for (std::uint64_t high : {4u, 6u}) {  // the answers to the bytes after each sampled state
    FtdiStream again(kFtdiDefaultPins);
    std::array<std::uint8_t, 2> got{};
    again.queueFrame(steps, 2, got);
    again.markSent(sent.size());
    const std::vector<std::uint8_t> answers = answersFor(again, sent, high);
    again.takeAnswers({answers.data(), 3});  // answers come in pieces
    again.takeAnswers({answers.data() + 3, answers.size() - 3});
    EXPECT_EQ(got[0], high == 4 ? 0xC7 : 0x87);
    EXPECT_EQ(got[1], high == 6 ? 0xC7 : 0x87);
  }
}

TEST(FtdiStream, HoldsAndTheUnansweredLimit) {
  EXPECT_EQ(FtdiStream::bytesCovering(0), 1u);
  EXPECT_EQ(FtdiStream::bytesCovering(1000), 1u);
  EXPECT_EQ(FtdiStream::bytesCovering(1001), 2u);
  EXPECT_EQ(FtdiStream::bytesCovering(8000), 8u);
  FtdiStream stream(kFtdiDefaultPins);
  stream.queueState(0x0B, 300);
  EXPECT_EQ(stream.roomForUnanswered(256), 256u);
  stream.markSent(200);
  EXPECT_EQ(stream.roomForUnanswered(256), 56u);
  const std::vector<std::uint8_t> answers(150, 0);
  stream.takeAnswers(answers);
  EXPECT_EQ(stream.roomForUnanswered(256), 100u);  // all that is left pending
  EXPECT_EQ(stream.levelsFor(0x0B), 0x13);         // TXD, RXD and DTR# high, RTS# low
}

}  // namespace
}  // namespace kalmar
