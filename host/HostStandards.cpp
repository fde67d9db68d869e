#include "host/HostStandards.h"

#include <algorithm>

#include "host/HostLimit.h"
#include "host/HostLimitStandard.h"
#include "host/MLimitText.h"
#include "platform/ComError.h"

namespace host {

namespace {

constexpr const char* kSource = "Orvel.Standards";
constexpr int32_t kDefaultFlag = 1;

void logWrite(host_api::ILoadLog* log, const std::string& message) {
  if (log) log->Write(message);
}

std::string attributeText(const host_api::IXmlElement& element, const char* name) {
  return element.getAttribute(name).value_or("");
}

// One "Limit" element; null (and a line in the log) when it cannot be read.
std::shared_ptr<HostLimit> readLimit(const host_api::IXmlElement& element,
                                     const std::string& standardName, host_api::ILoadLog* log) {
  auto key = element.getAttribute("Key");
  if (!key || key->empty()) {
    logWrite(log, "A limit of " + standardName + " has no key and was skipped.");
    return nullptr;
  }
  auto limit = std::make_shared<HostLimit>();
  try {
    limit->Initialize(*key, attributeText(element, "Unit"), attributeText(element, "High"),
                      attributeText(element, "Low"));
  } catch (const platform::ComError& error) {
    logWrite(log, error.description() + " (" + standardName + "); the limit was skipped.");
    return nullptr;
  }
  return limit;
}

// One "Standard" element with its limits; null (and a line in the log) without a readable ID.
std::shared_ptr<HostLimitStandard> readStandard(const host_api::IXmlElement& element,
                                                host_api::ILoadLog* log) {
  auto idText = attributeText(element, "ID");
  auto id = MLimitText::parseLong(idText);
  if (!id) {
    logWrite(log, "A limit standard with the ID \"" + idText + "\" was skipped.");
    return nullptr;
  }
  auto standard = std::make_shared<HostLimitStandard>();
  standard->Initialize(*id, attributeText(element, "Class"), kDefaultFlag);
  auto flagText = attributeText(element, "Flag");
  if (auto flag = MLimitText::parseLong(flagText)) {
    standard->Initialize(*id, standard->ClassName_get(), *flag);
  } else if (!flagText.empty()) {
    logWrite(log, "The flag \"" + flagText + "\" of " + standard->Name_get() + " was read as 1.");
  }
  for (const auto& child : element.children()) {
    if (child->tagName() != "Limit") continue;
    if (auto limit = readLimit(*child, standard->Name_get(), log)) standard->AddLimit(limit);
  }
  return standard;
}

}  // namespace

std::shared_ptr<host_api::ILimitStandard> HostStandards::Item(int32_t position) const {
  if (position < 1 || position > Count()) return nullptr;
  return m_standards[static_cast<size_t>(position - 1)];
}

HostStandards::List::const_iterator HostStandards::position(int32_t standardId,
                                                            const std::string& className) const {
  return std::find_if(m_standards.begin(), m_standards.end(), [&](const auto& standard) {
    return standard->StandardID_get() == standardId && standard->ClassName_get() == className;
  });
}

std::shared_ptr<host_api::ILimitStandard> HostStandards::Find(int32_t /*kind*/, int32_t standardId,
                                                              const std::string& className) const {
  auto it = position(standardId, className);
  return it == m_standards.end() ? nullptr : *it;
}

void HostStandards::Add(const std::shared_ptr<host_api::ILimitStandard>& standard) {
  if (!standard) return;
  auto it = position(standard->StandardID_get(), standard->ClassName_get());
  if (it == m_standards.end()) {
    m_standards.push_back(standard);
  } else {
    m_standards[static_cast<size_t>(it - m_standards.begin())] = standard;
  }
}

void HostStandards::Remove(int32_t standardId, const std::string& className) {
  auto it = position(standardId, className);
  if (it != m_standards.end()) m_standards.erase(it);
}

std::shared_ptr<host_api::IStandards> HostStandards::Copy() const {
  auto copy = std::make_shared<HostStandards>();
  for (const auto& standard : m_standards) copy->m_standards.push_back(standard->Copy());
  return copy;
}

void HostStandards::Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) {
  HostStandards loaded;
  int found = 0;
  for (const auto& child : element.children()) {
    if (child->tagName() != "Standard") {
      logWrite(log, "The element \"" + child->tagName() + "\" in the limits was ignored.");
      continue;
    }
    ++found;
    auto standard = readStandard(*child, log);
    if (!standard) continue;
    if (loaded.Find(0, standard->StandardID_get(), standard->ClassName_get())) {
      logWrite(log, standard->Name_get() + " is stored twice; the later one is used.");
    }
    loaded.Add(standard);
  }
  if (found > 0 && loaded.Count() == 0) {
    throw platform::ComError(
        platform::RuntimeError::InvalidFileFormat, kSource,
        "None of the limit standards in \"" + element.tagName() + "\" can be read");
  }
  m_standards = std::move(loaded.m_standards);
}

std::shared_ptr<host_api::IXmlElement> HostStandards::Save(host_api::IXmlElement& owner) const {
  auto element = owner.appendNewChild("Standards");
  for (const auto& standard : m_standards) {
    auto child = element->appendNewChild("Standard");
    child->setAttribute("ID", std::to_string(standard->StandardID_get()));
    child->setAttribute("Class", standard->ClassName_get());
    child->setAttribute("Flag", std::to_string(standard->Flag_get()));
    auto limits = standard->Limits_get();
    for (int32_t i = 1; limits && i <= limits->Count(); ++i) {
      auto limit = limits->Item(i);
      auto entry = child->appendNewChild("Limit");
      entry->setAttribute("Key", limit->Key_get());
      entry->setAttribute("Unit", limit->Unit_get());
      entry->setAttribute("High", MLimitText::formatSingle(limit->High_get()));
      entry->setAttribute("Low", MLimitText::formatSingle(limit->Low_get()));
    }
  }
  return element;
}

}  // namespace host
