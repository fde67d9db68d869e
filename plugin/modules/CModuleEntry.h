#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/IConfigData.h"
#include "host_api/IItemCollection.h"
#include "host_api/IReport.h"

namespace plugin {

class CModuleFilter;

// One entry of a module setup: a plain module (CModule, one applied part) or a group of
// interchangeable modules on the same sockets (CModuleGroup). A setup's collection holds both
// through this base, and every caller that walks a setup (the expansion into lead selections,
// the editor, the report) asks an entry the same questions without knowing which it is.
//
// Socket run, class and identity live here because both kinds have them; a group overrides the
// setters that must reach its members. Every entry is configuration data the host can load,
// save and clone; none has a dialog or a report of its own (the setup prints its modules).
class CModuleEntry : public host_api::IConfigData {
 public:
  ~CModuleEntry() override;

  // The class as the operator reads it ("B" also for the AAMI non-isolated class), and set
  // from such a text ("B", "BF", "CF", "NI", "I"; anything else gives class 0).
  std::string Class_get() const;
  void Class_let(const std::string& text);
  // "NI" and "I" for the AAMI classes, which the report must tell apart from B and CF.
  std::string ClassForReport_get() const;
  int32_t ClassID_get() const { return m_classId; }
  virtual void ClassID_let(int32_t value) { m_classId = value; }

  virtual std::string Code_get() const = 0;
  virtual void Code_let(const std::string& code) = 0;
  virtual bool InGroup_get() const = 0;
  virtual void InGroup_let(bool value) = 0;
  virtual bool IsGroup_get() const = 0;
  // The descriptive fields themselves (not a copy); null for a group without members.
  virtual std::shared_ptr<host_api::IItemCollection> ModuleInfo_get() const = 0;
  virtual void ModuleInfo_set(const std::shared_ptr<host_api::IItemCollection>& info) = 0;
  virtual std::string ToolTipText_get() const = 0;
  // Whether the entry is tested under `filter` (null: no filter).
  virtual bool ApplyFilter(const CModuleFilter* filter) const = 0;
  // The entry's row of the module table; empty for a group (its members print their own).
  virtual std::string CreateReportData(const host_api::IReport& report) const = 0;

  int32_t ModuleID_get() const { return m_moduleId; }
  virtual void ModuleID_let(int32_t value) { m_moduleId = value; }
  int32_t Leads_get() const { return m_leads; }
  virtual void Leads_let(int32_t value) { m_leads = value; }
  virtual int32_t GroupID_get() const = 0;
  virtual void GroupID_let(int32_t value) = 0;
  int32_t FirstLead_get() const { return m_firstLead; }
  void FirstLead_let(int32_t value) { m_firstLead = value; }

  // A deep copy of the same kind (a group with copies of its members).
  virtual std::shared_ptr<CModuleEntry> CloneEntry() const = 0;

  // Load and Save without the error boundary, for a setup that loads or saves all its entries
  // as one operation: any failure ends that whole operation and leaves the entry unchanged.
  virtual void ReadElement(const host_api::IXmlElement& element) = 0;
  virtual std::shared_ptr<host_api::IXmlElement> WriteElement(
      host_api::IXmlElement& owner) const = 0;

  // Load and Save as the host calls them: an error the operation cannot survive goes to the host,
  // and the entry stays as it was.
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;

  bool HasDialog_get() const override { return false; }
  std::shared_ptr<host_api::IConfigData> Clone() const override { return CloneEntry(); }
  std::shared_ptr<host_api::IDialog> CreateDialog() override { return nullptr; }
  void PrintReport(host_api::IReport*) const override {}

 protected:
  // The ProgID errors of this kind of entry name as their source.
  virtual std::string ErrorSource() const = 0;

  int32_t m_moduleId = 0;
  int32_t m_leads = 0;
  int32_t m_firstLead = 0;
  int32_t m_classId = 0;
};

}  // namespace plugin
