#pragma once

#include <memory>

#include "host/ElementCoreBase.h"
#include "host/ElementList.h"

namespace host {

// The core of a group: the common state plus its children. A stored child is a "TestElement"
// inside the group's own, with the attribute "ClassName" giving the ProgID to create it by;
// a child that cannot be created or read is written to the load log and left out.
class HostContainerCore : public ElementCoreBase<host_api::IContainerCore> {
 public:
  int32_t Count() const override { return m_children.count(); }
  std::shared_ptr<host_api::ITestElement> Item(int32_t index) const override {
    return m_children.item(index);
  }
  // Also ElementError::ChildRefused when the child does not accept the owner as parent, or is
  // the owner or one of its ancestors (a group inside itself would never end).
  void Add(const std::shared_ptr<host_api::ITestElement>& child,
           const std::shared_ptr<host_api::ITestElement>& relative, int32_t relation) override;
  std::shared_ptr<host_api::ITestElement> FindElement(int32_t testId) const override {
    return m_children.find(testId);
  }
  void Remove(const std::shared_ptr<host_api::ITestElement>& child) override {
    m_children.remove(child);
  }
  std::vector<std::shared_ptr<host_api::ITestElement>> Children() const override {
    return m_children.elements();
  }
  void Owner_set(const std::shared_ptr<host_api::ITestElement>& owner) override { m_owner = owner; }

  // Loading replaces the children by those stored.
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  // A child whose ProgID is unknown cannot be read back, so saving it is ComError 429.
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  // Terminates every child, then lets go of them and of the common state.
  void Terminate() override;

 private:
  void checkParent(const host_api::ITestElement& child) const;
  void loadChildren(const host_api::IXmlElement& element, host_api::ILoadLog* log);
  std::shared_ptr<host_api::ITestElement> loadChild(const host_api::IXmlElement& element,
                                                    host_api::ILoadLog* log);
  void saveChildren(host_api::IXmlElement& element) const;

  ElementList m_children;
  std::weak_ptr<host_api::ITestElement> m_owner;
};

}  // namespace host
