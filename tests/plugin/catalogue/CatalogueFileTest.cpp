#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ShippedCatalogue.h"
#include "driver/CTrxSafetyTest.h"
#include "driver/TrxTypes.h"
#include "host/HostLoadLog.h"
#include "host/HostStandards.h"
#include "host/MessageCatalog.h"
#include "platform/MessageText.h"
#include "plugin/limits/MTestLimits.h"
#include "support/TestFiles.h"
#include "support/TestHost.h"

using namespace vti;
using catalogue_test::attribute;
using catalogue_test::Entry;
using catalogue_test::Node;

namespace {

class CatalogueFileTest : public ::testing::Test {
 protected:
  testing_host::TestHost host;
  catalogue_test::ShippedCatalogue catalogue;

  // The element's limits as the host reads them; the load log must stay empty.
  host::HostStandards standardsOf(const Entry& entry) {
    host::HostStandards standards;
    host::HostLoadLog log;
    standards.Load(*entry.child("ExpectedResult"), &log);
    EXPECT_TRUE(log.empty()) << entry.id << ": " << log.text();
    return standards;
  }
};

// Every key the element can be asked for, whatever measurement type its configuration sets.
std::set<std::string> possibleKeys(const Entry& entry) {
  std::set<std::string> keys;
  for (int32_t measType : {0, 1, 2}) {
    plugin::MTestLimits::KeyRuleInput input;
    input.testId = entry.id;
    input.singleTest = entry.isSingle();
    input.requireModules = entry.required("Module");
    input.hasTotalLimits = entry.required("TotalLimit");
    input.measType = measType;
    input.nomenclature = enomIEC;
    for (const auto& key : plugin::MTestLimits::ApplicableKeys(input)) keys.insert(key.key);
  }
  return keys;
}

std::map<std::string, std::optional<float>> highLimits(const host_api::ILimitStandard& standard) {
  std::map<std::string, std::optional<float>> highs;
  auto limits = standard.Limits_get();
  for (int32_t i = 1; i <= limits->Count(); ++i)
    highs[limits->Item(i)->Key_get()] = limits->Item(i)->High_get();
  return highs;
}

// `strict` never allows more than `lax` where both are set.
bool notLaxer(const std::map<std::string, std::optional<float>>& highs, const std::string& strict,
              const std::string& lax) {
  auto a = highs.find(strict);
  auto b = highs.find(lax);
  if (a == highs.end() || b == highs.end() || !a->second || !b->second) return true;
  return *a->second <= *b->second;
}

struct FixedGroup {
  int32_t id;
  const char* className;
  ETrxTestCode code;
  std::vector<ETrxPowerConfiguration> configurations;  // of the members id + 1, id + 2, ...
};

constexpr const char* kGroup = "orvelTRX440.CTestGroup";
constexpr const char* kSingle = "orvelTRX440.CTestSingle";
constexpr const char* kMulti = "orvelTRX440.CTestMulti";
const std::vector<ETrxPowerConfiguration> kSix{epcNC, epcNCRM, epcON, epcONRM, epcOE, epcOERM};

// Templates and scripts refer to these ids: their tests must never change.
const std::vector<FixedGroup> kFixedGroups{
    {200, kSingle, etcMains, {epcMainsL1L2, epcMainsL1Gnd, epcMainsL2Gnd}},
    {900, kSingle, etcEarthLeak, {epcNC, epcNCRM, epcON, epcONRM}},
    {1000, kSingle, etcEnclLeak, kSix},
    {1100, kMulti, etcPatLeak, kSix},
    {1200, kMulti, etcMAP, {epcNC, epcNCRM}},
    {1300, kMulti, etcPatAux, kSix},
    {1400, kMulti, etcDAPLeak, {epcNC, epcNCRM}},
    {1500, kSingle, etcAltEquip, {epcOff}},
    {1600, kSingle, etcDiffLeak, {epcNC, epcNCRM}},
    {1700, kSingle, etcDELeak, {epcNC, epcNCRM, epcOE, epcOERM}},
    {1800, kMulti, etcAltAppl, {epcOff}},
};

struct FixedTest {
  int32_t id;
  int32_t parentId;
  const char* className;
  ETrxTestCode code;
  ETrxPowerConfiguration configuration;
};

const std::vector<FixedTest> kFixedTests{
    {300, 100, kSingle, etcProtEarth, epcOff}, {400, 100, kSingle, etcEquipCurr, epcNC},
    {500, 100, kSingle, etcPPVolt, epcOff},    {600, 100, kSingle, etcPPRes, epcOff},
    {700, 100, kSingle, etcPPLeak, epcOff},    {810, 800, kSingle, etcIRMains, epcOff},
    {820, 800, kMulti, etcIRAppl, epcOff},     {830, 800, kMulti, etcIRMap, epcOff},
    {840, 800, kSingle, etcIRM2N, epcOff},     {850, 800, kMulti, etcIRAppl2N, epcOff},
    {1900, 0, kSingle, etcECGTest, epcNC},
};

void expectTest(const catalogue_test::ShippedCatalogue& catalogue, const FixedTest& fixed) {
  const Entry* entry = catalogue.find(fixed.id);
  ASSERT_NE(entry, nullptr) << fixed.id;
  EXPECT_EQ(entry->className, fixed.className) << fixed.id;
  EXPECT_EQ(entry->parentId, fixed.parentId) << fixed.id;
  Node test = entry->child("TRX440Test");
  ASSERT_NE(test, nullptr) << fixed.id;
  EXPECT_EQ(attribute(*test, "ID"), std::to_string(fixed.code)) << fixed.id;
  EXPECT_EQ(attribute(*test, "PC"), std::to_string(fixed.configuration)) << fixed.id;
}

}  // namespace

TEST_F(CatalogueFileTest, TheCopyBesideThePlugInLibraryIsTheOneInTheSourceTree) {
  // Compared as a whole: a diff of the file would drown the message.
  EXPECT_TRUE(readFile(catalogue_test::shippedPath()) ==
              readFile(catalogue_test::sourcePath("resources/orvelTRX440.mpc")))
      << catalogue_test::shippedPath() << " is stale";
}

TEST_F(CatalogueFileTest, EveryElementHasAKnownClassAUniqueIdAndChildrenOnlyInGroups) {
  ASSERT_FALSE(catalogue.entries().empty());
  std::set<int32_t> ids;
  for (const Entry& entry : catalogue.entries()) {
    EXPECT_TRUE(entry.isGroup() || entry.isSingle() || entry.isMulti()) << entry.className;
    EXPECT_GT(entry.id, 0) << "\"" << attribute(*entry.node, "ID") << "\"";
    EXPECT_TRUE(ids.insert(entry.id).second) << entry.id << " is used twice";
    EXPECT_FALSE(entry.text("Name").empty()) << entry.id;
    const Entry* parent = entry.parentId ? catalogue.find(entry.parentId) : nullptr;
    if (parent) {
      EXPECT_TRUE(parent->isGroup()) << entry.id << " lies in a test";
    }
    // A test runs exactly one instrument test; a group runs none of its own.
    EXPECT_EQ(entry.child("TRX440Test") == nullptr, entry.isGroup()) << entry.id;
    // "true" or "yes" would read as false without a word: only the exact words are used.
    for (const char* flag : {"Module", "DCLimit", "TotalLimit"}) {
      if (Node node = entry.child(flag)) {
        std::string value = attribute(*node, "Required");
        EXPECT_TRUE(value == "True" || value == "False") << entry.id << " " << flag << "=" << value;
      }
    }
    // Only a multi test is measured per module: its limits are by applied-part class.
    if (!entry.isGroup()) {
      EXPECT_EQ(entry.required("Module"), entry.isMulti()) << entry.id;
    }
  }
}

TEST_F(CatalogueFileTest, TheFixedIdsKeepTheirTestsAndTheCompleteSafetyTestHoldsThemAll) {
  const Entry* complete = catalogue.find(100);
  ASSERT_NE(complete, nullptr);
  EXPECT_TRUE(complete->isGroup());
  EXPECT_EQ(complete->parentId, 0);
  for (const FixedTest& fixed : kFixedTests) expectTest(catalogue, fixed);
  const Entry* insulation = catalogue.find(800);
  ASSERT_NE(insulation, nullptr);
  EXPECT_EQ(insulation->parentId, 100);
  for (const FixedGroup& group : kFixedGroups) {
    const Entry* entry = catalogue.find(group.id);
    ASSERT_NE(entry, nullptr) << group.id;
    EXPECT_TRUE(entry->isGroup()) << group.id;
    EXPECT_EQ(entry->parentId, 100) << group.id;
    int32_t member = group.id;
    for (ETrxPowerConfiguration configuration : group.configurations) {
      expectTest(catalogue, {++member, group.id, group.className, group.code, configuration});
    }
  }
}

TEST_F(CatalogueFileTest, EveryInstrumentTestIsOneTheDriverRunsAndReadsInTheElementsUnit) {
  for (const Entry& entry : catalogue.entries()) {
    Node node = entry.child("TRX440Test");
    if (!node) continue;
    CTrxSafetyTest test;
    ASSERT_NO_THROW(test.Load(*node)) << entry.id;
    EXPECT_EQ(std::to_string(test.TestCode_get()), attribute(*node, "ID")) << entry.id;
    EXPECT_EQ(std::to_string(test.PowerConfig_get()), attribute(*node, "PC")) << entry.id;
    // Limits are written in the element's unit; the reading comes in the driver's.
    if (test.TestCode_get() != etcECGTest) {
      EXPECT_EQ(entry.text("Unit"), test.Unit_get()) << entry.id;
    }
  }
}

TEST_F(CatalogueFileTest, EveryLimitStandardLoadsIntoTheHostWithAllTheKeysOfItsElement) {
  const std::set<int32_t> knownStandards{1, 2, 4, 5, 6, 7, 8};
  std::set<int32_t> testsWithoutLimits;
  for (const Entry& entry : catalogue.entries()) {
    if (!entry.child("ExpectedResult")) {
      if (!entry.isGroup()) testsWithoutLimits.insert(entry.id);
      continue;
    }
    host::HostStandards standards = standardsOf(entry);
    ASSERT_GT(standards.Count(), 0) << entry.id;
    const std::set<std::string> expected = possibleKeys(entry);
    for (int32_t s = 1; s <= standards.Count(); ++s) {
      auto standard = standards.Item(s);
      const std::string where = std::to_string(entry.id) + " " + standard->Name_get();
      EXPECT_TRUE(knownStandards.count(standard->StandardID_get())) << where;
      EXPECT_TRUE(standard->ClassName_get() == "I" || standard->ClassName_get() == "II") << where;
      std::multiset<std::string> keys;
      auto limits = standard->Limits_get();
      for (int32_t i = 1; i <= limits->Count(); ++i) {
        keys.insert(limits->Item(i)->Key_get());
        EXPECT_EQ(limits->Item(i)->Unit_get(), entry.text("Unit")) << where;
      }
      EXPECT_EQ(keys, std::multiset<std::string>(expected.begin(), expected.end())) << where;
    }
  }
  // No standard judges the supply, the equipment current, the operator's point-to-point
  // measurements or the ECG simulation.
  EXPECT_EQ(testsWithoutLimits, (std::set<int32_t>{201, 202, 203, 400, 500, 600, 700, 1900}));
}

// A device of protection class II has no protective earth: no limit may assume one.
TEST_F(CatalogueFileTest, ClassTwoLimitsNeverJudgeAProtectiveEarth) {
  for (const Entry& entry : catalogue.entries()) {
    if (!entry.child("ExpectedResult")) continue;
    Node test = entry.child("TRX440Test");
    const std::string code = attribute(*test, "ID");
    const std::string configuration = attribute(*test, "PC");
    const bool needsEarth =
        code == std::to_string(etcProtEarth) || code == std::to_string(etcEarthLeak) ||
        code == std::to_string(etcIRMains) || configuration == std::to_string(epcOE) ||
        configuration == std::to_string(epcOERM);
    if (!needsEarth) continue;
    host::HostStandards standards = standardsOf(entry);
    for (int32_t s = 1; s <= standards.Count(); ++s) {
      EXPECT_EQ(standards.Item(s)->ClassName_get(), "I") << entry.id;
    }
  }
}

// Each value can be traced to its source, an unconfirmed one is never given a value, and
// insulation (good when high) is the only quantity judged against a minimum.
TEST_F(CatalogueFileTest, EveryLimitValueIsTraceableAndPointsTheRightWay) {
  size_t checked = 0;
  for (const Entry& entry : catalogue.entries()) {
    Node expected = entry.child("ExpectedResult");
    for (const Node& standard : expected ? expected->children() : std::vector<Node>{}) {
      for (const Node& limit : standard->children()) {
        ++checked;
        const std::string where = std::to_string(entry.id) + " standard " +
                                  attribute(*standard, "ID") + " " + attribute(*standard, "Class") +
                                  " " + attribute(*limit, "Key");
        const std::string status = attribute(*limit, "Status");
        const std::string high = attribute(*limit, "High");
        const std::string low = attribute(*limit, "Low");
        const bool insulation = attribute(*limit, "Unit") == "MOhm";
        EXPECT_FALSE(attribute(*limit, "Source").empty()) << where;
        if (status == "C" || status == "M") {
          EXPECT_FALSE((insulation ? low : high).empty()) << where << " has no value";
        } else {
          EXPECT_TRUE(status == "U" || status == "NA") << where << " Status=" << status;
          EXPECT_TRUE(high.empty() && low.empty()) << where << " is unconfirmed but has a value";
        }
        EXPECT_TRUE((insulation ? high : low).empty()) << where << " points the wrong way";
      }
    }
  }
  EXPECT_EQ(checked, catalogue.nodesNamed("Limit").size());
}

// A reading of AC and DC together never gets more room than either of its parts, and a
// cardiac-floating part never more than a body part.
TEST_F(CatalogueFileTest, CombinedReadingsAndCardiacPartsGetTheStricterLimit) {
  for (const Entry& entry : catalogue.entries()) {
    if (!entry.child("ExpectedResult")) continue;
    host::HostStandards standards = standardsOf(entry);
    for (int32_t s = 1; s <= standards.Count(); ++s) {
      const auto highs = highLimits(*standards.Item(s));
      const std::string where = std::to_string(entry.id) + " " + standards.Item(s)->Name_get();
      for (const char* code : {"::ST", "::B", "::BF", "::CF"}) {
        EXPECT_TRUE(notLaxer(highs, std::string(code), std::string(code) + "_AC")) << where;
        EXPECT_TRUE(notLaxer(highs, std::string(code), std::string(code) + "_DC")) << where;
      }
      for (const char* suffix : {"", "_AC", "_DC", "_TOT", "_ACTOT", "_DCTOT"}) {
        EXPECT_TRUE(notLaxer(highs, std::string("::CF") + suffix, std::string("::BF") + suffix))
            << where;
        EXPECT_TRUE(notLaxer(highs, std::string("::CF") + suffix, std::string("::B") + suffix))
            << where;
      }
    }
  }
}

// Texts are message texts of the catalogue's own range, one text per id; a German operator
// sees types, conditions and names in German, while units stay as the limits carry them.
TEST_F(CatalogueFileTest, TextsAreMessageTextsTranslatedExceptTheUnits) {
  const auto german =
      host::MessageCatalog::load(catalogue_test::sourcePath("resources/lang/de.txt"));
  std::map<std::string, std::string> textOf;
  for (const char* name : {"Type", "Parameter", "Name", "Description", "Unit"}) {
    for (const Node& node : catalogue.nodesNamed(name)) {
      const std::string lid = attribute(*node, "LID");
      auto message = platform::MessageText::parse(lid);
      ASSERT_TRUE(message.id.has_value()) << name << " " << lid;
      const int id = std::stoi(*message.id);
      EXPECT_TRUE(id >= 23000 && id <= 23999) << lid;
      EXPECT_FALSE(message.text.empty()) << lid;
      auto [it, added] = textOf.emplace(*message.id, message.text);
      EXPECT_EQ(it->second, message.text) << "two texts for " << *message.id;
      const bool translated = german.find("TRX440", *message.id).has_value();
      if (std::string(name) == "Unit") {
        EXPECT_FALSE(translated) << lid;
      } else if (std::string(name) != "Description") {
        EXPECT_TRUE(translated) << lid;
      }
    }
  }
}
