#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/modules/CModule.h"
#include "plugin/modules/CModuleCollection.h"
#include "plugin/modules/CModuleEntry.h"

namespace plugin {

// Interchangeable modules on the same sockets (one ECG cable or another): the setup holds the
// group as one entry with one socket run and class, and its members share them. As an entry it
// answers for its members (name "Group", descriptive fields of the first member); as a small
// collection it offers the member operations a setup offers (Count, Item, Add, Remove,
// NewEnum). Replacing, swapping and socket listing are the setup's alone: on a group they would
// do nothing, so the group does not offer them.
class CModuleGroup : public CModuleEntry {
 public:
  static constexpr const char* ClassName = "CModuleGroup";

  CModuleGroup();
  ~CModuleGroup() override;

  // Identity, sockets and class reach every member when they change.
  void ModuleID_let(int32_t value) override;
  void Leads_let(int32_t value) override;
  void ClassID_let(int32_t value) override;

  // "Group", translated. Name, group id, membership and descriptive fields of a group itself
  // cannot be set: they follow from its members.
  std::string Code_get() const override;
  void Code_let(const std::string&) override {}
  bool InGroup_get() const override { return false; }
  void InGroup_let(bool) override {}
  bool IsGroup_get() const override { return true; }
  std::shared_ptr<host_api::IItemCollection> ModuleInfo_get() const override;
  void ModuleInfo_set(const std::shared_ptr<host_api::IItemCollection>&) override {}
  int32_t GroupID_get() const override { return 0; }
  void GroupID_let(int32_t) override {}
  // "Group: " followed by each member's tooltip and "; ".
  std::string ToolTipText_get() const override;
  bool ApplyFilter(const CModuleFilter* filter) const override;
  std::string CreateReportData(const host_api::IReport&) const override { return {}; }

  // Members.
  int32_t Count_get() const { return m_members.Count(); }
  // The member at `index` (1-based) or, for an index below 1, the member with `moduleId`.
  std::shared_ptr<CModule> Item(int32_t index, int32_t moduleId = 0) const;
  // Makes `module` a member with id `moduleId`; an empty group takes its sockets and class.
  void Add(const std::shared_ptr<CModule>& module, int32_t moduleId);
  // By the member's id; a member that is not there is ignored.
  void Remove(const std::shared_ptr<CModuleEntry>& module);
  void Remove(const std::string& key);
  void Remove(int32_t position);
  std::vector<std::shared_ptr<CModule>> NewEnum() const;

  std::shared_ptr<CModuleEntry> CloneEntry() const override;

  // The group's own attributes and its members.
  void ReadElement(const host_api::IXmlElement& element) override;
  std::shared_ptr<host_api::IXmlElement> WriteElement(host_api::IXmlElement& owner) const override;

 protected:
  std::string ErrorSource() const override;

 private:
  CModuleCollection m_members;
};

}  // namespace plugin
