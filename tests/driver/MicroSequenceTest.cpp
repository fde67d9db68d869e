#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/CMicroSequence.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/CTrxTestOptions.h"
#include "driver/MCommands.h"
#include "support/ExpectError.h"
#include "support/TestHost.h"

using namespace vti;

namespace {

std::vector<std::string> instructionsOf(ETrxTestCode code, ETrxPowerConfiguration pc,
                                        const std::string& ap, const CTrxTestOptions& options) {
  CMicroSequence sequence;
  sequence.Initialize(code, pc, ap, options);
  std::vector<std::string> list;
  for (int32_t i = 0; i < sequence.Count_get(); ++i) list.push_back(sequence.Instruction(i));
  return list;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

}  // namespace

TEST(CMicroSequence, PatientLeakageWithReversedMainsAndOpenEarth) {
  CTrxTestOptions options;
  options.MeasType_let(emt_AC);
  EXPECT_EQ(instructionsOf(etcPatLeak, epcOERM, "1", options),
            (std::vector<std::string>{"#STOP=BPC", "PAT", "EARTH=O", "POL=R", "#STOP=APC", "NEUT=C",
                                      "MODE=AC", "#STOP=APC", "AP=1", "#WAIT=300", "#MANY"}));
  // Open neutral, normal mains, both components.
  options.MeasType_let(emt_ACDC);
  auto list = instructionsOf(etcEnclLeak, epcON, "RA,LL//OPEN", options);
  for (const char* expected : {"EARTH=C", "POL=N", "NEUT=O", "MODE=ACDC", "AP=RA,LL//OPEN"}) {
    EXPECT_TRUE(contains(list, expected)) << expected;
  }
}

TEST(CMicroSequence, InsulationVoltageAndDurationComeFromTheOptions) {
  CTrxTestOptions options;
  options.IRDuration_let(2);
  options.TestVoltage_let(etv_250);
  auto list = instructionsOf(etcIRMains, epcOff, "", options);
  EXPECT_TRUE(contains(list, "INS=LOW"));
  EXPECT_TRUE(contains(list, "#WAIT=2000"));

  options.TestVoltage_let(etv_500);
  // A duration far beyond any sensible value must still give its exact wait, not a wrapped one.
  options.IRDuration_let(3000000);
  list = instructionsOf(etcIRAppl, epcOff, "", options);
  EXPECT_TRUE(contains(list, "INS=HIGH"));
  EXPECT_TRUE(contains(list, "#WAIT=3000000000"));
}

TEST(CMicroSequence, MainsVoltagePairFollowsThePowerConfiguration) {
  CTrxTestOptions options;
  EXPECT_TRUE(contains(instructionsOf(etcMains, epcMainsL2Gnd, "", options), "MAINS=L2-GND"));
  EXPECT_TRUE(contains(instructionsOf(etcMains, epcMainsL1Gnd, "", options), "MAINS=L1-GND"));
  EXPECT_TRUE(contains(instructionsOf(etcMains, epcMainsL1L2, "", options), "MAINS=L1-L2"));
}

TEST(CMicroSequence, MapPolarityAndEcgWaveform) {
  CTrxTestOptions options;
  options.MAPPolarity_let(eemp_Reverse);
  auto list = instructionsOf(etcMAP, epcNCRM, "LL//GND", options);
  EXPECT_TRUE(contains(list, "MAP=REV"));
  EXPECT_TRUE(contains(list, "POL=R"));
  options.MAPPolarity_let(eemp_Normal);
  EXPECT_TRUE(contains(instructionsOf(etcMAP, epcNC, "LL//GND", options), "MAP=NORM"));

  options.WaveformType_let(ewt_Sine10);
  options.ECGDuration_let(5);
  EXPECT_EQ(instructionsOf(etcECGTest, epcNC, "", options),
            (std::vector<std::string>{"#STOP=BPC", "ECG", "#STOP=ECG", "SN10", "#WAIT=5000", "QUIT",
                                      "EXIT", "#DONE"}));
}

TEST(CMicroSequence, InstructionOutsideTheListIsEmpty) {
  CMicroSequence sequence;
  EXPECT_EQ(sequence.Count_get(), 0);
  EXPECT_EQ(sequence.Instruction(0), "");
  sequence.Initialize(etcProtEarth, epcOff, "", CTrxTestOptions());
  ASSERT_EQ(sequence.Count_get(), 6);
  EXPECT_EQ(sequence.Instruction(0), "#STOP=BPC");
  EXPECT_EQ(sequence.Instruction(2), "ERES=LOW");
  EXPECT_EQ(sequence.Instruction(5), "#MANY");
  EXPECT_EQ(sequence.Instruction(-1), "");
  EXPECT_EQ(sequence.Instruction(sequence.Count_get()), "");
}

// Every test in every configuration it accepts, with every choice the options offer, must give
// commands with nothing left to fill in.
TEST(CMicroSequence, EveryValidTestExpandsCompletely) {
  int expanded = 0;
  for (int32_t code = etcMains; code <= etcECGTest; ++code) {
    for (int32_t pc = epcOff; pc <= epcAccessOERM; ++pc) {
      auto etc = static_cast<ETrxTestCode>(code);
      auto epc = static_cast<ETrxPowerConfiguration>(pc);
      if (!CTrxSafetyTest::LeadNoOf(etc, epc)) continue;
      for (int32_t variant = 0; variant < 2; ++variant) {
        CTrxTestOptions options;
        options.MeasType_let(variant ? emt_DC : emt_AC);
        options.TestVoltage_let(variant ? etv_250 : etv_500);
        options.MAPPolarity_let(variant ? eemp_Reverse : eemp_Normal);
        options.WaveformType_let(variant ? ewt_Vfib : ewt_Complex30BPM);
        auto list = instructionsOf(etc, epc, "RA//OPEN", options);
        ASSERT_GE(list.size(), 4u);
        for (const auto& instruction : list) {
          EXPECT_FALSE(instruction.empty()) << code << "/" << pc;
          EXPECT_EQ(instruction.find('%'), std::string::npos)
              << code << "/" << pc << ": " << instruction;
        }
        ++expanded;
      }
    }
  }
  EXPECT_EQ(expanded, 2 * 95);
}

TEST(CMicroSequence, ASequenceWithoutStopOrWaitIsRefused) {
  testing_host::TestHost host;
  CMicroSequence sequence;
  // No sequence is stored for this code: the empty text has neither directive; the first
  // missing one is named.
  auto e = expectComError(
      [&] { sequence.Initialize(static_cast<ETrxTestCode>(23), epcOff, "", CTrxTestOptions()); });
  EXPECT_EQ(e.number(), errVTI_InvalidMuSeq);
  EXPECT_EQ(e.source(), "CMicroSequence");
  EXPECT_EQ(e.description(),
            "The micro sequence stored as 8023 is invalid. The test cannot be run.\\n\\nMicro "
            "sequence: \\nInvalid/missing directive: #STOP");
  EXPECT_EQ(sequence.Count_get(), 0);
}

TEST(CMicroSequence, AnAppliedPartThatWouldAddCommandsIsRefused) {
  testing_host::TestHost host;
  for (const char* ap : {"1;MAINS=L1-L2", "1\r\nPOL=R", "RA\x1b"}) {
    CMicroSequence sequence;
    auto e = expectComError([&] { sequence.Initialize(etcPatLeak, epcNC, ap, CTrxTestOptions()); });
    EXPECT_EQ(e.number(), errVTI_InvalidMuSeq) << ap;
    EXPECT_NE(e.description().find("Invalid/missing directive: AP="), std::string::npos);
    // The refused text is shown with its control characters spelled out, never sent raw.
    EXPECT_EQ(e.description().find('\r'), std::string::npos);
    EXPECT_EQ(sequence.Count_get(), 0);
  }
  // A test without an applied part does not care what the text holds.
  CMicroSequence sequence;
  sequence.Initialize(etcMains, epcMainsL1L2, "1;X", CTrxTestOptions());
  EXPECT_EQ(sequence.Count_get(), 6);
}

TEST(MCommands, PowerOffCommandsAreKnownByName) {
  for (const char* command : {"SAF", "PPL", "PPR", "PPV", "INSB", "INSD", "INSE", "APINS", "MINS",
                              "ERES=LOW", "MAINS=L1-L2"}) {
    EXPECT_TRUE(MCommands::IsPowerOffCommand(command)) << command;
  }
  for (const char* command :
       {"", "INS=LOW", "MAINSX", "ERE", "eres=LOW", "POL=N", "NEUT=O", "#STOP=APC", "=ERES"}) {
    EXPECT_FALSE(MCommands::IsPowerOffCommand(command)) << command;
  }
}
