#include <gtest/gtest.h>

#include "InstrumentTestSupport.h"
#include "driver/CTrxTestOptions.h"
#include "driver/CTrxVti.h"
#include "host/HostInstrumentData.h"
#include "host/HostTestRun.h"
#include "plugin/config/CConfigECG.h"
#include "plugin/config/CConfigResistance.h"
#include "plugin/config/CConfigTestGroup.h"
#include "plugin/core/CErrorBuffer.h"
#include "plugin/core/MSharedTools.h"
#include "support/ExpectError.h"

using namespace plugin;
using namespace instrument_test;

namespace {

// A group (top level, holding the template's host data) with one test in it.
struct GroupWithTest {
  std::shared_ptr<CConfigTestGroup> config = std::make_shared<CConfigTestGroup>();
  std::shared_ptr<Element> group = std::make_shared<Element>(1100, config);
  std::shared_ptr<Element> test =
      std::make_shared<Element>(1101, std::make_shared<CConfigTestGroup>(), group);
  CCfgTestOptions& options() { return *config->Test_get(); }
};

// A configuration whose element cannot be read: an unexpected failure inside the connection.
class Unreadable : public Element {
 public:
  Unreadable() : Element(1100, nullptr) {}
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    throw platform::ComError(5, "Unreadable", "Invalid procedure call");
  }
};

std::shared_ptr<host_api::IInstrumentData> otherInstrument(int32_t index) {
  auto data = std::make_shared<host::HostInstrumentData>();
  data->SetModel("ESA620", index);
  data->SetIdentity("ESA 620", "99-1", "1.0");
  return data;
}

}  // namespace

TEST(OpenDriver, ASecondCallReturnsTheSameConnectionAndRegistersTheInstrumentOnce) {
  SimulatedBench bench;
  bench.sim().assignPort();
  GroupWithTest tree;
  host::HostTestRun run(nullptr);

  auto first = MGlobalVTI::OpenDriver(&run, tree.test);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->State_get(), vti::evsIdle);
  EXPECT_EQ(MGlobalVTI::Driver(), first);
  auto second = MGlobalVTI::OpenDriver(&run, tree.test);
  EXPECT_EQ(second, first);
  EXPECT_EQ(bench.sim().count("IDENT"), 1) << "the analyzer was connected again";

  ASSERT_EQ(run.InstrumentData_get().size(), 1u);
  EXPECT_EQ(run.InstrumentData_get()[0], first->MtiData_get());
  EXPECT_EQ(first->MtiData_get()->Model(), "TRX440");
  EXPECT_EQ(first->MtiData_get()->Index(), 1);
}

TEST(OpenDriver, AnInstrumentNewToARunIsNumberedAboveTheOnesItHolds) {
  SimulatedBench bench;
  bench.sim().assignPort();
  host::HostTestRun run(nullptr);
  run.AddInstrumentData(otherInstrument(1));
  run.AddInstrumentData(otherInstrument(4));

  auto vti = MGlobalVTI::OpenDriver(&run, nullptr);
  ASSERT_TRUE(vti);
  ASSERT_EQ(run.InstrumentData_get().size(), 3u);
  EXPECT_EQ(vti->MtiData_get()->Index(), 5);

  // A run that already holds a record of this very analyzer keeps that record and its number.
  host::HostTestRun later(nullptr);
  auto earlier = std::make_shared<host::HostInstrumentData>();
  earlier->SetModel("TRX440", 2);
  earlier->SetIdentity(vti->MtiData_get()->ModelText(), vti->MtiData_get()->SerialNumber(), "");
  later.AddInstrumentData(otherInstrument(7));
  later.AddInstrumentData(earlier);
  MGlobalVTI::OpenDriver(&later, nullptr);
  EXPECT_EQ(later.InstrumentData_get().size(), 2u);
  EXPECT_EQ(vti->MtiData_get()->Index(), 2);
}

TEST(OpenDriver, TheGroupsRunOptionsAndTheTemplatesStandardReachTheDriver) {
  SimulatedBench bench;
  bench.sim().assignPort();
  bench.sim().host().registry().set(MSharedTools::PlugInKey, "PolarityDelay", "3");
  GroupWithTest tree;
  tree.options().DelayTimePowerOn_let(7);
  tree.options().StopBeforeNewPC_let(true);
  tree.options().PowerOFFScreen_let(vti::eepo_before);
  tree.options().PolaritySwitchingDelay_let(7);
  bench.application().data[tree.group.get()] = {{"Orvel", "1"}, {"Standard", "IEC 62353:2014"}};

  auto vti = MGlobalVTI::OpenDriver(nullptr, tree.test);
  ASSERT_TRUE(vti);
  const auto& options = *vti->TestOptions_get();
  EXPECT_EQ(options.TestStandard_get(), vti::ets353);
  EXPECT_EQ(options.DelayTimePowerOn_get(), 7);
  EXPECT_TRUE(options.StopBeforeNewPC_get());
  EXPECT_EQ(options.PowerOFFScreen_get(), vti::eepo_before);
  // A delay the analyzer cannot use gives way to the installation's default, which is what
  // the analyzer is told.
  EXPECT_EQ(options.PolaritySwitchingDelay_get(), 3);
  EXPECT_EQ(bench.sim().count("RPTIME=3"), 1);
}

TEST(OpenDriver, ATopLevelElementUsesItsOwnHostDataAndAValidDelayIsKept) {
  SimulatedBench bench;
  bench.sim().assignPort();
  GroupWithTest tree;
  tree.options().PolaritySwitchingDelay_let(4);
  bench.application().data[tree.group.get()] = {{"Standard", "AS/NZS 3551"}};

  auto vti = MGlobalVTI::OpenDriver(nullptr, tree.group);
  ASSERT_TRUE(vti);
  EXPECT_EQ(vti->TestOptions_get()->TestStandard_get(), vti::etsASNZ);
  EXPECT_EQ(bench.sim().count("RPTIME=4"), 1);
}

TEST(OpenDriver, AResistanceOrEcgTestOnItsOwnKeepsTheDriversStandard) {
  SimulatedBench bench;
  bench.sim().assignPort();
  auto ecg = std::make_shared<Element>(1900, std::make_shared<CConfigECG>());
  bench.application().data[ecg.get()] = {{"Standard", "IEC 60601-1"}};

  auto vti = MGlobalVTI::OpenDriver(nullptr, ecg);
  ASSERT_TRUE(vti);
  EXPECT_EQ(vti->TestOptions_get()->TestStandard_get(), vti::etsNONE);
}

TEST(OpenDriverFailure, WithoutAnAssignedPortNothingIsLeftOpenAndTheErrorIsKept) {
  SimulatedBench bench;
  host::HostTestRun run(nullptr);
  EXPECT_FALSE(MGlobalVTI::OpenDriver(&run, nullptr));
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_TRUE(run.InstrumentData_get().empty());
  EXPECT_TRUE(bench.sim().commands().empty());
  EXPECT_EQ(CErrorBuffer::instance().Number_get(), vti::errVTI_Error);
}

TEST(OpenDriverFailure, AnAnalyzerThatDoesNotAnswerLeavesNoConnectionAfterTheDriversMessage) {
  SimulatedBench bench(SimAnalyzer::withFaults("healthy", {{"*", "silence"}}));
  bench.sim().assignPort();
  bench.sim().answer("MessageBox: click cmdOK");
  host::HostTestRun run(nullptr);

  EXPECT_FALSE(MGlobalVTI::OpenDriver(&run, nullptr));
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_TRUE(run.InstrumentData_get().empty());
  // The driver told the operator once; the plug-in adds nothing of its own.
  EXPECT_EQ(bench.sim().formsShown(), std::vector<std::string>{"MessageBox"});
  EXPECT_TRUE(bench.errors().Reported().empty());
  EXPECT_EQ(CErrorBuffer::instance().Number_get(), vti::errVTI_Error);
  // The next attempt starts afresh once the analyzer answers again.
  EXPECT_FALSE(bench.sim().link().hostEnd()->isOpen());
}

TEST(OpenDriverFailure, AnUnexpectedErrorIsPassedOnAndLeavesNoConnection) {
  SimulatedBench bench;
  bench.sim().assignPort();
  auto group = std::make_shared<Unreadable>();
  auto test = std::make_shared<Element>(1101, nullptr, group);

  auto error = expectComError([&] { MGlobalVTI::OpenDriver(nullptr, test); });
  EXPECT_EQ(error.number(), 5);
  EXPECT_EQ(error.source(), "MGlobalVTI");
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_EQ(CErrorBuffer::instance().Number_get(), 5);
  EXPECT_TRUE(bench.sim().commands().empty());
}

TEST(CloseDriver, LeavesTheAnalyzerLocalWithItsOutletOffAndForgetsTheConnection) {
  SimulatedBench bench;
  bench.sim().assignPort();
  auto vti = MGlobalVTI::OpenDriver(nullptr, nullptr);
  ASSERT_TRUE(vti);
  ASSERT_FALSE(bench.sim().analyzerLocalAndOff());

  MGlobalVTI::CloseDriver();
  EXPECT_FALSE(MGlobalVTI::Driver());
  EXPECT_EQ(vti->State_get(), vti::evsClosed);
  EXPECT_TRUE(bench.sim().analyzerLocalAndOff()) << bench.sim().analyzer().endState();
  const auto sent = bench.sim().commands().size();
  MGlobalVTI::CloseDriver();  // nothing left to close
  EXPECT_EQ(bench.sim().commands().size(), sent);
}

TEST(ApplyElementOptions, AGroupsTestOptionsGoToTheDriver) {
  SimulatedBench bench;
  bench.sim().assignPort();
  GroupWithTest tree;
  auto& own =
      *std::dynamic_pointer_cast<CConfigTestGroup>(tree.test->Configuration_get())->Test_get();
  own.AppliedParts_let(vti::eap_ground);
  own.MeasType_let(vti::emt_DC);
  own.TestVoltage_let(vti::etv_250);
  own.TotalLeakage_let(true);
  own.MAPPolarity_let(vti::eemp_Reverse);
  own.IRDuration_let(9);

  MGlobalVTI::ApplyElementOptions(tree.test);
  ASSERT_TRUE(MGlobalVTI::Driver()) << "the options need a connection to go to";
  const auto& options = *MGlobalVTI::Driver()->TestOptions_get();
  EXPECT_EQ(options.AppliedParts_get(), vti::eap_ground);
  EXPECT_EQ(options.MeasType_get(), vti::emt_DC);
  EXPECT_EQ(options.TestVoltage_get(), vti::etv_250);
  EXPECT_TRUE(options.TotalLeakage_get());
  EXPECT_EQ(options.MAPPolarity_get(), vti::eemp_Reverse);
  EXPECT_EQ(options.IRDuration_get(), 9);
}

TEST(ApplyElementOptions, ResistanceAndEcgTestsHandOverTheirOwnOptionsAlsoInsideAGroup) {
  SimulatedBench bench;
  bench.sim().assignPort();
  GroupWithTest tree;
  auto resistanceConfig = std::make_shared<CConfigResistance>();
  resistanceConfig->Test_get()->MeasType_let(vti::emt_AC);
  auto resistance = std::make_shared<Element>(300, resistanceConfig, tree.group);
  auto ecgConfig = std::make_shared<CConfigECG>();
  ecgConfig->ECGOptions_get()->WaveformType_let(vti::ewt_Sine50);
  ecgConfig->ECGOptions_get()->Duration_let(12);
  auto ecg = std::make_shared<Element>(1900, ecgConfig);

  MGlobalVTI::ApplyElementOptions(resistance);
  MGlobalVTI::ApplyElementOptions(ecg);
  ASSERT_TRUE(MGlobalVTI::Driver());
  const auto& options = *MGlobalVTI::Driver()->TestOptions_get();
  EXPECT_EQ(options.MeasType_get(), vti::emt_AC);
  EXPECT_EQ(options.WaveformType_get(), vti::ewt_Sine50);
  EXPECT_EQ(options.ECGDuration_get(), 12);
  EXPECT_EQ(bench.sim().count("IDENT"), 1) << "both went to the one connection";
}

TEST(DriverOverride, PutsBackTheConnectionThatWasThere) {
  auto outer = std::make_shared<vti::CTrxVti>();
  MGlobalVTI::DriverOverride first(outer);
  {
    MGlobalVTI::DriverOverride none;
    EXPECT_FALSE(MGlobalVTI::Driver());
    MGlobalVTI::driverSlot() = std::make_shared<vti::CTrxVti>();
  }
  EXPECT_EQ(MGlobalVTI::Driver(), outer);
}
