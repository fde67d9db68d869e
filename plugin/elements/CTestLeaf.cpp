#include "plugin/elements/CTestLeaf.h"

#include "driver/CTrxSafetyTest.h"
#include "host_api/IMeasurement.h"
#include "host_api/ITestRun.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/elements/MElementPerform.h"
#include "plugin/guide/ITestGuide.h"
#include "plugin/results/CResultData.h"

namespace plugin {

namespace {

constexpr const char* SafetyTestTag = "TRX440Test";
// The element that may hold every test of the plug-in: the whole safety test sequence.
constexpr int32_t SequenceTestID = 100;

}  // namespace

CTestLeaf::CTestLeaf(std::shared_ptr<host_api::IElementCore> core)
    : CTestElement(std::move(core)), m_safetyTest(std::make_shared<vti::CTrxSafetyTest>()) {}

CTestLeaf::~CTestLeaf() = default;

std::shared_ptr<CResultData> CTestLeaf::RunResult() { return ensureResult<CResultData>(); }

void CTestLeaf::Perform(host_api::ITestRun& testRun) {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (!testRun.MayPerform(*this)) return;
    RunResult();
    const bool opened = MGlobalTestGuide::OpenTestGuide(self(), &testRun);
    MElementPerform::ClosingGuide closing(opened);
    auto guide = MGlobalTestGuide::CurrentTestGuide();
    if (!guide) return;
    const int32_t status = MElementPerform::AskGuide(*guide, self(), testRun);
    settle(*guide, testRun, status);
    afterGuide(*guide);
  });
}

void CTestLeaf::settle(ITestGuide& guide, host_api::ITestRun& testRun, int32_t status) {
  if (status == GuideResult::Aborted || status == GuideResult::Skipped) {
    // An aborted run keeps the readings it took: they were measured and judged, and the
    // template must hold them. A skipped element, or one aborted before it read anything, has
    // no result.
    auto result = std::dynamic_pointer_cast<CResultData>(core().Result_get());
    const bool keep =
        status == GuideResult::Aborted && result && result->MeasurementCount_get() > 0;
    if (!keep) ResetResult(ResetRemove);
  } else if (status == GuideResult::NotPerformed) {
    ResetResult(ResetNoVerdict);
  } else {
    if (status == GuideResult::RunChildren) testRun.Status_let(0);
    return;
  }
  guide.AddResult(self());
  testRun.ElementPerformed(*this);
}

bool CTestLeaf::QuerySetParent(const host_api::ITestElement& parent) const {
  return MErrorConvention::Guarded(source(), {}, [&] {
    if (parent.PlugInID_get() != PlugInId) return true;
    // The sequence is named by its test id; an instance id of 100 has always been accepted
    // too, and templates may rely on it.
    if (parent.TestID_get() == SequenceTestID || parent.ID_get() == SequenceTestID) return true;
    return parent.TestID_get() / 100 == TestID_get() / 100;
  });
}

std::shared_ptr<host_api::IResultData> CTestLeaf::newResult() const {
  auto result = std::make_shared<CResultData>();
  result->ResultUnit_let(Unit_get());
  result->DetailFlag_let(m_resultKind == 0 ? 0 : 1);
  return result;
}

void CTestLeaf::ResetResult(int32_t option) {
  MErrorConvention::Guarded(source(), {}, [&] {
    if (option == ResetRemove) {
      core().Result_set(nullptr);
      return;
    }
    auto result = ensureResult<CResultData>();
    result->Clear();
    if (option == ResetNoVerdict) result->Status_let(host_api::ResultStatus::NoVerdict);
  });
}

void CTestLeaf::ResetLimits() {
  MErrorConvention::Guarded(source(), {}, [&] {
    auto limits = core().Limits_get();
    auto standards = limits ? limits->Standards_get() : nullptr;
    if (standards) standards->Clear();
  });
}

void CTestLeaf::copyLeafFrom(const CTestLeaf& other) {
  m_resultKind = other.m_resultKind;
  const auto code = other.m_safetyTest->TestCode_get();
  const auto power = other.m_safetyTest->PowerConfig_get();
  // A test the catalogue never named has nothing to copy (the driver refuses code 0).
  if (vti::CTrxSafetyTest::LeadNoOf(code, power)) m_safetyTest->Initialize(code, power);
}

void CTestLeaf::saveDefinition(host_api::IXmlElement& autoTest,
                               host_api::IXmlElement& stored) const {
  MXmlUtils::WriteInteger(autoTest, "ResultKind", m_resultKind);
  if (!vti::CTrxSafetyTest::LeadNoOf(m_safetyTest->TestCode_get(),
                                     m_safetyTest->PowerConfig_get())) {
    return;  // no instrument test named yet: nothing the driver could read back
  }
  if (auto document = stored.ownerDocument()) stored.appendChild(m_safetyTest->Save(*document));
}

void CTestLeaf::loadDefinition(const host_api::IXmlElement* autoTest,
                               const host_api::IXmlElement& stored) {
  if (autoTest) m_resultKind = MXmlUtils::ReadInteger(*autoTest, "ResultKind", 1);
  if (auto safetyTest = stored.findChild(SafetyTestTag)) m_safetyTest->Load(*safetyTest);
}

void CTestLeaf::describeProperties(CPropertyTable& table) {
  CTestElement::describeProperties(table);
  const auto none = CPropertyTable::NoMinimum;
  const auto any = CPropertyTable::NoMaximum;
  table.AddInteger(
      "TestCode", none, any, [this] { return static_cast<int32_t>(m_safetyTest->TestCode_get()); },
      nullptr);
  table.AddInteger(
      "PowerConfiguration", none, any,
      [this] { return static_cast<int32_t>(m_safetyTest->PowerConfig_get()); }, nullptr);
}

}  // namespace plugin
