#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "plugin/modules/CModuleEntry.h"

namespace plugin {

// One applied part of the device under test: a run of `Leads` sockets from `FirstLead`, one
// class, and descriptive fields (name, type, serial number, ...) in a host item collection.
class CModule : public CModuleEntry {
 public:
  static constexpr const char* ClassName = "CModule";

  CModule();
  ~CModule() override;

  // The module's name: the key item's value once the module belongs to a setup (ModuleID not
  // 0), the name as typed before that.
  std::string Code_get() const override;
  void Code_let(const std::string& code) override;
  bool InGroup_get() const override { return m_inGroup; }
  void InGroup_let(bool value) override { m_inGroup = value; }
  // True only for an element that turned out to describe a group while it was being loaded.
  bool IsGroup_get() const override { return m_isGroup; }
  std::shared_ptr<host_api::IItemCollection> ModuleInfo_get() const override { return m_info; }
  void ModuleInfo_set(const std::shared_ptr<host_api::IItemCollection>& info) override;
  // The name, with the first descriptive field in parentheses when that says something else.
  std::string ToolTipText_get() const override;
  bool ApplyFilter(const CModuleFilter* filter) const override;
  std::string CreateReportData(const host_api::IReport& report) const override;
  int32_t GroupID_get() const override { return m_groupId; }
  void GroupID_let(int32_t value) override { m_groupId = value; }

  // Takes every field of `other`, with a copy of its descriptive fields.
  void CopyFrom(const CModule& other);
  std::shared_ptr<CModule> CloneModule() const;
  std::shared_ptr<CModuleEntry> CloneEntry() const override { return CloneModule(); }

  // Guarded operations of the host: errors follow the plug-in's error convention.

  void ReadElement(const host_api::IXmlElement& element) override;
  std::shared_ptr<host_api::IXmlElement> WriteElement(host_api::IXmlElement& owner) const override;

 protected:
  std::string ErrorSource() const override;

 private:
  std::shared_ptr<host_api::IItemCollection> m_info;
  std::string m_plainCode;
  int32_t m_groupId = 0;
  bool m_isGroup = false;
  bool m_inGroup = false;
};

}  // namespace plugin
