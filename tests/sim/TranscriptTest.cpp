#include <gtest/gtest.h>

#include <sstream>

#include "SimHarness.h"

namespace {

TEST(Transcript, RecordsEveryExchangeAsEscapedJsonLines) {
  SimHarness h("[timing]\nprocessing = 10 ms\n[faults]\nSN #1 = !22\n");
  h.ask("REMOTE");
  h.clearReceived();
  h.send("\x1b\r\n");
  h.awaitLine();
  h.ask("SN");
  std::ostringstream out;
  h.analyzer().writeTranscript(out);
  std::istringstream lines(out.str());
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_EQ(all.size(), 9u) << out.str();
  EXPECT_EQ(all[0], R"({"t_ms":0.894,"dir":"in","text":"REMOTE\r\n"})");
  EXPECT_EQ(all[1], R"({"t_ms":10.894,"dir":"out","text":"*\r\n"})");
  EXPECT_NE(all[2].find(R"("dir":"in","text":"\u001b"})"), std::string::npos) << all[2];
  EXPECT_NE(all[3].find(R"("dir":"in","text":"\r\n"})"), std::string::npos) << all[3];
  EXPECT_NE(all[6].find(R"("dir":"note","text":"fault on SN: reply !22"})"), std::string::npos);
  EXPECT_EQ(all[8], h.analyzer().endState());
  EXPECT_EQ(h.analyzer().transcript().commands(),
            (std::vector<std::string>{"REMOTE", "\x1b", "SN"}));
}

TEST(Transcript, MirrorsToAStreamAsItGoes) {
  SimHarness h;
  std::ostringstream live;
  h.analyzer().transcript().mirrorTo(&live);
  h.ask("STAT1");
  EXPECT_NE(live.str().find(R"("text":"STAT1\r\n")"), std::string::npos);
  EXPECT_NE(live.str().find(R"("text":"0001\r\n")"), std::string::npos);
}

TEST(Transcript, AMirrorThatKeepsNothingStillWritesEverything) {
  SimHarness h;
  std::ostringstream live;
  h.analyzer().transcript().mirrorTo(&live);
  h.analyzer().transcript().keepEntries(false);
  h.ask("STAT1");
  EXPECT_NE(live.str().find(R"("text":"0001\r\n")"), std::string::npos);
  EXPECT_TRUE(h.analyzer().transcript().entries().empty());
}

TEST(Transcript, OverlongLineIsDroppedNotKept) {
  SimHarness h;
  h.send(std::string(300, 'A') + "STAT\r\n");
  EXPECT_EQ(h.ask("STAT1"), "0001\r\n") << "the next command is read cleanly";
}

}  // namespace
