#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host_api/ILimitData.h"
#include "host_api/ITestElement.h"

namespace testing_host {

// A test element that holds nothing and does nothing. A test's stand-in derives from it and
// overrides only what the code under test asks of an element.
class InertTestElement : public host_api::ITestElement {
 public:
  std::string PlugInID_get() const override { return "TRX440"; }
  int32_t TestID_get() const override { return 0; }
  int32_t ID_get() const override { return 0; }
  void ID_let(int32_t) override {}
  std::shared_ptr<ITestElement> Parent_get() const override { return nullptr; }
  void Parent_set(const std::shared_ptr<ITestElement>&) override {}
  std::shared_ptr<host_api::ITestInformation> Info_get() const override { return nullptr; }
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override { return nullptr; }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return nullptr; }
  std::shared_ptr<host_api::ILimitData> Limits_get() override { return nullptr; }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override { return nullptr; }
  void Initialize() override {}
  std::shared_ptr<ITestElement> Clone() const override { return nullptr; }
  void Perform(host_api::ITestRun&) override {}
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    return nullptr;
  }
  void PrintReport(host_api::IReport*, host_api::ITestRun*) const override {}
  bool QuerySetParent(const ITestElement&) const override { return true; }
  void Terminate() override {}
  void UpdateReferences() override {}
  std::vector<std::string> GetMeasurementList() const override { return {}; }
};

// Limit data that holds nothing and judges nothing; stand-ins override what they need.
class InertLimitData : public host_api::ILimitData {
 public:
  std::string Description_get() const override { return {}; }
  void Description_let(const std::string&) override {}
  bool HasDialog_get() const override { return false; }
  std::shared_ptr<host_api::IStandards> Standards_get() const override { return nullptr; }
  std::shared_ptr<host_api::ITestElement> Owner_get() const override { return nullptr; }
  std::shared_ptr<host_api::ILimitData> Clone() const override { return nullptr; }
  std::shared_ptr<host_api::IDialog> CreateDialog() override { return nullptr; }
  std::shared_ptr<host_api::ILimitStandard> CreateStandard(int32_t, const std::string&) override {
    return nullptr;
  }
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override {
    return nullptr;
  }
  void PrintReport(host_api::IReport*, host_api::ITestRun*) const override {}
  void UpdateLimits(host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IStandards> FindFailedStandards(
      const host_api::IMeasurement*, const host_api::IStandards*) const override {
    return nullptr;
  }
};

}  // namespace testing_host
