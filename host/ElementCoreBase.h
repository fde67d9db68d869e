#pragma once

#include <memory>
#include <string>

#include "host/ElementCoreState.h"
#include "host_api/IElementCore.h"

namespace host {

// The members every element core has, over ElementCoreState, for an interface that is
// IElementCore or derives from it (the container core adds its children).
template <typename Interface>
class ElementCoreBase : public Interface {
 public:
  void Initialize(const std::string& plugInId, int32_t testId, int32_t id) override {
    m_state.initialize(plugInId, testId, id);
  }
  std::string PlugInID_get() const override { return m_state.plugInId; }
  int32_t TestID_get() const override { return m_state.testId; }
  int32_t ID_get() const override { return m_state.id; }
  void ID_let(int32_t id) override { m_state.id = id; }
  std::shared_ptr<host_api::ITestElement> Parent_get() const override {
    return m_state.parent.lock();
  }
  void Parent_set(const std::shared_ptr<host_api::ITestElement>& parent) override {
    m_state.parent = parent;
  }
  std::shared_ptr<host_api::ITestInformation> Info_get() const override { return m_state.info; }
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override { return m_state.filter; }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    return m_state.configuration;
  }
  void Configuration_set(const std::shared_ptr<host_api::IConfigData>& configuration) override {
    m_state.configuration = configuration;
  }
  std::shared_ptr<host_api::ILimitData> Limits_get() const override { return m_state.limits; }
  void Limits_set(const std::shared_ptr<host_api::ILimitData>& limits) override {
    m_state.limits = limits;
  }
  std::shared_ptr<host_api::IResultData> Result_get() const override { return m_state.result; }
  void Result_set(const std::shared_ptr<host_api::IResultData>& result) override {
    m_state.result = result;
  }
  void CopyFrom(const host_api::IElementCore& other) override { m_state.copyFrom(other); }
  void PrintReport(host_api::IReport* report) const override { m_state.printReport(report); }

 protected:
  ElementCoreState m_state;
};

}  // namespace host
