// The orvel program as a technician runs it: a child process with a settings file of its own,
// the plug-in loaded from the build tree, and templates in a fresh folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TestFiles.h"

namespace {

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

class OrvelProgram : public ::testing::Test {
 protected:
  Outcome orvel(const std::vector<std::string>& args) {
    std::string command =
        "ORVEL_REGISTRY=" + quoted((dir / "registry.ini").string()) + " " + quoted(ORVEL_PATH);
    for (const auto& arg : args) command += " " + quoted(arg);
    ChildProcess child({"/bin/sh", "-c", command + " 2>&1"});
    int code = child.wait();
    return {code, child.output()};
  }
  std::string file(const std::string& name) const { return (dir / name).string(); }

  TempDir dir;
};

TEST_F(OrvelProgram, EveryCommandExplainsItself) {
  for (auto args : std::vector<std::vector<std::string>>{{"--help"},
                                                         {"catalogue", "--help"},
                                                         {"template", "new", "--help"},
                                                         {"template", "show", "--help"},
                                                         {"template", "set", "--help"},
                                                         {"report", "--help"}}) {
    auto run = orvel(args);
    EXPECT_EQ(run.code, 0) << args.front() << run.output;
    EXPECT_NE(run.output.find("Usage"), std::string::npos) << run.output;
  }
  EXPECT_EQ(orvel({}).code, 2);
  EXPECT_EQ(orvel({"frobnicate"}).code, 2);
}

TEST_F(OrvelProgram, CatalogueListsTheTreeAndItsJson) {
  auto tree = orvel({"catalogue"});
  ASSERT_EQ(tree.code, 0) << tree.output;
  EXPECT_NE(tree.output.find("1101  Patient leakage, normal condition  [CTestMulti]"),
            std::string::npos)
      << tree.output;
  auto json = orvel({"catalogue", "--json"});
  ASSERT_EQ(json.code, 0) << json.output;
  EXPECT_EQ(json.output.rfind("{\"elements\":[{\"id\":100,", 0), 0u) << json.output;
  EXPECT_NE(json.output.find("\"id\":1900,\"class\":\"CTestSingle\""), std::string::npos);
}

TEST_F(OrvelProgram, ATemplateIsBuiltShownChangedAndPrinted) {
  auto t = file("pump.xml");
  auto created =
      orvel({"template", "new", t, "300", "1100", "--standard", "IEC 60601-1", "--class", "I",
             "--device", "Infusion pump", "--serial", "SN-7", "--modules", "ECG:CF:3,SpO2:BF:1"});
  ASSERT_EQ(created.code, 0) << created.output;
  auto shown = orvel({"template", "show", t});
  ASSERT_EQ(shown.code, 0) << shown.output;
  EXPECT_NE(shown.output.find("Device: Infusion pump  serial number: SN-7"), std::string::npos)
      << shown.output;
  EXPECT_NE(shown.output.find("limits IEC 60601-1 I: ::ST <= 0.2 Ω"), std::string::npos)
      << shown.output;

  auto report = orvel({"report", t});
  ASSERT_EQ(report.code, 0) << report.output;
  EXPECT_NE(report.output.find("Infusion pump"), std::string::npos) << report.output;
  // The device's applied parts are in the report as the plug-in prints its module setup.
  EXPECT_NE(report.output.find("SpO2"), std::string::npos) << report.output;
  auto page = file("pump.html");
  ASSERT_EQ(orvel({"report", t, "--html", page}).code, 0);
  EXPECT_NE(contentOf(page).find("<html"), std::string::npos);
}

TEST_F(OrvelProgram, OptionsAreSetByNameAndRefusedValuesChangeNothing) {
  auto t = file("group.xml");
  ASSERT_EQ(orvel({"template", "new", t, "1100"}).code, 0);
  auto set = orvel({"template", "set", t, "1100", "HaltOnTestFailure=False"});
  ASSERT_EQ(set.code, 0) << set.output;
  EXPECT_NE(orvel({"template", "show", t}).output.find("HaltOnTestFailure = False"),
            std::string::npos);
  const std::string before = contentOf(t);
  auto unknown = orvel({"template", "set", t, "1100", "HaltOnTestFailure=True", "Colour=Blue"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.output.find("Colour"), std::string::npos) << unknown.output;
  auto range = orvel({"template", "set", t, "1100", "IRDuration=100000"});
  EXPECT_EQ(range.code, 2);
  EXPECT_NE(range.output.find("IRDuration"), std::string::npos) << range.output;
  EXPECT_EQ(orvel({"template", "set", t, "4242", "IRDuration=5"}).code, 2);
  EXPECT_EQ(contentOf(t), before);
}

TEST_F(OrvelProgram, BadRequestsLeaveNoFileOrTheOldOne) {
  auto t = file("bad.xml");
  auto unknownId = orvel({"template", "new", t, "300", "4242"});
  EXPECT_EQ(unknownId.code, 2);
  EXPECT_NE(unknownId.output.find("4242"), std::string::npos) << unknownId.output;
  auto sixLeads = orvel({"template", "new", t, "1100", "--modules", "ECG:CF:5,SpO2:BF:1"});
  EXPECT_EQ(sixLeads.code, 2) << sixLeads.output;
  EXPECT_NE(sixLeads.output.find("five lead sockets"), std::string::npos) << sixLeads.output;
  auto unknownStandard = orvel({"template", "new", t, "300", "--standard", "ISO 9001"});
  EXPECT_EQ(unknownStandard.code, 2) << unknownStandard.output;
  EXPECT_FALSE(std::filesystem::exists(t));

  ASSERT_EQ(orvel({"template", "new", t, "300"}).code, 0);
  const std::string before = contentOf(t);
  EXPECT_EQ(orvel({"template", "new", t, "1900"}).code, 2);
  EXPECT_EQ(contentOf(t), before);

  auto broken = file("broken.xml");
  std::ofstream(broken) << "<Template><Elements>";
  auto show = orvel({"template", "show", broken});
  EXPECT_EQ(show.code, 2);
  EXPECT_NE(show.output.find("broken.xml"), std::string::npos) << show.output;
}

}  // namespace
