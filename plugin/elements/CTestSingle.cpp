#include "plugin/elements/CTestSingle.h"

#include "host_api/HostServices.h"
#include "host_api/ITestInformation.h"
#include "plugin/core/MErrorConvention.h"

namespace plugin {

namespace {
constexpr const char* SingleTestKey = "::ST";
}  // namespace

CTestSingle::CTestSingle() : CTestLeaf(host_api::hostServices().classes.newElementCore()) {}

std::shared_ptr<CTestSingle> CTestSingle::Create() {
  return MErrorConvention::Guarded(MErrorConvention::ProgID(ClassName), {},
                                   [] { return std::shared_ptr<CTestSingle>(new CTestSingle()); });
}

std::shared_ptr<host_api::ITestElement> CTestSingle::Clone() const {
  return cloneAs<CTestSingle>();
}

std::vector<std::string> CTestSingle::GetMeasurementList() const {
  return MErrorConvention::Guarded(source(), {}, [&] {
    auto info = Info_get();
    return std::vector<std::string>{SingleTestKey, info ? info->Name_get() : std::string()};
  });
}

}  // namespace plugin
