#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "host_api/IInstrumentData.h"
#include "host_api/IStandards.h"
#include "platform/Object.h"

namespace host_api {

class ITestElement;
class IResultData;

// Statuses a plug-in sets on the host's test run.
namespace RunStatus {
constexpr int32_t Aborted = 2;
constexpr int32_t Stopped = 5;
constexpr int32_t Repeat = 1000;
constexpr int32_t RunChildren = 1001;
}  // namespace RunStatus

// The host's test run: handed to Perform and to the autorun; it knows which elements may run
// and against which limit standards the readings are judged.
class ORVEL_HOST_API ITestRun : public platform::Object {
 public:
  ~ITestRun() override;

  virtual bool MayPerform(const ITestElement& element) const = 0;
  virtual bool IsSelected(const ITestElement& element) const = 0;
  virtual std::shared_ptr<IResultData> CurrentResult(const ITestElement& element) const = 0;
  virtual int32_t Status_get() const = 0;
  virtual void Status_let(int32_t status) = 0;
  virtual void ElementPerformed(const ITestElement& element) = 0;
  // The standards (with the device's protection class) the operator chose for this run.
  virtual std::shared_ptr<IStandards> SelectedStandards_get() const = 0;
  // The instruments the run used, each recorded once; a driver adds its instrument's record
  // when it connects for the run, so the results can name the instrument they came from.
  virtual std::vector<std::shared_ptr<IInstrumentData>> InstrumentData_get() const = 0;
  virtual void AddInstrumentData(const std::shared_ptr<IInstrumentData>& data) = 0;
};

}  // namespace host_api
