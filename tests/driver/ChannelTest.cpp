#include "driver/CChannel.h"

#include <gtest/gtest.h>

#include "driver/MPortTable.h"
#include "platform/VirtualLoop.h"
#include "platform/serial/VirtualSerialLink.h"
#include "support/ExpectError.h"
#include "support/ScriptedPeer.h"
#include "support/TestHost.h"

using namespace vti;
using namespace std::chrono_literals;
using testing_peer::ScriptedPeer;

namespace {

class ChannelTest : public ::testing::Test {
 protected:
  void SetUp() override { channel.OpenPort(link.hostEnd(), 4); }

  platform::Milliseconds now() const { return ev.elapsed(); }
  // Runs `action` at `at` of loop time, while the channel waits.
  void at(platform::Milliseconds when, std::function<void()> action) {
    ev.startTimer(when - ev.elapsed(), std::move(action));
  }

  platform::VirtualLoop ev;
  platform::LoopOverride useVirtualTime{ev};
  testing_host::TestHost host;
  platform::serial::VirtualSerialLink link;
  ScriptedPeer peer{link.deviceEnd()};
  CChannel channel;
};

TEST_F(ChannelTest, OpensIdleAndRefusesASecondOpenWithoutChangingState) {
  EXPECT_EQ(channel.State_get(), evsIdle);
  EXPECT_EQ(channel.Port_get(), 4);
  auto e = expectComError([&] { channel.OpenPort(link.hostEnd(), 4); });
  EXPECT_EQ(e.number(), errVTI_AlreadyOpen);
  EXPECT_EQ(channel.State_get(), evsIdle);
}

TEST_F(ChannelTest, AMissingPortEndsClosedWithCanNotOpen) {
  CChannel other;
  platform::serial::VirtualSerialLink absent;
  absent.setPresent(false);
  auto e = expectComError([&] { other.OpenPort(absent.hostEnd(), 7); });
  EXPECT_EQ(e.number(), errVTI_NotOpen);
  EXPECT_EQ(e.description(), "Can not open port 7");
  EXPECT_EQ(other.State_get(), evsClosed);
}

TEST_F(ChannelTest, ClosedChannelRefusesEveryOperation) {
  channel.ClosePort();
  EXPECT_EQ(channel.State_get(), evsClosed);
  auto e = expectComError([&] { channel.Transmit("STAT", "\r\n"); });
  EXPECT_EQ(e.number(), errVTI_NotOpen);
  EXPECT_EQ(e.description(), "Can not open port 4");
  EXPECT_EQ(expectComError([&] { channel.Wait(10); }).number(), errVTI_NotOpen);
  EXPECT_EQ(expectComError([&] { channel.TransmitCmd("STAT", "\r\n", false, 3); }).number(),
            errVTI_NotOpen);
  EXPECT_EQ(channel.State_get(), evsClosed);
  EXPECT_TRUE(peer.commands().empty());
}

TEST_F(ChannelTest, ACommandFromAnEventDuringACommandFindsTheChannelBusy) {
  peer.respond([&](const std::string&) -> std::optional<std::string> { return std::nullopt; });
  std::optional<platform::ComError> nested;
  ETrxVtiState stateInside = evsClosed;
  at(now() + 5ms, [&] {
    stateInside = channel.State_get();
    try {
      channel.Transmit("STAT", "\r\n");
    } catch (const platform::ComError& e) {
      nested = e;
    }
    try {
      channel.Wait(10);
    } catch (const platform::ComError& e) {
      EXPECT_EQ(e.number(), errVTI_Busy);
    }
    peer.send("*\r\n");
  });
  EXPECT_EQ(channel.Transmit("PPV", "\r\n"), "*\r\n");
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->number(), errVTI_Busy);
  EXPECT_EQ(nested->description(),
            "The test instrument is busy and can not perform the requested operation.");
  EXPECT_EQ(stateInside, evsBusy);
  EXPECT_EQ(channel.State_get(), evsIdle);
  EXPECT_EQ(peer.commandTexts(), std::vector<std::string>{"PPV"});
}

TEST_F(ChannelTest, AcknowledgementKeepsItsLineEndAndLinesLoseTheirs) {
  peer.script("REMOTE", {"*\r\n"});
  peer.script("IDENT", {"TRX 440,1.02\r\n"});
  EXPECT_EQ(channel.TransmitCmd("REMOTE", "\r\n", false, 3), "*\r\n");
  EXPECT_EQ(channel.Transmit("IDENT\r\n", "\r\n"), "TRX 440,1.02");
  // A command that already ends in CR LF is sent as it is.
  EXPECT_EQ(peer.commandTexts(), (std::vector<std::string>{"REMOTE", "IDENT"}));
  EXPECT_EQ(channel.ParseResult("12.5 uA\r\n13.0 uA\r\n", false), "12.5 uA");
  EXPECT_FALSE(channel.TransmitReceiveFlag_get());
}

TEST_F(ChannelTest, ResultRepliesComeBackAsLinesEvenWhenChecked) {
  peer.script("MREAD", {"!22\r\n", "!21\r\n", "!32\r\n"});
  EXPECT_EQ(channel.Transmit("MREAD", "\r\n", false), "!22");
  EXPECT_EQ(channel.Transmit("MREAD", "\r\n", false), "!21");
  EXPECT_EQ(channel.Transmit("MREAD", "\r\n", false), "!32");
  EXPECT_FALSE(channel.TestAbortFlag_get());
}

class InstrumentErrorTest : public ChannelTest,
                            public ::testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(InstrumentErrorTest, BecomesTrxErrorWithItsText) {
  auto [code, text] = GetParam();
  std::string reply = "!" + std::to_string(code);
  peer.script("ERES=LOW", {reply + "\r\n"});
  auto e = expectComError([&] { channel.Transmit("ERES=LOW", "\r\n"); });
  EXPECT_EQ(e.number(), errVTI_TrxError);
  EXPECT_EQ(e.source(), "MError");
  EXPECT_EQ(e.description(), std::string("The TRX440 reported an error: ") + text + ".");
  EXPECT_TRUE(channel.TestAbortFlag_get());
  EXPECT_EQ(channel.State_get(), evsIdle);
  // Unchecked, the caller gets the reply to judge for itself.
  channel.TestAbortFlag_let(false);
  EXPECT_EQ(channel.Transmit("ERES=LOW", "\r\n", true), reply);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, InstrumentErrorTest,
    ::testing::Values(
        std::pair{33, "Cannot null"}, std::pair{34, "Reading out of calibration"},
        std::pair{40, "Over temperature"}, std::pair{50, "Ground Fault Interrupt tripped"},
        std::pair{51, "Over voltage detected"}, std::pair{52, "Unit out of calibration"},
        std::pair{54, "Open ground"},
        std::pair{57, "The instrument needs to wait before performing additional 25A tests."}));

TEST_F(ChannelTest, OtherRefusalsAndEmptyLinesAreInvalidRepliesShownSafely) {
  const std::pair<std::string, std::string> cases[] = {
      {"!99\r\n", "!99"},
      {"!abc\r\n", "!abc"},  // not a number: still the instrument's refusal, not a crash
      {"!\r\n", "!"},
      {"\r\n", ""},
      {"!\x1b[2J\x07\r\n", "!<ESC>[2J<0x07>"},  // never clears or rings the terminal
  };
  for (const auto& [reply, shown] : cases) {
    peer.script("SN", {reply});
    auto e = expectComError([&] { channel.Transmit("SN", "\r\n"); });
    EXPECT_EQ(e.number(), errVTI_InvalidReply) << shown;
    EXPECT_EQ(e.description(), "The reply from the TRX440 is not valid (Rx: " + shown + ").");
  }
}

TEST_F(ChannelTest, RefusedOnEveryAttemptRetriesWithGrowingPausesThenFails) {
  peer.script("POL=N", {"!21\r\n"});
  auto e = expectComError([&] { channel.TransmitCmd("POL=N", "\r\n", false, 3); });
  EXPECT_EQ(e.number(), errVTI_InvalidReply);
  EXPECT_EQ(e.description(), "The reply from the TRX440 is not valid (Rx: !21).");
  const auto& sent = peer.commands();
  ASSERT_EQ(sent.size(), 3u);
  auto firstGap = sent[1].at - sent[0].at;
  auto secondGap = sent[2].at - sent[1].at;
  EXPECT_LT(firstGap, 5ms);  // repeated at once
  EXPECT_GE(secondGap, 100ms);
  EXPECT_LT(secondGap, 105ms);
  EXPECT_TRUE(channel.TransmitReceiveFlag_get());
  EXPECT_TRUE(channel.TestAbortFlag_get());
  EXPECT_EQ(channel.State_get(), evsIdle);
}

TEST_F(ChannelTest, ARefusalFollowedByAnAnswerReturnsTheAnswer) {
  peer.script("STAT2", {"!21\r\n", "0208\r\n"});
  EXPECT_EQ(channel.TransmitCmd("STAT2", "\r\n", false, 3), "0208");
  EXPECT_EQ(peer.commands().size(), 2u);
  EXPECT_FALSE(channel.TestAbortFlag_get());
}

TEST_F(ChannelTest, AfterAnInstrumentErrorNothingIsSentUntilTheOwnerClearsTheFlag) {
  channel.TestAbortFlag_let(true);
  peer.script("STAT", {"0004\r\n"});
  EXPECT_EQ(channel.TransmitCmd("STAT", "\r\n", false, 3), "");
  EXPECT_TRUE(peer.commands().empty());
  channel.TestAbortFlag_let(false);
  EXPECT_EQ(channel.TransmitCmd("STAT", "\r\n", false, 3), "0004");
}

TEST_F(ChannelTest, QuickCommandsWaitOneSecondAndOthersTen) {
  const std::pair<std::string, platform::Milliseconds> cases[] = {
      {"\x1b", 1000ms},  {"LOCAL", 1000ms}, {"EXIT", 1000ms},
      {"STAT1", 1000ms}, {"STAT", 10000ms}, {"ESC", 10000ms},
  };
  for (const auto& [command, timeOut] : cases) {
    auto start = now();
    auto e = expectComError([&] { channel.Transmit(command, "\r\n"); });
    auto waited = now() - start;
    EXPECT_EQ(e.number(), errVTI_NoReply) << command;
    EXPECT_EQ(e.description(), "No reply on COM 4.");
    EXPECT_GE(waited, timeOut) << command;
    EXPECT_LT(waited, timeOut + 5ms) << command;
    EXPECT_TRUE(channel.TimeOut_get());
    EXPECT_TRUE(channel.TransmitReceiveFlag_get());
    EXPECT_EQ(channel.State_get(), evsIdle);
  }
  EXPECT_EQ(peer.commands().front().text, "\x1b");  // ESC alone, with CR LF appended
}

TEST_F(ChannelTest, NoRaiseGivesEmptyTextForAMissingReply) {
  channel.TransmitReceiveFlag_let(true);
  EXPECT_EQ(channel.Transmit("STAT3", "\r\n", false, true), "");
  EXPECT_FALSE(channel.TransmitReceiveFlag_get());
  EXPECT_FALSE(channel.TestAbortFlag_get());
}

TEST_F(ChannelTest, ALineThatHangsUpEndsTheWaitAtOnce) {
  // A pulled cable or a dead simulator: no answer can come, so none is waited for, neither
  // during a command nor for the next one and its retries.
  at(now() + 300ms, [&] { link.hangUp(); });
  auto start = now();
  EXPECT_EQ(expectComError([&] { channel.Transmit("READ", "\r\n"); }).number(), errVTI_NoReply);
  EXPECT_EQ(now() - start, 300ms);
  EXPECT_TRUE(channel.TimeOut_get());
  channel.TestAbortFlag_let(false);
  start = now();
  EXPECT_EQ(expectComError([&] { channel.TransmitCmd("STAT", "\r\n", false, 3); }).number(),
            errVTI_NoReply);
  EXPECT_EQ(now() - start, 200ms);  // the pauses before the command and after its second try
  EXPECT_EQ(channel.State_get(), evsIdle);
}

TEST_F(ChannelTest, AnEmptyAcknowledgementOnlySends) {
  auto start = now();
  EXPECT_EQ(channel.Transmit("LOCAL", ""), "");
  EXPECT_LT(now() - start, 5ms);
  ev.processFor(5ms);
  EXPECT_EQ(peer.commandTexts(), std::vector<std::string>{"LOCAL"});
}

TEST_F(ChannelTest, APeerThatNeverAcknowledgesCannotFillMemory) {
  peer.respond([](const std::string&) { return std::string(CChannel::kMaxReply + 4096, 'x'); });
  auto start = now();
  auto e = expectComError([&] { channel.Transmit("MREAD", "\r\n"); });
  EXPECT_EQ(e.number(), errVTI_NoReply);
  EXPECT_TRUE(channel.TimeOut_get());
  EXPECT_LT(now() - start, 10000ms);  // given up on size, before the time-out
  EXPECT_EQ(link.hostEnd()->inputCount(), 0u);
}

TEST_F(ChannelTest, AbortEndsAWaitAtOnceAndStopsRetries) {
  at(now() + 50ms, [&] { channel.Abort(); });
  auto start = now();
  channel.Wait(10000);
  EXPECT_EQ(now() - start, 50ms);
  EXPECT_EQ(channel.State_get(), evsIdle);

  // A stop during the pause before a command: the command is not sent.
  at(now() + 20ms, [&] { channel.Abort(); });
  EXPECT_EQ(channel.TransmitCmd("MREAD", "\r\n", false, 3), "");
  EXPECT_TRUE(peer.commands().empty());

  // A stop while the command waits for its reply: no error, and it is not sent again.
  at(now() + 150ms, [&] { channel.Abort(); });
  EXPECT_EQ(channel.TransmitCmd("MREAD", "\r\n", false, 3), "");
  EXPECT_EQ(peer.commands().size(), 1u);
  EXPECT_FALSE(channel.TransmitReceiveFlag_get());
}

TEST_F(ChannelTest, AnAttemptCountBelowOneStillSendsOnce) {
  peer.script("SN", {"A12345\r\n"});
  EXPECT_EQ(channel.TransmitCmd("SN", "\r\n"), "A12345");
  EXPECT_EQ(peer.commands().size(), 1u);
}

TEST_F(ChannelTest, ReceiveOneFromManyKeepsTheLastReadingOfTheStream) {
  int reading = 0;
  platform::TimerId stream =
      ev.startRepeating(100ms, [&] { peer.send(std::to_string(++reading) + " uA\r\n"); });
  auto start = now();
  int32_t seconds = 2;
  std::string last = channel.ReceiveOneFromMany(seconds);
  auto took = now() - start;
  ev.stopTimer(stream);
  EXPECT_GE(took, 2000ms);
  EXPECT_LE(took, 2100ms);
  EXPECT_EQ(last, std::to_string(reading) + " uA");
}

TEST_F(ChannelTest, AnInstalledFactoryServesPortNumbers) {
  platform::serial::VirtualSerialLink other;
  ScriptedPeer otherPeer(other.deviceEnd());
  otherPeer.script("SN", {"B777\r\n"});
  std::vector<int32_t> asked;
  {
    MPortTable::PortFactoryOverride useOther([&](int32_t port) {
      asked.push_back(port);
      return other.hostEnd();
    });
    CChannel second;
    second.OpenPort(2);
    EXPECT_EQ(second.Transmit("SN", "\r\n"), "B777");
    EXPECT_EQ(MPortTable::CreatePort("com3"), other.hostEnd());
  }
  EXPECT_FALSE(MPortTable::PortFactorySlot()) << "the table serves port numbers again";
  EXPECT_EQ(asked, (std::vector<int32_t>{2, 3}));
  EXPECT_TRUE(peer.commands().empty());
}

TEST_F(ChannelTest, ClosingFromAnEventDuringACommandLeavesTheChannelClosed) {
  at(now() + 20ms, [&] { channel.ClosePort(); });
  EXPECT_EQ(expectComError([&] { channel.Transmit("MREAD", "\r\n"); }).number(), errVTI_NoReply);
  EXPECT_EQ(channel.State_get(), evsClosed);
  EXPECT_EQ(expectComError([&] { channel.Transmit("MREAD", "\r\n"); }).number(), errVTI_NotOpen);
}

TEST_F(ChannelTest, ClosingClearsTheNoReplyFlagAndReleasesThePort) {
  channel.TransmitReceiveFlag_let(true);
  channel.ClosePort();
  EXPECT_FALSE(channel.TransmitReceiveFlag_get());
  EXPECT_FALSE(link.hostEnd()->isOpen());
  channel.ClosePort();  // closing twice is harmless
  channel.OpenPort(link.hostEnd(), 5);
  EXPECT_EQ(channel.Port_get(), 5);
}

}  // namespace
