#include <gtest/gtest.h>

#include "GuideTestSupport.h"
#include "plugin/guide/MModuleExpansion.h"
#include "plugin/modules/MModuleUtils.h"

namespace guide_test {
namespace {

using plugin::CModuleSetup;
using plugin::MModuleExpansion::DriverOptionsOverride;
using plugin::MModuleExpansion::RunOverModules;
using Strings = std::vector<std::string>;
using Ids = std::vector<int32_t>;
namespace cls = plugin::MModuleUtils;

constexpr int32_t AAMI = CModuleSetup::NomenclatureAAMI;

class ModuleExpansion : public GuideTest {
 protected:
  // A test of the applied parts inside a group whose configuration governs it.
  std::shared_ptr<FakeTest> governed(int32_t testId, ETrxTestCode code,
                                     int32_t plConfiguration = vti::eepl_Worst) {
    const bool insulation =
        code == vti::etcIRAppl || code == vti::etcIRAppl2N || code == vti::etcIRMap;
    auto leaf = moduleTest(testId, code, insulation ? vti::epcOff : vti::epcNC);
    owner = group(1000, {leaf});
    owner->config().Test_get()->PLConfiguration_let(plConfiguration);
    return leaf;
  }

  std::shared_ptr<FakeGroup> owner;
};

TEST_F(ModuleExpansion, AamiWorstCaseInsulationTestsNonIsolatedLeadsTogetherAndIsolatedLeadsAlone) {
  auto cas = autorun(
      device({module("ECG", 2, 1, cls::ClassNI), module("Probe", 1, 3, cls::ClassI)}, AAMI));
  RunOverModules(*cas, governed(1210, vti::etcIRAppl));

  EXPECT_EQ(journal->parts(), (Strings{"RA,LL//OPEN", "LA//OPEN"}));
  EXPECT_EQ(journal->leads(), (Ids{1, 3}));
  EXPECT_EQ(journal->runs[0].combineResults, cls::ClassNI);
  EXPECT_EQ(journal->runs[1].combineResults, 0);
  EXPECT_EQ(cas->CombineResults_get(), 0);
}

TEST_F(ModuleExpansion, AllLeadsConfigurationMeasuresEveryLeadOfTheTogetherClassAlone) {
  auto cas = autorun(
      device({module("ECG", 2, 1, cls::ClassNI), module("Probe", 1, 3, cls::ClassI)}, AAMI));
  RunOverModules(*cas, governed(1210, vti::etcIRAppl, vti::eepl_All));

  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL//OPEN", "LA//OPEN"}));
  EXPECT_EQ(journal->leads(), (Ids{1, 2, 3}));
}

TEST_F(ModuleExpansion, IecInsulationTestsBTogetherBfPerModuleAndCfPerLead) {
  auto cas =
      autorun(device({module("Belt", 1, 1, cls::ClassB), module("ECG", 2, 2, cls::ClassBF),
                      module("Temp", 1, 4, cls::ClassBF), module("Cath", 1, 5, cls::ClassCF)}));
  RunOverModules(*cas, governed(1210, vti::etcIRAppl2N));

  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL,LA//OPEN", "RL//OPEN", "V1//OPEN"}));
  EXPECT_EQ(journal->leads(), (Ids{1, 2, 4, 5}));
}

TEST_F(ModuleExpansion, MainsOnAppliedPartsLeavesOutTheNonIsolatedModules) {
  auto cas = autorun(
      device({module("ECG", 2, 1, cls::ClassNI), module("Probe", 2, 3, cls::ClassI)}, AAMI));
  RunOverModules(*cas, governed(1410, vti::etcMAP));

  EXPECT_EQ(journal->parts(), (Strings{"LA//OPEN", "RL//OPEN"}));
}

TEST_F(ModuleExpansion, GroundingUnusedLeadsInTheDriverOptionsShowsInEveryRun) {
  DriverOptionsOverride grounded({vti::eap_ground, false});
  auto cas = autorun(device({module("ECG", 2, 1, cls::ClassB)}));
  RunOverModules(*cas, governed(1110, vti::etcPatLeak));
  RunOverModules(*cas, test(400, vti::etcEarthLeak, vti::epcNC));

  EXPECT_EQ(journal->parts(), (Strings{"RA,LL//GND", "//GND"}));
}

TEST_F(ModuleExpansion, TotalLeakageMeasuresEachClassTogetherAndSkipsBfUnderAami) {
  DriverOptionsOverride total({vti::eap_open, true});
  auto iec = autorun(device({module("A", 1, 1, cls::ClassB), module("B", 2, 2, cls::ClassBF),
                             module("C", 1, 4, cls::ClassBF), module("D", 1, 5, cls::ClassCF)}));
  RunOverModules(*iec, governed(1110, vti::etcPatLeak));
  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL,LA,RL//OPEN", "V1//OPEN"}));
  EXPECT_EQ(journal->runs[1].combineResults, cls::ClassBF);

  journal->runs.clear();
  auto aami =
      autorun(device({module("A", 1, 1, cls::ClassNI), module("D", 2, 2, cls::ClassI)}, AAMI));
  RunOverModules(*aami, governed(1110, vti::etcPatLeak));
  EXPECT_EQ(journal->parts(), (Strings{"RA//OPEN", "LL,LA//OPEN"}));
  EXPECT_EQ(journal->runs[1].combineResults, cls::ClassI);
}

TEST_F(ModuleExpansion, ModuleByModuleRunsNeverCombineResults) {
  auto cas = autorun(device({module("ECG", 3, 1, cls::ClassB)}));
  cas->UseSeperateModules_let(true);
  RunOverModules(*cas, governed(1110, vti::etcPatLeak));

  ASSERT_EQ(journal->parts(), (Strings{"RA,LL,LA//OPEN"}));
  EXPECT_EQ(journal->runs[0].combineResults, 0);
}

TEST_F(ModuleExpansion, EquipmentTestsNameAllLeadsOnlyForTheWholeDevice) {
  auto first = module("ECG", 2, 1, cls::ClassB);
  auto modules = device({first, module("Probe", 1, 3, cls::ClassCF)});
  auto cas = autorun(modules);
  RunOverModules(*cas, test(600, vti::etcAltEquip));
  cas->UpdateModuleSelection(device({first}));
  RunOverModules(*cas, test(600, vti::etcDELeak, vti::epcNC));

  EXPECT_EQ(journal->parts(), (Strings{"ALL//OPEN", "RA,LL//OPEN"}));
}

TEST_F(ModuleExpansion, DifferentialLeakageAlwaysGroundsAndNeedsNoModules) {
  auto cas = autorun(device({}));
  RunOverModules(*cas, test(610, vti::etcDiffLeak, vti::epcNC));

  EXPECT_EQ(journal->parts(), (Strings{"//GND"}));
}

TEST_F(ModuleExpansion, AppliedPartTestsRunNothingWithoutSelectedModules) {
  auto cas = autorun(device({}));
  for (auto code :
       {vti::etcIRAppl, vti::etcPatLeak, vti::etcPatAux, vti::etcAltEquip, vti::etcMAP}) {
    RunOverModules(*cas, test(1110, code, code == vti::etcIRAppl ? vti::epcOff : vti::epcNC, true));
  }
  RunOverModules(*cas, test(200, vti::etcProtEarth));

  EXPECT_EQ(journal->parts(), (Strings{"//OPEN"}));
}

TEST_F(ModuleExpansion, PatientAuxiliaryCurrentOfOneModuleMeasuresEachLeadOnceAgainstTheOthers) {
  auto cas = autorun(device({module("ECG", 3, 1, cls::ClassBF)}));
  RunOverModules(*cas, governed(1310, vti::etcPatAux));
  EXPECT_EQ(journal->parts(), (Strings{"RA/LL,LA/", "LL/RA,LA/", "LA/RA,LL/"}));
  EXPECT_EQ(journal->leads(), (Ids{1, 2, 3}));

  journal->runs.clear();
  auto pair = autorun(device({module("ECG", 2, 2, cls::ClassBF)}));
  RunOverModules(*pair, governed(1310, vti::etcPatAux));
  EXPECT_EQ(journal->parts(), (Strings{"LL/LA/"}));
}

TEST_F(ModuleExpansion, PatientAuxiliaryCurrentOfSeveralModulesMeasuresEachLeadOpenThenGrounded) {
  // Setup order CF, BF: the measurements follow the classes, BF first.
  auto cas =
      autorun(device({module("Cath", 3, 1, cls::ClassCF), module("ECG", 2, 4, cls::ClassBF)}));
  RunOverModules(*cas, governed(1310, vti::etcPatAux));

  EXPECT_EQ(journal->parts(),
            (Strings{"RL/V1/OPEN", "RL/V1/GND", "RA/LL,LA/OPEN", "RA/LL,LA/GND", "LL/RA,LA/OPEN",
                     "LL/RA,LA/GND", "LA/RA,LL/OPEN", "LA/RA,LL/GND"}));
  EXPECT_EQ(journal->leads(), (Ids{4, 4, 1, 1, 2, 2, 3, 3}));
  std::vector<int32_t> numbers;
  for (const auto& run : journal->runs) numbers.push_back(run.moduleNumber);
  EXPECT_EQ(numbers, (Ids{1, 1, 2, 2, 2, 2, 2, 2}));
}

TEST_F(ModuleExpansion, PatientAuxiliaryCurrentModuleByModuleTakesTheFirstSelectedModule) {
  auto ecg = module("ECG", 3, 1, cls::ClassBF);
  auto cas = autorun(device({ecg, module("Belt", 1, 4, cls::ClassB)}));
  auto leaf = governed(1310, vti::etcPatAux);
  owner->config().Modules_get()->TestSeparately_let(true);
  cas->UpdateModuleSelection(device({ecg}));
  RunOverModules(*cas, leaf);

  EXPECT_EQ(journal->parts(), (Strings{"RA/LL,LA/OPEN", "RA/LL,LA/GND", "LL/RA,LA/OPEN",
                                       "LL/RA,LA/GND", "LA/RA,LL/OPEN", "LA/RA,LL/GND"}));
}

class TestConditions : public ModuleExpansion {
 protected:
  int32_t count(int32_t testId, int32_t plConfiguration = vti::eepl_Worst) {
    auto leaf = governed(testId, vti::etcPatLeak, plConfiguration);
    return plugin::MModuleExpansion::CountTestConditions(leaf);
  }
};

TEST_F(TestConditions, AreNoneWithoutAnOpenGuide) { EXPECT_EQ(count(1110), 0); }

TEST_F(TestConditions, ClassTestsCountOnlyIsolatedModulesAndTheirLeadsInAllLeadsMode) {
  openGuide(device({module("Belt", 1, 1, cls::ClassB), module("ECG", 3, 2, cls::ClassBF)}));
  EXPECT_EQ(count(1210), 1);
  EXPECT_EQ(count(1210, vti::eepl_All), 1 + 3);
  EXPECT_EQ(count(830, vti::eepl_All), 1);  // always worst case
}

TEST_F(TestConditions, EveryModuleTestsCountGroupMembers) {
  auto modules = device({module("Belt", 1, 1, cls::ClassB)});
  addGroup(*modules, {module("ECG a", 3, 2, cls::ClassBF), module("ECG b", 3, 2, cls::ClassBF)}, 2);
  openGuide(modules);
  EXPECT_EQ(count(1110), 1 + 2);
  EXPECT_EQ(count(1110, vti::eepl_All), 1 + 2 + 3 * 2);
  EXPECT_EQ(count(850, vti::eepl_All), 3);
}

TEST_F(TestConditions, LeadAgainstLeadTestsCountByLeadsAndDeviceSize) {
  openGuide(device({module("ECG", 2, 1, cls::ClassBF)}));
  EXPECT_EQ(count(1310, vti::eepl_All), 1 + 1);
  openGuide(device({module("ECG", 3, 1, cls::ClassBF), module("Belt", 1, 4, cls::ClassB)}));
  EXPECT_EQ(count(1310), 1);
  EXPECT_EQ(count(1310, vti::eepl_All), 1 + 6);
}

TEST_F(TestConditions, FilteredModulesAndOtherTestsCountNothing) {
  openGuide(device({module("ECG", 3, 1, cls::ClassBF), module("Probe", 1, 4, cls::ClassCF)}));
  auto leaf = governed(1210, vti::etcPatLeak);
  owner->config().Modules_get()->Filter_get()->Add("Name", "Probe", 0);
  EXPECT_EQ(plugin::MModuleExpansion::CountTestConditions(leaf), 1);
  EXPECT_EQ(count(400), 0);
}

}  // namespace
}  // namespace guide_test
