#include <gtest/gtest.h>

#include <map>

#include "SimConnection.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxTestResult.h"

// Every test of the instrument in every power configuration it accepts, against the healthy
// analyzer: each ends completed and sends exactly the commands of its procedure. The expected
// commands are worked out here from the procedures as the instrument's documentation writes
// them, independently of the driver.

using namespace vti;
using Commands = std::vector<std::string>;

namespace {

const std::map<int, std::string> kProcedures = {
    {1, "#STOP=BPC;#STOP=APC;MAINS=%V;#STOP=APC;#WAIT=300;#MANY"},
    {2, "#STOP=BPC;#STOP=APC;ERES=%R;#STOP=APC;#WAIT=300;#MANY"},
    {3, "#STOP=BPC;#STOP=APC;MINS;#STOP=APC;INS=%I;#WAIT=%D;#MANY"},
    {4, "#STOP=BPC;#STOP=APC;APINS;#STOP=APC;INS=%I;#WAIT=%D;#MANY"},
    {5, "#STOP=BPC;#STOP=APC;INSE;#STOP=APC;INS=%I;#WAIT=%D;#MANY"},
    {6, "#STOP=BPC;#STOP=APC;INSB;#STOP=APC;INS=%I;#WAIT=%D;#MANY"},
    {7, "#STOP=BPC;#STOP=APC;INSD;#STOP=APC;INS=%I;#WAIT=%D;#MANY"},
    {8, "#STOP=BPC;EARTHL;POL=%P;#STOP=APC;NEUT=%N;MODE=%U;AP=%A;#STOP=APC;#WAIT=300;#MANY"},
    {9, "#STOP=BPC;ENCL;EARTH=%E;POL=%P;#STOP=APC;NEUT=%N;MODE=%U;AP=%A;#STOP=APC;#WAIT=300;#MANY"},
    {10, "#STOP=BPC;PAT;EARTH=%E;POL=%P;#STOP=APC;NEUT=%N;MODE=%U;#STOP=APC;AP=%A;#WAIT=300;#MANY"},
    {11, "#STOP=BPC;AUX;EARTH=%E;POL=%P;#STOP=APC;NEUT=%N;MODE=%U;#STOP=APC;AP=%A;#WAIT=300;#MANY"},
    {12, "#STOP=BPC;MAP;MAP=LOW;POL=%P;#STOP=APC;MAP=%MP;AP=%A;#WAIT=300;#MANY"},
    {13, "#STOP=BPC;#STOP=APC;PPV;#STOP=APC;#WAIT=300;#MANY"},
    {14, "#STOP=BPC;#STOP=APC;PPR;#STOP=APC;#WAIT=300;#MANY"},
    {15, "#STOP=BPC;#STOP=APC;PPL;#STOP=APC;MODE=%U;#WAIT=300;#MANY"},
    {16, "#STOP=BPC;EQCURR;#STOP=APC;#WAIT=300;#MANY"},
    {17,
     "#STOP=BPC;NOMINAL=ON;#STOP=APC;SAF;#STOP=APC;ALTEARTH=%E;MODE=%U;AP=ALL//;#WAIT=300;"
     "#MANY;NOMINAL=OFF"},
    {18, "#STOP=BPC;DIFF;EARTH=%E;#STOP=APC;POL=%P;AP=//GND;#STOP=APC;#WAIT=300;#MANY"},
    {19, "#STOP=BPC;DIRL;MODE=%U;EARTH=%E;#STOP=APC;POL=%P;AP=ALL//;#STOP=APC;#WAIT=300;#MANY"},
    {20,
     "#STOP=BPC;NOMINAL=ON;DMAP;MAP=3.5MA;MODE=%U;#STOP=APC;POL=%P;#STOP=APC;AP=%A;#WAIT=300;"
     "#MANY;NOMINAL=OFF"},
    {21, "#STOP=BPC;NOMINAL=ON;SPAT;MODE=%U;#STOP=APC;AP=%A;#WAIT=300;#MANY;NOMINAL=OFF"},
    {22, "#STOP=BPC;ECG;#STOP=ECG;%C;#WAIT=%T;QUIT;EXIT;#DONE"},
};

// The power configurations each test accepts.
std::vector<int> acceptedConfigurations(int code) {
  auto range = [](int first, int last, std::vector<int> except = {}) {
    std::vector<int> out;
    for (int pc = first; pc <= last; ++pc) {
      if (std::find(except.begin(), except.end(), pc) == except.end()) out.push_back(pc);
    }
    return out;
  };
  switch (code) {
    case 1:
      return {8, 9, 10};
    case 8:
      return range(2, 16, {4, 7});
    case 9:
    case 10:
    case 11:
      return range(2, 16);
    case 12:
    case 20:
      return {3, 6};
    case 16:
    case 22:
      return {3};
    case 17:
    case 18:
    case 21:
      return {1, 3, 4, 6, 7};
    case 19:
      return {3, 4, 6, 7};
    default:
      return {1};
  }
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t pos = text.find(from); pos != std::string::npos;
       pos = text.find(from, pos + to.size()))
    text.replace(pos, from.size(), to);
}

// The commands a fresh connection with default options sends for one test. The outlet is off
// after connecting and no mode that takes a polarity switches it on by itself, so every
// polarity change asks for the status, switches the outlet off and then to the new polarity.
Commands expectedCommands(int code, int pc, const std::string& ap) {
  std::string text = kProcedures.at(code);
  const bool reversed = pc == 5 || pc == 6 || pc == 7;
  replaceAll(text, "%P", reversed ? "R" : "N");
  replaceAll(text, "%E", pc == 4 || pc == 7 ? "O" : "C");
  replaceAll(text, "%N", pc == 2 || pc == 5 ? "O" : "C");
  replaceAll(text, "%V", pc == 9 ? "L1-GND" : pc == 10 ? "L2-GND" : "L1-L2");
  replaceAll(text, "%A", ap);
  replaceAll(text, "%R", "LOW");
  replaceAll(text, "%I", "HIGH");
  replaceAll(text, "%U", "ACDC");
  replaceAll(text, "%C", "CPL30");
  replaceAll(text, "%T", "0");
  replaceAll(text, "%D", "2000");
  replaceAll(text, "%MP", "NORM");

  Commands out{"STD=601"};
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string instruction = text.substr(start, end - start);
    start = end + 1;
    if (instruction == "#MANY") {
      out.insert(out.end(), {"MREAD", "\x1b"});
    } else if (instruction.rfind("POL=", 0) == 0) {
      out.insert(out.end(), {"STAT2", "POL=OFF", instruction});
    } else if (instruction == "QUIT") {
      out.push_back("\x1b");
    } else if (instruction == "MAP") {
      out.insert(out.end(), {"MAP", "MAP=7.5MA"});
    } else if (instruction[0] != '#') {
      out.push_back(instruction);
    }
  }
  return out;
}

}  // namespace

TEST(TestSequencesRun, EveryTestInEveryAcceptedConfigurationCompletesWithItsCommands) {
  int runs = 0;
  for (const auto& [code, procedure] : kProcedures) {
    for (int pc : acceptedConfigurations(code)) {
      SCOPED_TRACE("test " + std::to_string(code) + ", power configuration " + std::to_string(pc));
      SimConnection sim;
      sim.answer("FWaitOnPC: wait");
      auto test = std::make_shared<CTrxSafetyTest>();
      test->Initialize(static_cast<ETrxTestCode>(code), static_cast<ETrxPowerConfiguration>(pc));
      test->AP_let("1");
      sim.vti().InitRemote(SimConnection::kPort);
      const size_t from = sim.commands().size();
      sim.vti().RunSafetyTest(test, nullptr);
      EXPECT_EQ(sim.vti().TestResult_get()->State_get(), etsCompleted);
      EXPECT_EQ(sim.commandsSince(from), expectedCommands(code, pc, "1"));
      sim.vti().EndRemote(nullptr);
      EXPECT_TRUE(sim.analyzerLocalAndOff()) << sim.analyzer().endState();
      ++runs;
    }
  }
  EXPECT_EQ(runs, 95);
}
