#include "plugin/modules/MModuleXml.h"

#include <algorithm>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"
#include "plugin/core/MXmlUtils.h"
#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleGroup.h"

namespace plugin::MModuleXml {

namespace {
constexpr int32_t SocketFirst = 1;
constexpr int32_t SocketLast = 5;

std::string entryName(const CModuleEntry& entry) {
  return std::string(entry.IsGroup_get() ? "Group" : "Module") + " ID " +
         std::to_string(entry.ModuleID_get());
}

void noteEntry(const CModuleEntry& entry, host_api::ILoadLog& log) {
  const int64_t first = entry.FirstLead_get();
  const int64_t last = first + entry.Leads_get() - 1;
  if (entry.Leads_get() < 0 || entry.Leads_get() > SocketLast) {
    log.Write(entryName(entry) + " claims " + std::to_string(entry.Leads_get()) +
              " leads; the analyzer has 5 sockets.");
  } else if (entry.Leads_get() > 0 && (first < SocketFirst || last > SocketLast)) {
    log.Write(entryName(entry) + " lies on sockets " + std::to_string(first) + " to " +
              std::to_string(last) +
              ", beyond the analyzer's sockets 1 to 5; only sockets 1 to 5 are tested.");
  }
  auto group = dynamic_cast<const CModuleGroup*>(&entry);
  if (group && group->Count_get() == 0) log.Write(entryName(entry) + " has no members.");
}
}  // namespace

std::string Describe(const host_api::IXmlElement& element) {
  std::string text = "<" + element.tagName();
  if (auto id = element.getAttribute("ID")) text += " ID=\"" + *id + "\"";
  return text + ">";
}

void Raise(const std::string& source, int32_t number, const std::string& detail) {
  try {
    MErrorConvention::RaiseOwn(source, number, MErrorConvention::KindFailure);
  } catch (const platform::ComError& error) {
    throw platform::ComError(error.number(), error.source(), error.description() + " " + detail,
                             error.helpFile(), error.helpContext());
  }
}

void RequireModuleTag(const host_api::IXmlElement& element, const std::string& source) {
  if (element.tagName() != ModuleTag) {
    Raise(source, MPlugInErrors::errModuleLoad,
          "Expected a \"Module\" element, found " + Describe(element) + ".");
  }
}

int32_t ReadId(const host_api::IXmlElement& element, const std::string& source) {
  auto text = element.getAttribute("ID");
  if (!text || text->empty()) {
    Raise(source, MPlugInErrors::errModuleContent, Describe(element) + " has no ID.");
  }
  if (!platform::leadingNumber(*text)) {
    Raise(source, MPlugInErrors::errModuleContent,
          "The ID of " + Describe(element) + " is not a number.");
  }
  return ReadNumber(element, "ID", 0, source);
}

int32_t ReadNumber(const host_api::IXmlElement& element, const std::string& name, int32_t current,
                   const std::string& source) {
  try {
    return MXmlUtils::ReadTruncatedInteger(element, name, current);
  } catch (const platform::ComError& error) {
    if (error.number() != platform::RuntimeError::Overflow) throw;
    Raise(source, MPlugInErrors::errModuleContent,
          "\"" + name + "\" of " + Describe(element) + " is out of range: \"" +
              element.getAttribute(name).value_or("") + "\".");
  }
}

CModuleCollection LoadEntries(const host_api::IXmlElement& setupElement, int32_t& highestId,
                              const std::string& source) {
  CModuleCollection entries;
  highestId = 0;
  for (const auto& child : setupElement.children()) {
    auto module = std::make_shared<CModule>();
    module->ReadElement(*child);
    std::shared_ptr<CModuleEntry> entry = module;
    if (module->IsGroup_get()) {
      auto group = std::make_shared<CModuleGroup>();
      group->ReadElement(*child);
      for (const auto& member : group->NewEnum()) {
        highestId = std::max(highestId, member->ModuleID_get());
      }
      entry = group;
    }
    const std::string key = CModuleCollection::KeyOf(entry->ModuleID_get());
    if (entries.Contains(key)) {
      Raise(source, MPlugInErrors::errModuleContent,
            "Two modules use one ID: " + Describe(*child) + ".");
    }
    entries.Add(key, entry);
    highestId = std::max(highestId, entry->ModuleID_get());
  }
  return entries;
}

void NoteUnusualSockets(const CModuleCollection& entries, host_api::ILoadLog* log) {
  if (!log) return;
  int64_t total = 0;
  for (const auto& entry : entries.entries()) {
    noteEntry(*entry, *log);
    total += std::max(entry->Leads_get(), 0);
  }
  if (total > SocketLast) {
    log->Write("The modules claim " + std::to_string(total) +
               " leads in all; the analyzer has 5 sockets.");
  }
}

}  // namespace plugin::MModuleXml
