#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host_api/ILimitData.h"
#include "host_api/ILimitEditor.h"
#include "host_api/ITestElement.h"
#include "plugin/core/IAutoTest.h"

namespace plugin {

class FElementSetup;

// The limit data of one test element: its limit standards (one per test standard and
// applied-part class the user chose) with their values, stored as the element's
// "ExpectedResult". The standards are the host's objects, and so is the pass/fail decision of a
// standard; this class decides which keys a standard holds (the element's applicable keys),
// keeps a reference copy of what was loaded or created to merge against when those keys
// change, feeds the host's limit editor, and finds the selected standards a reading fails.
//
// Create it with std::make_shared: the editor is handed the limit data itself.
class CLimitData : public host_api::ILimitData, public std::enable_shared_from_this<CLimitData> {
 public:
  CLimitData();
  ~CLimitData() override;

  std::string Description_get() const override { return ""; }
  void Description_let(const std::string&) override {}
  bool HasDialog_get() const override { return m_editable; }
  std::shared_ptr<host_api::IStandards> Standards_get() const override { return m_standards; }
  std::shared_ptr<host_api::ITestElement> Owner_get() const override { return m_owner.lock(); }
  std::shared_ptr<host_api::ILimitData> Clone() const override;
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  std::shared_ptr<host_api::ILimitStandard> CreateStandard(int32_t standardId,
                                                           const std::string& className) override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void PrintReport(host_api::IReport* report, host_api::ITestRun* testRun) const override;
  void UpdateLimits(host_api::ILoadLog*) override {}
  std::shared_ptr<host_api::IStandards> FindFailedStandards(
      const host_api::IMeasurement* measurement,
      const host_api::IStandards* selected) const override;

  // Brings every standard to the owner's applicable keys, keeping the values the user entered
  // for keys that stay. `updateKeys` is accepted for callers that pass it and has no effect.
  void UpdateStandardsCollection(bool updateKeys = false);

  bool HasEditableLimits() const { return m_editable; }
  void CopyFrom(const host_api::ILimitData& other);
  // Sets the owner (held weakly: the element owns its limit data) and whether limits may be
  // edited; never editable for the ECG test or an owner whose test id cannot be read.
  void SetOwner(const std::shared_ptr<host_api::ITestElement>& owner, bool editable);
  // Called by an element whose configuration changed: the open editor (if any) is brought to
  // the new keys. Only a change of a stand-alone element (test id ending in "00") refreshes,
  // unless `forced`.
  void RefreshEditor(const host_api::ITestElement* element,
                     const host_api::ITestElement* subElement, bool forced);
  // `current` reduced to the owner's applicable keys that `templ` holds as well, in the order of
  // the keys, with the limits (values) of `current`.
  std::shared_ptr<host_api::ILimitStandard> MergeStandard(
      const host_api::ILimitStandard& current, const host_api::ILimitStandard& templ) const;
  // Lets go of the owner, the editor and every standard.
  void Terminate();

  // Whether the editor created by CreateDialog is still open: its dialog is neither unloaded
  // nor gone.
  bool EditorOpen() const { return openEditor() != nullptr; }

 private:
  std::shared_ptr<host_api::ILimitEditor> openEditor() const;
  const IAutoTest* ownerAutoTest(const host_api::ITestElement* owner) const;
  void fillEditor(host_api::ILimitEditor& editor);
  void mergeCreated(int32_t standardId, const std::string& className);
  std::shared_ptr<host_api::ILimitStandard> created(int32_t standardId,
                                                    const std::string& className) const;

  std::shared_ptr<host_api::IStandards> m_standards;
  std::shared_ptr<host_api::IStandards> m_reference;
  std::weak_ptr<host_api::ITestElement> m_owner;
  bool m_editable = true;
  // The dialog of the editor, held weakly: the host owns the dialog, the dialog its editor,
  // and the editor holds this limit data.
  std::weak_ptr<FElementSetup> m_dialog;
};

}  // namespace plugin
