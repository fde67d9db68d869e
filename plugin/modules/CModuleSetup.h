#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_api/IConfigData.h"
#include "host_api/IItemCollection.h"
#include "plugin/core/CNamedProperties.h"
#include "plugin/modules/CModuleCollection.h"
#include "plugin/modules/CModuleEntry.h"

namespace plugin {

// The applied parts the operator declared for a device under test: modules and groups in
// display order, keyed by module id, on the analyzer's five patient-lead sockets.
//
// The setup only reports how many sockets its entries claim; the editor keeps them within the
// five. Stored data that claims more is kept as it is (and noted in the load log), so that the
// numbers below stay true to the data rather than hide the excess.
class CModuleSetup : public host_api::IConfigData,
                     public CNamedProperties,
                     public std::enable_shared_from_this<CModuleSetup> {
 public:
  static constexpr const char* ClassName = "CModuleSetup";
  static constexpr int32_t NomenclatureIEC = 0;
  static constexpr int32_t NomenclatureAAMI = 1;
  static constexpr int32_t LeadFirst = 1;
  static constexpr int32_t LeadLast = 5;

  // Takes its nomenclature from the plug-in's settings, or from the registry before the
  // plug-in is initialised.
  CModuleSetup();
  ~CModuleSetup() override;

  int32_t Count_get() const { return m_modules.Count(); }
  // The entry at `index` (1-based) or, for an index below 1 and a positive `moduleId`, the
  // entry with that id, looked for among the groups' members when no entry has it. Null when
  // there is none.
  std::shared_ptr<CModuleEntry> Item(int32_t index, int32_t moduleId = 0) const;
  // Appends `entry`. With `moduleId` 0 it gets the next id; otherwise it keeps its own, and the
  // counter moves past it. An id that is taken throws platform::ComError 457.
  void Add(const std::shared_ptr<CModuleEntry>& entry, int32_t moduleId = 0);
  // By the entry's id, by key or by 1-based position; an entry that is not there is ignored.
  void Remove(const std::shared_ptr<CModuleEntry>& entry);
  void Remove(const std::string& key);
  void Remove(int32_t position);
  // Puts `entry` in the place of the entry with `moduleId`, under that id.
  void ReplaceModule(const std::shared_ptr<CModuleEntry>& entry, int32_t moduleId);
  // Moves `upper` to just before `lower`.
  void SwapModules(const std::shared_ptr<CModuleEntry>& lower,
                   const std::shared_ptr<CModuleEntry>& upper);
  // The sockets of the entries of class `leadType` (0: any) and id `moduleId` (-1: any), in
  // setup order and ascending within an entry. Never null; empty when nothing is selected.
  std::vector<int32_t> PostPositions(int32_t leadType = 0, int32_t moduleId = -1) const;
  std::vector<std::shared_ptr<CModuleEntry>> NewEnum() const { return m_modules.entries(); }

  // Raises the id counter by one and returns it.
  int32_t NextModuleID();
  int32_t HighestModuleID() const { return m_counter; }
  int32_t Nomenclature_get() const { return m_nomenclature; }
  // Converts every entry's class to the new terms (IEC B and BF become NI, CF becomes I; and
  // back NI becomes B, I becomes CF).
  void Nomenclature_let(int32_t value);
  bool ReadOnly_get() const { return m_readOnly; }
  void ReadOnly_let(bool value) { m_readOnly = value; }
  int32_t MaxLeads() const { return LeadLast - LeadFirst + 1; }
  // Sockets claimed by the entries (a negative count claims none); free leads never go below 0.
  int32_t UsedLeads() const;
  int32_t FreeLeads() const;

  // Takes a deep copy of `other`'s entries, nomenclature and read-only flag.
  void CopyFrom(const CModuleSetup& other);
  std::shared_ptr<CModuleSetup> CloneSetup() const;
  // The module table: one row per module and per group member.
  void PrintModuleTable(host_api::IReport& report) const;
  // The descriptive fields a new module starts with (names and key flag, empty values).
  std::shared_ptr<host_api::IItemCollection> ModuleInfoTemplate();

  bool HasDialog_get() const override { return true; }
  std::shared_ptr<host_api::IConfigData> Clone() const override { return CloneSetup(); }
  // The module setup editor in the plug-in's setup dialog; null (with the error passed to the
  // host) when it cannot be created.
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  // Replaces the whole setup by the stored one, or leaves it as it was when the data is bad.
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void PrintReport(host_api::IReport* report) const override;

 protected:
  // By name: "Modules" (the applied parts as "name:class:leads,...", see MModuleLine),
  // "Nomenclature" (IEC, AAMI), and, to read only, "UsedLeads", "FreeLeads" and "ReadOnly". A
  // read-only setup refuses new modules and nomenclature, as its editor does.
  CPropertyTable PropertyTable() override;

 private:
  std::shared_ptr<CModuleEntry> memberWithId(int32_t moduleId) const;
  void readElement(const host_api::IXmlElement& element, host_api::ILoadLog* log);
  std::shared_ptr<host_api::IXmlElement> writeElement(host_api::IXmlElement& owner) const;
  std::string reportBody(const host_api::IReport& report) const;
  void refreshPlugInCopy() const;

  CModuleCollection m_modules;
  int32_t m_counter = 0;
  bool m_readOnly = false;
  int32_t m_nomenclature = NomenclatureIEC;
  std::shared_ptr<host_api::IItemCollection> m_infoTemplate;
};

}  // namespace plugin
