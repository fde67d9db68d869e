// A template's elements written through the host XML service and read back: the tree, its
// configurations, limits and results must come back as they were, and saving again must write
// the same document.
#include <gtest/gtest.h>

#include <sstream>

#include "ElementsTestSupport.h"
#include "host/HostLoadLog.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/results/CResultTestGroup.h"
#include "support/ExpectError.h"

namespace {

using namespace plugin;
using elements_test::ElementsTest;

class ElementPersistenceTest : public ElementsTest {
 protected:
  // A sequence holding a resistance test, a multi test and a nested group with a member.
  std::shared_ptr<CTestGroup> sequence() {
    auto top = group(100);
    auto topConfig = std::dynamic_pointer_cast<CConfigTestGroup>(top->Configuration_get());
    topConfig->Test_get()->MeasType_let(2);
    topConfig->ValueFilter_let(CConfigTestGroup::ValueFilterMin);
    top->LimitData()->CreateStandard(IEC62353, "CF");

    auto resistanceConfig = std::make_shared<CConfigResistance>();
    resistanceConfig->Test_get()->MeasType_let(1);
    auto earth = std::dynamic_pointer_cast<CTestSingle>(
        single(700, resistanceConfig)->Clone());  // editable limits, as in a template
    earth->LimitData()->CreateStandard(IEC60601, "ST");
    earth->ResetResult(0);
    std::dynamic_pointer_cast<CResultData>(earth->Result_get())
        ->AddMeasurement(resultWith(1)->Item(1));

    auto leakage = multi(1010, std::make_shared<CConfigTestGroup>());
    leakage->LimitData()->CreateStandard(IEC60601, "BF");
    leakage->ResultKind_let(0);
    leakage->ResetResult(1);

    auto nested = group(1000);
    nested->ResetResult(1);
    nested->Result_get()->Comment_let("checked by hand");
    auto member = single(1020, nullptr, vti::etcEnclLeak, vti::epcNCRM);
    member->ResetResult(0);
    std::dynamic_pointer_cast<CResultData>(member->Result_get())->Comment_let("member");
    nested->Add(member);

    top->Add(earth);
    top->Add(leakage);
    top->Add(nested);
    return top;
  }

  // What a user and a run see of an element tree, one line per element.
  static std::string describe(host_api::ITestElement& element, int depth = 0) {
    std::ostringstream out;
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << element.TestID_get() << "/"
        << element.ID_get() << " " << element.Info_get()->Name_get();
    auto parent = element.Parent_get();
    out << " parent=" << (parent ? parent->TestID_get() : -1);
    auto* autoTest = dynamic_cast<IAutoTest*>(&element);
    out << " unit=" << autoTest->Unit_get() << " flags=" << autoTest->RequireModules_get()
        << autoTest->HasDCLimits_get() << autoTest->HasTotalLimits_get()
        << autoTest->RequireLeadUsage_get();
    if (auto test = autoTest->SafetyTest_get()) {
      out << " test=" << test->TestCode_get() << "/" << test->PowerConfig_get();
    }
    out << " config=" << configOf(element) << " standards=" << standardsOf(element);
    if (auto result = element.Result_get()) {
      out << " result=" << result->MeasurementCount_get() << "/" << result->Status_get() << "/"
          << result->Comment_get();
      if (auto data = std::dynamic_pointer_cast<CResultData>(result)) {
        out << "/" << data->DetailFlag_get() << data->ResultUnit_get();
      }
    }
    out << "\n";
    if (auto container = dynamic_cast<host_api::ITestContainer*>(&element)) {
      for (const auto& child : container->NewEnum()) out << describe(*child, depth + 1);
    }
    return out.str();
  }

  static std::string configOf(const host_api::ITestElement& element) {
    auto config = element.Configuration_get();
    if (auto g = std::dynamic_pointer_cast<CConfigTestGroup>(config)) {
      return "group(" + std::to_string(g->Test_get()->MeasType_get()) + "," +
             std::to_string(g->ValueFilter_get()) +
             ",owned=" + std::to_string(g->Owner_get().get() == &element) + ")";
    }
    if (auto r = std::dynamic_pointer_cast<CConfigResistance>(config)) {
      return "resistance(" + std::to_string(r->Test_get()->MeasType_get()) +
             ",owned=" + std::to_string(r->Owner_get().get() == &element) + ")";
    }
    return config ? "other" : "none";
  }

  std::shared_ptr<host_api::IXmlDocument> saved(const host_api::ITestElement& element) {
    auto document = host_api::hostServices().xml->createDocument();
    document->setDocumentElement(document->createElement("Template"));
    element.Save(*document->documentElement());
    return document;
  }

  // `element` saved to a file and read back into a group made as the host makes one.
  std::shared_ptr<CTestGroup> roundTrip(const host_api::ITestElement& element) {
    const auto path = dir / "template.xml";
    saved(element)->save(path);
    auto document = host_api::hostServices().xml->loadDocument(path);
    auto loaded =
        std::dynamic_pointer_cast<CTestGroup>(std::dynamic_pointer_cast<host_api::ITestElement>(
            platform::components::components().create("orvelTRX440.CTestGroup")));
    loaded->Load(*document->documentElement()->findChild("TestElement"), &log);
    return loaded;
  }

  host::HostLoadLog log;
};

TEST_F(ElementPersistenceTest, AGroupTreeReadBackIsTheSameTreeAndSavesTheSameDocument) {
  auto original = sequence();
  auto loaded = roundTrip(*original);
  EXPECT_EQ(describe(*loaded), describe(*original));
  EXPECT_EQ(saved(*loaded)->toString(), saved(*original)->toString());
  EXPECT_TRUE(log.empty()) << log.text();

  // The children were made by their ProgIDs, and the group is their parent.
  ASSERT_EQ(loaded->Count(), 3);
  EXPECT_TRUE(std::dynamic_pointer_cast<CTestSingle>(loaded->Item(1)));
  EXPECT_TRUE(std::dynamic_pointer_cast<CTestMulti>(loaded->Item(2)));
  auto nested = std::dynamic_pointer_cast<CTestGroup>(loaded->Item(3));
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->Parent_get(), loaded);
  EXPECT_EQ(nested->Item(1)->Parent_get(), nested);
  EXPECT_TRUE(std::dynamic_pointer_cast<CResultTestGroup>(nested->Result_get()));
  // Limits read back belong to the element and may be edited, as a template's do.
  auto limits = std::dynamic_pointer_cast<CTestSingle>(loaded->Item(1))->LimitData();
  EXPECT_EQ(limits->Owner_get(), loaded->Item(1));
  EXPECT_TRUE(limits->HasEditableLimits());
}

TEST_F(ElementPersistenceTest, AStoredResultAloneReplacesTheResultWithNewResultData) {
  auto element = CTestSingle::Create();
  element->Initialize(400, 400, nullptr);
  element->Unit_let("mA");
  element->ResetResult(CTestElement::ResetNoVerdict);
  element->Result_get()->Comment_let("earlier run");
  auto document = saved(*element);
  auto stored = resultWith(2)->Save(*document->documentElement());
  element->Load(*stored, nullptr);
  auto result = std::dynamic_pointer_cast<CResultData>(element->Result_get());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->MeasurementCount_get(), 2);
  EXPECT_EQ(result->ResultUnit_get(), "mA");
  EXPECT_EQ(result->Comment_get(), "");  // nothing of the earlier result is left
}

TEST_F(ElementPersistenceTest, OnlyTestElementsAndResultsCanBeLoaded) {
  auto document = host_api::hostServices().xml->loadDocumentFromString(
      "<Result><TestElement PlugIn=\"OTHER\" TestID=\"5\"/></Result>");
  const auto root = document->documentElement();
  const auto& stored = *root;
  for (std::shared_ptr<CTestElement> element :
       {std::shared_ptr<CTestElement>(single(300)), std::shared_ptr<CTestElement>(multi(1010)),
        std::shared_ptr<CTestElement>(group(1000))}) {
    EXPECT_EQ(expectComError([&] { element->Load(stored, nullptr); }).number(),
              MPlugInErrors::errElementLoad);
    // Another plug-in's element keeps the host's own error.
    EXPECT_EQ(expectComError([&] { element->Load(*stored.child(0), nullptr); }).number(),
              host_api::ElementError::OtherPlugIn);
  }
}

}  // namespace
