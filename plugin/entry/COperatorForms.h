#pragma once

#include <vector>

#include "host_api/IOperatorForms.h"

namespace plugin {

// Every form a run of the plug-in's elements may show the operator: the test guide, the
// calibration and the operator dialogs, the ECG verdict, and the driver's power prompts. The
// names come from the forms themselves, so the list cannot drift from them.
class COperatorForms : public host_api::IOperatorForms {
 public:
  static constexpr const char* ClassName = "COperatorForms";

  std::vector<platform::forms::AnswerableForm> Answerable() const override;
};

}  // namespace plugin
