#include "host/HostContainerCore.h"

#include "host_api/ITestContainer.h"
#include "platform/ComError.h"
#include "platform/components/ComponentRegistry.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.ContainerCore";

void logWrite(host_api::ILoadLog* log, const std::string& message) {
  if (log) log->Write(message);
}

}  // namespace

void HostContainerCore::checkParent(const host_api::ITestElement& child) const {
  auto owner = m_owner.lock();
  if (!owner) return;
  for (auto ancestor = owner; ancestor; ancestor = ancestor->Parent_get()) {
    if (ancestor.get() == &child) {
      throw platform::ComError(host_api::ElementError::ChildRefused, kSource,
                               "An element cannot hold itself or an element that holds it");
    }
  }
  if (!child.QuerySetParent(*owner)) {
    throw platform::ComError(host_api::ElementError::ChildRefused, kSource,
                             "The element does not belong in this group");
  }
}

void HostContainerCore::Add(const std::shared_ptr<host_api::ITestElement>& child,
                            const std::shared_ptr<host_api::ITestElement>& relative,
                            int32_t relation) {
  if (child) checkParent(*child);
  m_children.add(child, relative, relation);
}

void HostContainerCore::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  m_state.load(element, log, [this](const host_api::IXmlElement& stored, host_api::ILoadLog* l) {
    loadChildren(stored, l);
  });
}

void HostContainerCore::loadChildren(const host_api::IXmlElement& element,
                                     host_api::ILoadLog* log) {
  ElementList loaded;
  auto owner = m_owner.lock();
  for (const auto& child : element.children()) {
    if (child->tagName() != "TestElement") continue;
    auto progId = child->getAttribute("ClassName").value_or("");
    auto created = loadChild(*child, log);
    if (!created) continue;
    if (owner) created->Parent_set(owner);
    loaded.add(created, nullptr, host_api::InsertRelation::Last, progId);
  }
  m_children = std::move(loaded);
}

std::shared_ptr<host_api::ITestElement> HostContainerCore::loadChild(
    const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  auto progId = element.getAttribute("ClassName").value_or("");
  auto described =
      "The test element " + element.getAttribute("TestID").value_or("?") + " (\"" + progId + "\")";
  if (progId.empty()) {
    logWrite(log, described + " names no class and was left out.");
    return nullptr;
  }
  try {
    auto created = std::dynamic_pointer_cast<host_api::ITestElement>(
        platform::components::components().create(progId));
    if (!created) {
      logWrite(log, described + " is no test element and was left out.");
      return nullptr;
    }
    created->Load(element, log);
    return created;
  } catch (const platform::ComError& error) {
    logWrite(log, described + " was left out: " + error.description());
    return nullptr;
  }
}

std::shared_ptr<host_api::IXmlElement> HostContainerCore::Save(host_api::IXmlElement& owner) const {
  return m_state.save(owner, [this](host_api::IXmlElement& element) { saveChildren(element); });
}

void HostContainerCore::saveChildren(host_api::IXmlElement& element) const {
  for (const auto& entry : m_children.entries()) {
    auto progId = ElementList::progIdOf(entry);
    if (progId.empty()) {
      throw platform::ComError(platform::RuntimeError::ClassNotRegistered, kSource,
                               "The class of test element " +
                                   std::to_string(entry.element->TestID_get()) +
                                   " is not registered; it could not be read back");
    }
    auto saved = entry.element->Save(element);
    if (saved) saved->setAttribute("ClassName", progId);
  }
}

void HostContainerCore::Terminate() {
  for (const auto& child : m_children.elements()) child->Terminate();
  m_children.clear();
  m_state.terminate();
}

}  // namespace host
