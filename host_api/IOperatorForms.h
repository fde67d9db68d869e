#pragma once

#include "host_api/HostApiExport.h"

#include <vector>

#include "platform/Object.h"
#include "platform/forms/AnswerableForm.h"

namespace host_api {

// The forms a plug-in (with the driver it runs) may show the operator while the host runs its
// elements, as an answers file names them. A plug-in offers one such object under the ProgID
// "<plug-in>.COperatorForms"; the host checks an unattended run's answers against it before the
// run starts, so a misspelt rule is refused instead of never firing halfway through a test.
class ORVEL_HOST_API IOperatorForms : public platform::Object {
 public:
  ~IOperatorForms() override;

  virtual std::vector<platform::forms::AnswerableForm> Answerable() const = 0;
};

}  // namespace host_api
