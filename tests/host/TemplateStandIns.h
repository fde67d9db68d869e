#pragma once

// What the template tests store besides the elements of FakeHostElements.h: device data, an
// element whose Load fails, and the registry that creates them all by ProgID.
#include <memory>
#include <string>

#include "FakeHostElements.h"
#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace host_fakes {

// Device data that stores one text, as a plug-in's module setup stores its modules.
class FakeDeviceData : public host_api::IConfigData {
 public:
  std::string text;
  bool HasDialog_get() const override { return false; }
  std::shared_ptr<host_api::IConfigData> Clone() const override {
    return std::make_shared<FakeDeviceData>(*this);
  }
  std::shared_ptr<host_api::IDialog> CreateDialog() override { return nullptr; }
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog*) override {
    if (element.tagName() != "PlugInData") {
      throw platform::ComError(5, "FakeDeviceData", "not device data: " + element.tagName());
    }
    text = element.text();
  }
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override {
    auto element = owner.appendNewChild("PlugInData");
    element->setAttribute("PlugIn", "TRX440");
    element->setText(text);
    return element;
  }
  void PrintReport(host_api::IReport*) const override {}
};

// An element whose stored form it always refuses, as a group refuses a child of another kind.
class StubbornElement : public FakeElement {
 public:
  void Load(const host_api::IXmlElement&, host_api::ILoadLog*) override {
    throw platform::ComError(static_cast<int32_t>(0x8004A2C8), "CTestGroup",
                             "the stored element is of another kind");
  }
};

// Registers every stand-in under "orvelTRX440.<class>" in a registry of the test's own.
class TemplateRegistry {
 public:
  TemplateRegistry() {
    registry.registerClass("orvelTRX440.FakeElement",
                           [] { return std::make_shared<FakeElement>(); });
    registry.registerClass("orvelTRX440.FakeGroup", [] {
      return std::static_pointer_cast<host_api::ITestElement>(FakeGroup::create());
    });
    registry.registerClass("orvelTRX440.FakeDeviceData",
                           [] { return std::make_shared<FakeDeviceData>(); });
    registry.registerClass("orvelTRX440.StubbornElement",
                           [] { return std::make_shared<StubbornElement>(); });
  }

  platform::components::ComponentRegistry registry;
  platform::components::ComponentsOverride scoped{registry};
};

}  // namespace host_fakes
