#include "driver/CTrxMlcQuery.h"

#include <gtest/gtest.h>

#include "driver/CChannel.h"
#include "driver/MPortTable.h"
#include "platform/VirtualLoop.h"
#include "platform/forms/ScriptedScreen.h"
#include "platform/serial/VirtualSerialLink.h"
#include "sim/SimulatedAnalyzer.h"
#include "support/ScriptedPeer.h"
#include "support/TestHost.h"

using namespace vti;
using host_api::MLCQueryResult;
using Commands = std::vector<std::string>;

namespace {

constexpr const char* kLocalAndIdle =
    "{\"end\":true,\"control\":\"local\",\"outlet\":\"off\",\"test_mode\":\"\",\"hung_up\":false}";

class MlcQueryTest : public ::testing::Test {
 protected:
  MlcQueryTest() {
    platform::forms::ScriptRule ok;
    ok.form = "MessageBox";
    ok.steps.push_back(
        {platform::Milliseconds(0), platform::forms::ScriptAction::Click, "cmdOK", ""});
    screen.addRule(ok);
  }

  // An analyzer of `scenario` on the far end of the cable.
  sim::SimulatedAnalyzer& attach(const std::string& scenario) {
    analyzer = std::make_unique<sim::SimulatedAnalyzer>(sim::Scenario::parse(scenario, "test"));
    analyzer->attach(link);
    return *analyzer;
  }
  MLCQueryResult query() { return mlc.QueryMTI(link.hostEnd()); }
  Commands commands() const { return analyzer->transcript().commands(); }

  platform::VirtualLoop ev;
  platform::LoopOverride useVirtualTime{ev};
  testing_host::TestHost host;
  platform::forms::ScriptedScreen screen;
  platform::forms::ScreenOverride useScreen{screen};
  platform::serial::VirtualSerialLink link;
  std::unique_ptr<sim::SimulatedAnalyzer> analyzer;
  CTrxMlcQuery mlc;
};

bool mentions(const platform::forms::JournalEntry& entry, const std::string& text) {
  return std::any_of(entry.texts.begin(), entry.texts.end(),
                     [&](const std::string& t) { return t.find(text) != std::string::npos; });
}

void expectNothingFound(const MLCQueryResult& r) {
  EXPECT_EQ(r.Status, MLCQueryResult::kNotFound);
  EXPECT_EQ(r.Model, "");
  EXPECT_EQ(r.SerialNo, "");
  EXPECT_EQ(r.FWVersion, "");
}

TEST_F(MlcQueryTest, IdentifiesAHealthyAnalyzerAndLeavesItLocalWithThePortClosed) {
  attach("");
  auto result = query();
  EXPECT_EQ(result.Status, MLCQueryResult::kIdentified);
  EXPECT_EQ(result.Model, "TRX440");
  EXPECT_EQ(result.SerialNo, "T440-000117");
  EXPECT_EQ(result.FWVersion, "2.05") << "the firmware field carries no line end";
  EXPECT_EQ(mlc.SerialNo_get(), "T440-000117");
  EXPECT_EQ(mlc.FWVersion_get(), "2.05");
  EXPECT_EQ(mlc.MtiType_get(), "TRX440");
  EXPECT_EQ(commands(), (Commands{"LOCAL", "\x1b", "STAT", "IDENT", "SN", "STAT1"}));
  EXPECT_EQ(analyzer->endState(), kLocalAndIdle);
  EXPECT_FALSE(link.hostEnd()->isOpen());
  EXPECT_TRUE(screen.journal().empty());
}

TEST_F(MlcQueryTest, TakesAnAnalyzerLeftInRemoteWithItsOutletOnBackToLocal) {
  attach("");
  analyzer->receive("EARTHL\r\n");
  analyzer->receive("POL=N\r\n");
  ev.processFor(std::chrono::milliseconds(100));
  ASSERT_TRUE(analyzer->model().isRemote());
  auto result = query();
  EXPECT_EQ(result.Status, MLCQueryResult::kIdentified);
  EXPECT_EQ(analyzer->endState(), kLocalAndIdle);
}

TEST_F(MlcQueryTest, AnAnalyzerBusyAtItsFrontPanelIsNamedButNotIdentified) {
  attach("[analyzer]\nready = no\n");
  auto result = query();
  EXPECT_EQ(result.Status, MLCQueryResult::kNotReady);
  EXPECT_EQ(result.Model, "TRX440");
  EXPECT_EQ(result.SerialNo, "");
  EXPECT_EQ(result.FWVersion, "");
  EXPECT_EQ(commands(), (Commands{"LOCAL", "\x1b", "STAT"}));
  EXPECT_FALSE(analyzer->model().isRemote());
  EXPECT_FALSE(link.hostEnd()->isOpen());
}

TEST_F(MlcQueryTest, SilenceOnTheLineFindsNothingAfterTheTimeOuts) {
  auto start = ev.elapsed();
  expectNothingFound(query());
  // LOCAL 1000 + ESC 500 + STAT 500 ms of time-outs, and the pauses between them.
  EXPECT_EQ((ev.elapsed() - start).count(), 100 + 1000 + 100 + 500 + 50 + 500 + 50);
  EXPECT_FALSE(link.hostEnd()->isOpen());
}

TEST_F(MlcQueryTest, AReplyBeyondAnySensibleLengthIsNoAnswer) {
  // A line without a baud rate (a pseudo-terminal, a USB device) carries a flood of noise
  // within one time-out; the query must neither collect it all nor take it for a status word.
  platform::serial::VirtualSerialLink fast({1'000'000'000, std::chrono::microseconds(200)});
  testing_peer::ScriptedPeer peer(fast.deviceEnd());
  peer.respond([](const std::string& command) {
    // The escape key goes out without a line end, so it reaches the peer ahead of STAT.
    return command == "\x1bSTAT" ? "0004" + std::string(CChannel::kMaxReply, '~') + "\r\n"
                                 : std::string("*\r\n");
  });
  expectNothingFound(mlc.QueryMTI(fast.hostEnd()));
  EXPECT_EQ(peer.commandTexts(), (Commands{"LOCAL", "\x1bSTAT"}));
  EXPECT_EQ(fast.hostEnd()->inputCount(), 0u);
}

TEST_F(MlcQueryTest, APortThatDoesNotOpenFindsNothing) {
  link.setPresent(false);
  expectNothingFound(query());
  expectNothingFound(mlc.QueryMTI(std::shared_ptr<platform::serial::SerialPort>()));
}

TEST_F(MlcQueryTest, APortNumberResolvesThroughThePortTable) {
  attach("");
  int32_t asked = 0;
  MPortTable::PortFactoryOverride useLink([&](int32_t port) {
    asked = port;
    return link.hostEnd();
  });
  auto result = mlc.QueryMTI(3);
  EXPECT_EQ(asked, 3);
  EXPECT_EQ(result.Status, MLCQueryResult::kIdentified);
}

TEST_F(MlcQueryTest, AGroundFaultIsShownAndResetAndTheQueryFindsNothing) {
  attach("[faults]\nIDENT #1 = ground-fault\n");
  expectNothingFound(query());
  ASSERT_EQ(screen.journal().size(), 1u);
  const auto& box = screen.journal()[0];
  EXPECT_EQ(box.form, "MessageBox");
  EXPECT_TRUE(mentions(box, "Ground Fault Interrupt tripped"));
  EXPECT_EQ(commands(), (Commands{"LOCAL", "\x1b", "STAT", "IDENT", "GFIR"}));
  EXPECT_EQ(analyzer->model().stat3() & 0x4000, 0) << "the interrupter was reset";
  EXPECT_EQ(analyzer->endState(), kLocalAndIdle);
  EXPECT_FALSE(link.hostEnd()->isOpen()) << "closed although the query failed";
}

TEST_F(MlcQueryTest, AnOverVoltageIsResetAndShown) {
  attach("[faults]\nIDENT #1 = over-voltage\n");
  expectNothingFound(query());
  EXPECT_EQ(commands(), (Commands{"LOCAL", "\x1b", "STAT", "IDENT", "OVR"}));
  ASSERT_EQ(screen.journal().size(), 1u);
  EXPECT_TRUE(mentions(screen.journal()[0], "Over voltage detected"));
  EXPECT_EQ(analyzer->model().stat3() & 0x2000, 0);
}

TEST_F(MlcQueryTest, AFailedMessageBoxStillResetsTheInstrument) {
  platform::forms::ScriptedScreen noAnswers;  // no rule: every form fails to show
  platform::forms::ScreenOverride useIt(noAnswers);
  attach("[faults]\nIDENT #1 = ground-fault\n");
  expectNothingFound(query());
  EXPECT_EQ(commands().back(), "GFIR");
}

TEST_F(MlcQueryTest, GarbledOrRefusedRepliesFindNothing) {
  for (const char* fault : {"STAT #1 = reply ZZZZ", "STAT #1 = !22", "STAT #1 = reply 04",
                            "IDENT #1 = reply TRX 440"}) {
    SCOPED_TRACE(fault);
    attach(std::string("[faults]\n") + fault + "\n");
    expectNothingFound(query());
    EXPECT_FALSE(analyzer->model().isRemote());
    EXPECT_FALSE(link.hostEnd()->isOpen());
    analyzer->detach();
  }
}

TEST_F(MlcQueryTest, AFirmwareFieldEndingIn440IsNotTakenForThisAnalyzer) {
  attach("[analyzer]\nfirmware = 1.440\n");
  expectNothingFound(query());
  EXPECT_EQ(mlc.FWVersion_get(), "1.440");
  EXPECT_EQ(commands(), (Commands{"LOCAL", "\x1b", "STAT", "IDENT", "SN"}));
}

TEST_F(MlcQueryTest, AnotherQueryStartsAfresh) {
  attach("");
  EXPECT_EQ(query().Status, MLCQueryResult::kIdentified);
  analyzer->detach();
  expectNothingFound(query());
  EXPECT_EQ(mlc.SerialNo_get(), "");
  EXPECT_EQ(mlc.FWVersion_get(), "");
}

}  // namespace
