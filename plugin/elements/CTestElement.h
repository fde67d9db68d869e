#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host_api/IElementCore.h"
#include "host_api/ITestElement.h"
#include "plugin/core/CNamedProperties.h"
#include "plugin/core/IAutoTest.h"

namespace plugin {

class CLimitData;
class CModuleSetup;

// What the single test, the multi test and the test group have in common: the host's element
// core that keeps identity, parent, information, filter, configuration, limits and result; the
// IAutoTest flags and unit; how they load, save, print and let go; and the error convention
// around all of it. Each element class adds what is its own (the instrument test, the children).
//
// Elements are made by their classes' Create(): an element hands itself (weakly) to the objects
// it owns, so it must be held by a std::shared_ptr before anything is stored in it.
//
// Stored form: the core's "TestElement", followed by the element's definition, which the
// catalogue gives a new element and a template must keep to run it again:
//   <AutoTest Unit="uA" RequireModules="True" HasDCLimits="False" HasTotalLimits="False"
//             RequireLeadUsage="False"/>
// (single and multi tests add "ResultKind" and the driver's "TRX440Test").
class CTestElement : public host_api::ITestElement,
                     public IAutoTest,
                     public CNamedProperties,
                     public std::enable_shared_from_this<CTestElement> {
 public:
  // Options of ResetResult: clear and mark "no verdict", or remove the result; any other value
  // clears it.
  static constexpr int32_t ResetNoVerdict = 1;
  static constexpr int32_t ResetRemove = 2;

  ~CTestElement() override;

  // ITestElement: the core's state.
  std::string PlugInID_get() const override;
  int32_t TestID_get() const override;
  int32_t ID_get() const override;
  void ID_let(int32_t id) override;
  std::shared_ptr<host_api::ITestElement> Parent_get() const override;
  void Parent_set(const std::shared_ptr<host_api::ITestElement>& parent) override;
  std::shared_ptr<host_api::ITestInformation> Info_get() const override;
  std::shared_ptr<host_api::IElementFilter> Filter_get() const override;
  std::shared_ptr<host_api::IResultData> Result_get() const override;
  std::shared_ptr<host_api::IConfigData> Configuration_get() const override;
  // The core's limit data. A resistance test (id 700) whose measurement type changed since
  // the last call first brings an open limit editor to the keys of the new type.
  std::shared_ptr<host_api::ILimitData> Limits_get() override;
  // Elements are initialised through IAutoTest::Initialize, which knows their ids.
  void Initialize() override {}
  // "TestElement" (the whole element) or "ResultItem" (its result alone).
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void PrintReport(host_api::IReport* report, host_api::ITestRun* testRun) const override;
  // Terminates the core and lets go of it; the element is unusable afterwards.
  void Terminate() override;
  // Makes this element the owner of its limit data again.
  void UpdateReferences() override;

  // IAutoTest: the flags and the unit.
  bool RequireModules_get() const override { return m_requireModules; }
  void RequireModules_let(bool value) override { m_requireModules = value; }
  bool HasDCLimits_get() const override { return m_hasDCLimits; }
  void HasDCLimits_let(bool value) override { m_hasDCLimits = value; }
  bool HasTotalLimits_get() const override { return m_hasTotalLimits; }
  void HasTotalLimits_let(bool value) override { m_hasTotalLimits = value; }
  bool RequireLeadUsage_get() const override { return m_requireLeadUsage; }
  void RequireLeadUsage_let(bool value) override { m_requireLeadUsage = value; }
  std::string Unit_get() const override { return m_unit; }
  void Unit_let(const std::string& unit) override { m_unit = unit; }
  void Initialize(int32_t testId, int32_t id,
                  const std::shared_ptr<host_api::IConfigData>& configuration) override;

  // Stores a copy of `setup` (the guide's module setup of the shown results) in this element's
  // result, when the result is of a kind that keeps one.
  void KeepResultModuleSetup(const std::shared_ptr<CModuleSetup>& setup) const;

  // The element's limit data as the plug-in's class; null when it holds none (or another's).
  std::shared_ptr<CLimitData> LimitData() const;

 protected:
  // What the host may read of the element by name: its unit, and what an element class adds
  // (describeProperties). Nothing of it can be set: an element's definition comes from the
  // catalogue.
  CPropertyTable PropertyTable() override;
  virtual void describeProperties(CPropertyTable& table);

  explicit CTestElement(std::shared_ptr<host_api::IElementCore> core);

  // The class name ("CTestSingle"): errors name it, and its ProgID is "orvelTRX440." + it.
  virtual const char* className() const = 0;
  // Whether limits of a new element may be edited.
  virtual bool editableLimitsAtInitialize() const = 0;
  // Result data as the element keeps it, new and empty.
  virtual std::shared_ptr<host_api::IResultData> newResult() const = 0;
  // Writes and reads what the element adds to its definition ("AutoTest" is open to it).
  virtual void saveDefinition(host_api::IXmlElement& autoTest, host_api::IXmlElement& stored) const;
  virtual void loadDefinition(const host_api::IXmlElement* autoTest,
                              const host_api::IXmlElement& stored);

  std::string source() const;
  host_api::IElementCore& core() const;
  std::shared_ptr<host_api::ITestElement> self();

  // Takes over `other`'s core (a copy), flags, unit and limits, as a clone does: the limits
  // are a copy that this element owns and may edit, the configuration copy is this element's.
  void copyFrom(const CTestElement& other);
  // Makes this element the owner of `configuration` when it is of a kind that has one.
  void adoptConfiguration(const std::shared_ptr<host_api::IConfigData>& configuration);
  // The result data, created (and stored in the core) when there is none of the right kind.
  template <typename Result>
  std::shared_ptr<Result> ensureResult() {
    auto result = std::dynamic_pointer_cast<Result>(core().Result_get());
    if (!result) {
      result = std::dynamic_pointer_cast<Result>(newResult());
      core().Result_set(result);
    }
    return result;
  }

 private:
  void loadResultAlone(const host_api::IXmlElement& element, host_api::ILoadLog* log);
  void readDefinition(const host_api::IXmlElement& stored);
  void prepareToLoad(const host_api::IXmlElement& stored);
  void followResistanceMeasType();

  std::shared_ptr<host_api::IElementCore> m_core;
  std::string m_unit;
  bool m_requireModules = false;
  bool m_hasDCLimits = false;
  bool m_hasTotalLimits = false;
  bool m_requireLeadUsage = false;
  int32_t m_lastMeasType = 0;
};

}  // namespace plugin
