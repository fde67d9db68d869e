#pragma once

// Stand-ins for the host objects a configuration meets: the element that owns it and the
// test-guide settings it carries.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host_api/ITestElement.h"
#include "host_api/ITestGuideConfig.h"
#include "host_api/IXmlService.h"
#include "platform/ComError.h"

namespace config_test {

// An element of a template with a type, a plug-in and a parent; everything else is unused by
// configurations and fails loudly if called.
class FakeTestElement : public host_api::ITestElement {
 public:
  FakeTestElement(int32_t testId, std::string plugInId = "TRX440")
      : m_testId(testId), m_plugInId(std::move(plugInId)) {}

  std::string PlugInID_get() const override { return m_plugInId; }
  int32_t TestID_get() const override { return m_testId; }
  std::shared_ptr<ITestElement> Parent_get() const override { return m_parent; }
  void Parent_set(const std::shared_ptr<ITestElement>& parent) override { m_parent = parent; }

  int32_t ID_get() const override { return 0; }
  void ID_let(int32_t) override { unused(); }
  std::shared_ptr<host_api::ITestInformation> Info_get() const override { unused(); }
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override { unused(); }
  std::shared_ptr<host_api::IResultData> Result_get() const override { unused(); }
  std::shared_ptr<host_api::ILimitData> Limits_get() override { unused(); }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override { unused(); }
  void Initialize() override { unused(); }
  std::shared_ptr<ITestElement> Clone() const override { unused(); }
  void Perform(host_api::ITestRun&) override { unused(); }
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override { unused(); }
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement&) const override { unused(); }
  void PrintReport(host_api::IReport*, host_api::ITestRun*) const override { unused(); }
  bool QuerySetParent(const ITestElement&) const override { unused(); }
  void Terminate() override { unused(); }
  void UpdateReferences() override { unused(); }
  std::vector<std::string> GetMeasurementList() const override { unused(); }

 private:
  [[noreturn]] static void unused() {
    throw platform::ComError(5, "FakeTestElement", "not used by configurations");
  }

  int32_t m_testId;
  std::string m_plugInId;
  std::shared_ptr<ITestElement> m_parent;
};

// The host's test-guide settings of an element, as far as a configuration uses them.
class FakeTestGuideConfig : public host_api::ITestGuideConfig {
 public:
  int32_t Settings_get() const override { return m_settings; }
  void Settings_let(int32_t settings) override { m_settings = settings; }
  std::shared_ptr<ITestGuideConfig> Clone() const override {
    return std::make_shared<FakeTestGuideConfig>(*this);
  }
  void Load(const host_api::IXmlElement& element) override {
    m_settings = std::stoi(element.getAttribute("Settings").value_or("0"));
  }
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override {
    auto element = owner.appendNewChild("TestGuideSettings");
    element->setAttribute("Settings", std::to_string(m_settings));
    return element;
  }

 private:
  int32_t m_settings = 0;
};

// An element outside any document (one the host has dropped): nothing can be appended to it.
class DetachedElement : public host_api::IXmlElement {
 public:
  std::string tagName() const override { return "Detached"; }
  void setTagName(const std::string&) override {}
  std::string text() const override { return {}; }
  void setText(const std::string&) override {}
  std::optional<std::string> getAttribute(const std::string&) const override { return {}; }
  void setAttribute(const std::string&, const std::string&) override {}
  int childCount() const override { return 0; }
  std::shared_ptr<IXmlElement> child(int) const override { return nullptr; }
  std::vector<std::shared_ptr<IXmlElement>> children() const override { return {}; }
  bool hasChildNodes() const override { return false; }
  std::shared_ptr<IXmlElement> appendChild(const std::shared_ptr<IXmlElement>&) override {
    throw platform::ComError(5, "DetachedElement", "no document");
  }
  std::shared_ptr<IXmlElement> findChild(const std::string&) const override { return nullptr; }
  std::shared_ptr<host_api::IXmlDocument> ownerDocument() const override { return nullptr; }
};

}  // namespace config_test
