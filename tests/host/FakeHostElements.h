#pragma once

// Test elements of the plug-in "TRX440" over the host's real element and container cores, for
// the tests of the host classes that hold elements (cores, containers, templates).
#include <memory>
#include <string>
#include <vector>

#include "host/HostContainerCore.h"
#include "host/HostElementCore.h"
#include "host_api/ITestContainer.h"
#include "support/InertHostObjects.h"

namespace host_fakes {

// A configuration that stores one number in its "PlugInData".
class FakeConfig : public host_api::IConfigData {
 public:
  int value = 0;
  bool HasDialog_get() const override { return false; }
  std::shared_ptr<host_api::IConfigData> Clone() const override {
    return std::make_shared<FakeConfig>(*this);
  }
  std::shared_ptr<host_api::IDialog> CreateDialog() override { return nullptr; }
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog*) override {
    value = std::stoi(element.getAttribute("Value").value_or("0"));
  }
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override {
    auto element = owner.appendNewChild("PlugInData");
    element->setAttribute("PlugIn", "TRX440");
    element->setAttribute("Value", std::to_string(value));
    return element;
  }
  void PrintReport(host_api::IReport*) const override {}
};

// A test element of the plug-in "TRX440" over a host element core.
class FakeElement : public testing_host::InertTestElement {
 public:
  explicit FakeElement(std::shared_ptr<host_api::IElementCore> elementCore =
                           std::make_shared<host::HostElementCore>())
      : core(std::move(elementCore)) {
    core->Configuration_set(std::make_shared<FakeConfig>());
  }
  std::string PlugInID_get() const override { return core->PlugInID_get(); }
  int32_t TestID_get() const override { return core->TestID_get(); }
  int32_t ID_get() const override { return core->ID_get(); }
  void ID_let(int32_t id) override { core->ID_let(id); }
  std::shared_ptr<ITestElement> Parent_get() const override { return core->Parent_get(); }
  void Parent_set(const std::shared_ptr<ITestElement>& parent) override {
    core->Parent_set(parent);
  }
  std::shared_ptr<host_api::ITestInformation> Info_get() const override { return core->Info_get(); }
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override {
    return core->Filter_get();
  }
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override {
    return core->Configuration_get();
  }
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override {
    core->Load(element, log);
  }
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override {
    return core->Save(owner);
  }
  bool QuerySetParent(const ITestElement& parent) const override {
    return parent.TestID_get() / 100 == TestID_get() / 100;
  }
  void Terminate() override { core->Terminate(); }

  int configValue() const {
    return std::static_pointer_cast<FakeConfig>(Configuration_get())->value;
  }
  void setConfigValue(int v) {
    std::static_pointer_cast<FakeConfig>(Configuration_get())->value = v;
  }

  std::shared_ptr<host_api::IElementCore> core;
};

// A group: a FakeElement whose core is a container core and which is a container itself.
class FakeGroup : public FakeElement, public host_api::ITestContainer {
 public:
  FakeGroup() : FakeElement(std::make_shared<host::HostContainerCore>()) {}
  static std::shared_ptr<FakeGroup> create() {
    auto group = std::make_shared<FakeGroup>();
    group->m_self = group;
    group->container()->Owner_set(group);
    return group;
  }
  std::shared_ptr<host_api::IContainerCore> container() const {
    return std::static_pointer_cast<host_api::IContainerCore>(core);
  }
  int32_t Count() const override { return container()->Count(); }
  std::shared_ptr<ITestElement> Item(int32_t index) const override {
    return container()->Item(index);
  }
  void Add(const std::shared_ptr<ITestElement>& child,
           const std::shared_ptr<ITestElement>& relative, int32_t relation) override {
    container()->Add(child, relative, relation);
    child->Parent_set(m_self.lock());
  }
  std::shared_ptr<ITestElement> FindElement(int32_t testId) const override {
    return container()->FindElement(testId);
  }
  void Remove(const std::shared_ptr<ITestElement>& child) override { container()->Remove(child); }
  std::vector<std::shared_ptr<ITestElement>> NewEnum() const override {
    return container()->Children();
  }
  bool QuerySetParent(const ITestElement&) const override { return true; }

 private:
  std::weak_ptr<FakeGroup> m_self;
};

inline std::shared_ptr<FakeElement> element(int32_t testId, int32_t id,
                                            const std::string& name = "") {
  auto made = std::make_shared<FakeElement>();
  made->core->Initialize("TRX440", testId, id);
  made->Info_get()->Name_let(name);
  return made;
}

inline std::shared_ptr<FakeGroup> group(int32_t testId, int32_t id) {
  auto made = FakeGroup::create();
  made->core->Initialize("TRX440", testId, id);
  return made;
}

}  // namespace host_fakes
