// `orvel run` as a technician starts it: a child process with a settings file of its own, the
// plug-in from the build tree, and the analyzer simulated in process or played by trxsim on a
// pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/PollLoop.h"
#include "support/ChildProcess.h"
#include "support/TestFiles.h"

namespace {

constexpr const char* kLocalAndOff =
    "{\"end\":true,\"control\":\"local\",\"outlet\":\"off\",\"test_mode\":\"\",\"hung_up\":false}";

struct Outcome {
  int code;
  std::string output;  // standard output and standard error together
};

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::string contentOf(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class OrvelRunProgram : public ::testing::Test {
 protected:
  // `stdoutOnly`: standard output alone (for the JSON document), taken from a file, since a
  // run in real time outlasts the child's reading time.
  Outcome orvel(const std::vector<std::string>& args, bool stdoutOnly = false) {
    std::string command =
        "ORVEL_REGISTRY=" + quoted((dir / "registry.ini").string()) + " " + quoted(ORVEL_PATH);
    for (const auto& arg : args) command += " " + quoted(arg);
    const auto out = dir / "stdout.txt";
    ChildProcess child({"/bin/sh", "-c",
                        command + (stdoutOnly ? " >" + quoted(out.string()) + " 2>/dev/null"
                                              : std::string(" 2>&1"))});
    int code = child.wait();
    return {code, stdoutOnly ? contentOf(out) : child.output()};
  }
  std::string file(const std::string& name) const { return (dir / name).string(); }
  // The complete safety test of an infusion pump with two applied parts under IEC 62353.
  std::string pumpTemplate() {
    auto t = file("pump.xml");
    auto created = orvel({"template", "new", t, "100", "--standard", "IEC 62353", "--class", "I",
                          "--device", "Infusion pump", "--modules", "ECG:CF:3,SpO2:BF:1"});
    EXPECT_EQ(created.code, 0) << created.output;
    return t;
  }

  platform::PollLoop loop;
  platform::LoopOverride useRealTime{loop};
  TempDir dir;
};

TEST_F(OrvelRunProgram, UsageErrorsAreRefusedBeforeAnythingRuns) {
  auto t = pumpTemplate();
  const std::string before = contentOf(t);
  auto answers = file("answers.txt");
  std::ofstream(answers) << "MessageBox: click cmdOK\n";
  for (auto args : std::vector<std::vector<std::string>>{
           {"run"},
           {"run", t, "--port", "/dev/null", "--simulate", "healthy"},
           {"run", t, "--real-time"},
           {"run", t, "--answers", answers, "--unattended"},
           {"run", t, "--simulate", "healthy", "--answers", file("missing.txt")},
           {"run", t, "--simulate", "no-such-scenario", "--unattended"}}) {
    auto run = orvel(args);
    EXPECT_EQ(run.code, 2) << args.size() << run.output;
  }
  // Nobody at a terminal and no answers: nobody could start the guide.
  auto unanswered = orvel({"run", t, "--simulate", "healthy"});
  EXPECT_EQ(unanswered.code, 2);
  EXPECT_TRUE(has(unanswered.output, "--unattended")) << unanswered.output;
  EXPECT_EQ(contentOf(t), before);
}

TEST_F(OrvelRunProgram, UnreadableTemplatesAndAnswersAreFileErrors) {
  auto broken = file("broken.xml");
  std::ofstream(broken) << "<TestTemplate Version=\"1\"><Elements>";
  auto unreadable = orvel({"run", broken, "--simulate", "healthy", "--unattended"});
  EXPECT_EQ(unreadable.code, 2);
  EXPECT_TRUE(has(unreadable.output, "broken.xml")) << unreadable.output;
  EXPECT_EQ(orvel({"run", file("none.xml"), "--simulate", "healthy", "--unattended"}).code, 2);

  auto t = pumpTemplate();
  auto answers = file("answers.txt");
  std::ofstream(answers) << "FTestGuide: choose \"202\" in xtbGuide\nFHaltOnFail: click cmdSave\n";
  auto misspelt = orvel({"run", t, "--simulate", "healthy", "--answers", answers});
  EXPECT_EQ(misspelt.code, 2);
  EXPECT_TRUE(has(misspelt.output, "answers.txt:2")) << misspelt.output;
  EXPECT_TRUE(has(misspelt.output, "cmdSave")) << misspelt.output;
}

TEST_F(OrvelRunProgram, APortThatGivesNoConnectionIsAConnectionError) {
  auto t = pumpTemplate();
  const std::string before = contentOf(t);
  auto run = orvel({"run", t, "--port", "/dev/null", "--unattended"});
  EXPECT_EQ(run.code, 2);
  EXPECT_TRUE(has(run.output, "/dev/null is not a serial device")) << run.output;
  auto unassigned = orvel({"run", t, "--unattended"});
  EXPECT_EQ(unassigned.code, 2);
  EXPECT_TRUE(has(unassigned.output, "no port is assigned")) << unassigned.output;
  EXPECT_EQ(contentOf(t), before);
}

TEST_F(OrvelRunProgram, TheCompleteTestRunsOnTheSimulatorAndItsResultsAreSavedAndReported) {
  auto t = pumpTemplate();
  auto page = file("pump.html");
  auto run = orvel({"run", t, "--simulate", "healthy", "--unattended", "--report", page});
  // The simulated device's direct equipment leakage with the earth open (760 uA) is above the
  // class I limit, so the complete test fails there and nowhere else.
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(has(run.output, "100  ")) << run.output;
  EXPECT_TRUE(has(run.output, "1700  Direct equipment leakage: failed")) << run.output;
  // A template read from its file still gives the device's applied parts to the guide, so the
  // tests of the applied parts run.
  for (const char* group : {"800  Insulation resistance: passed", "1100  Patient leakage: passed",
                            "1300  Patient auxiliary current: passed",
                            "1800  Alternative applied part leakage: passed"}) {
    EXPECT_TRUE(has(run.output, group)) << group << "\n" << run.output;
  }
  EXPECT_FALSE(has(run.output, "not performed")) << run.output;
  EXPECT_TRUE(has(run.output, "s on the simulated analyzer's clock")) << run.output;
  // The results are in the template: its report shows them without running again.
  auto report = orvel({"report", t});
  EXPECT_TRUE(has(report.output, "Mains voltage, L1 to L2  230.2")) << report.output;
  EXPECT_TRUE(has(contentOf(page), "<html")) << contentOf(page);
}

TEST_F(OrvelRunProgram, AFailingDeviceExitsWithOne) {
  auto t = pumpTemplate();
  auto run = orvel({"run", t, "--simulate", "leakage-failure", "--unattended", "--json"}, true);
  EXPECT_EQ(run.code, 1) << run.output;
  EXPECT_TRUE(has(run.output, "\"status\":\"failed\"")) << run.output;
}

class OrvelRunAgainstTrxsim : public OrvelRunProgram {
 protected:
  void SetUp() override {
    const std::string& out = trxsim.readUntil(
        [](const std::string& text) { return text.find('\n') != std::string::npos; });
    ASSERT_EQ(out.rfind("/dev/", 0), 0u) << out;
    path = out.substr(0, out.find('\n'));
  }
  std::string endState() {
    trxsim.signal(SIGTERM);
    EXPECT_EQ(trxsim.wait(), 0);
    std::string out = trxsim.output();
    out.pop_back();
    return out.substr(out.rfind('\n') + 1);
  }

  ChildProcess trxsim{{TRXSIM_PATH, "--scenario", "healthy"}};
  std::string path;
};

TEST_F(OrvelRunAgainstTrxsim, UnattendedRunPrintsOneJsonObjectAndLeavesTheAnalyzerSafe) {
  // Protective earth and equipment current: a few seconds in real time.
  auto t = file("short.xml");
  auto created = orvel({"template", "new", t, "300", "400", "--standard", "IEC 62353", "--class",
                        "I", "--device", "Infusion pump"});
  ASSERT_EQ(created.code, 0) << created.output;
  auto run = orvel({"run", t, "--port", path, "--unattended", "--json"}, true);
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(run.output.rfind("{\"elements\":[{\"id\":300,", 0), 0u) << run.output;
  EXPECT_EQ(run.output.back(), '\n');
  EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << "one object, one line";
  EXPECT_TRUE(has(run.output, "\"measurements\":[{\"key\":")) << run.output;
  EXPECT_TRUE(has(run.output, "\"limits\":[{\"standard\":\"IEC 62353 I\"")) << run.output;
  EXPECT_TRUE(has(run.output, "\"ended_early\":false")) << run.output;
  EXPECT_EQ(endState(), kLocalAndOff);
}

}  // namespace
