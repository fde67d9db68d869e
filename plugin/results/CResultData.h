#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host_api/IResultData.h"
#include "plugin/results/CMeasurement.h"
#include "plugin/results/CMeasurementList.h"

namespace plugin {

class CModuleSetup;

// The result of a single test or a multi test: its readings in order and keyed, the overall
// status, the operator's comment, the module setup that was tested and the instrument that
// measured.
class CResultData : public host_api::IResultData, public std::enable_shared_from_this<CResultData> {
 public:
  static constexpr const char* ClassName = "CResultData";

  CResultData();
  ~CResultData() override;

  // IResultData
  std::string Comment_get() const override { return m_comment; }
  void Comment_let(const std::string& comment) override { m_comment = comment; }
  bool HasDialog_get() const override;
  int32_t Status_get() const override { return m_status; }
  // A position from 1 or a key; null when there is no such entry.
  std::shared_ptr<host_api::IMeasurement> Measurement_get(
      const platform::Variant& index) const override;
  int32_t MeasurementCount_get() const override { return m_measurements.Count(); }
  std::shared_ptr<platform::Object> ServiceRecord_get() const override { return nullptr; }
  int32_t MTIID_get() const override { return m_mtiid; }
  std::shared_ptr<host_api::IDialog> CreateDialog() override;
  void Load(const host_api::IXmlElement& element, host_api::ILoadLog* log) override;
  std::shared_ptr<host_api::IXmlElement> Save(host_api::IXmlElement& owner) const override;
  void PrintReport(host_api::IReport* report, const platform::Object* setup) const override;

  // Within the plug-in.
  // Adds `m` under its key after the entry `afterKey` (at the end when empty or not held). When
  // the key is held, the held record takes over the reading if `m`'s is greater.
  void AddMeasurement(const std::shared_ptr<CMeasurement>& m, const std::string& afterKey = {});
  std::shared_ptr<CMeasurement> Item(int32_t position) const { return m_measurements.At(position); }
  std::shared_ptr<CMeasurement> Item(const std::string& key) const {
    return m_measurements.Find(key);
  }
  std::shared_ptr<CMeasurement> LastMeasurement() const { return m_measurements.Last(); }
  std::shared_ptr<CMeasurement> MaxMeasurement() const { return m_measurements.Max(); }
  std::shared_ptr<CMeasurement> MinMeasurement() const { return m_measurements.Min(); }
  int32_t MaxIndex_get() const { return m_measurements.MaxIndex(); }
  int32_t MinIndex_get() const { return m_measurements.MinIndex(); }
  const CMeasurementList& Measurements() const { return m_measurements; }
  void Clear();

  void Status_let(int32_t status) { m_status = status; }
  void MTIID_let(int32_t id) { m_mtiid = id; }
  std::string ResultUnit_get() const { return m_resultUnit; }
  void ResultUnit_let(const std::string& unit) { m_resultUnit = unit; }
  int32_t DetailFlag_get() const { return m_detailFlag; }
  void DetailFlag_let(int32_t flag) { m_detailFlag = flag; }
  bool TestVisible_get() const { return m_testVisible; }
  void TestVisible_let(bool visible) { m_testVisible = visible; }
  std::shared_ptr<CModuleSetup> ModuleSetup_get() const { return m_moduleSetup; }
  void ModuleSetup_set(const std::shared_ptr<CModuleSetup>& setup) { m_moduleSetup = setup; }

 private:
  void rollUpStatus(int32_t added);
  void loadChild(const host_api::IXmlElement& parent, const host_api::IXmlElement& child,
                 host_api::ILoadLog* log);
  void loadMeasurement(const host_api::IXmlElement& child, host_api::ILoadLog* log);
  std::shared_ptr<host_api::IXmlElement> saveTo(host_api::IXmlElement& owner) const;

  std::string m_resultUnit;
  int32_t m_status = 0;
  int32_t m_detailFlag = 1;
  CMeasurementList m_measurements;
  std::string m_comment;
  int32_t m_mtiid = 0;
  std::shared_ptr<CModuleSetup> m_moduleSetup;
  bool m_testVisible = true;
};

}  // namespace plugin
