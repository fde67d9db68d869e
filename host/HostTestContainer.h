#pragma once

#include "host/ElementList.h"
#include "host_api/ITestContainer.h"

namespace host {

// Test elements in order: the catalogue, a template.
class HostTestContainer : public host_api::ITestContainer {
 public:
  int32_t Count() const override { return m_list.count(); }
  std::shared_ptr<host_api::ITestElement> Item(int32_t index) const override {
    return m_list.item(index);
  }
  void Add(const std::shared_ptr<host_api::ITestElement>& child,
           const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation) override {
    m_list.add(child, relative, relation);
  }
  std::shared_ptr<host_api::ITestElement> FindElement(int32_t testId) const override {
    return m_list.find(testId);
  }
  void Remove(const std::shared_ptr<host_api::ITestElement>& child) override {
    m_list.remove(child);
  }
  std::vector<std::shared_ptr<host_api::ITestElement>> NewEnum() const override {
    return m_list.elements();
  }

 private:
  ElementList m_list;
};

}  // namespace host
