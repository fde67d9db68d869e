#include "plugin/guide/RunDialogForms.h"

#include "plugin/guide/FAbortOption.h"
#include "plugin/guide/FConnectLeads.h"
#include "plugin/guide/FHaltOnFail.h"
#include "plugin/guide/FMultiTest.h"
#include "plugin/guide/FTestGuide.h"

namespace plugin::RunDialogForms {

std::vector<platform::forms::AnswerableForm> Answerable() {
  // The same names the forms are built with, so the list cannot drift from the forms.
  using A = FAbortOption;
  using H = FHaltOnFail;
  using M = FMultiTest;
  using C = FConnectLeads;
  return {
      {A::kFormName, {A::kYes, A::kNo}, {A::kQuestion}},
      {H::kFormName,
       {H::kSave, H::kDiscard, H::kRepeat, H::kUseOnAll, H::kContinue, H::kStop},
       {H::kTitle, H::kMessage, H::kValueCaption, H::kValue, H::kLimitCaption, H::kLimit,
        H::kQuestion, H::kUseOnAllLabel, H::kCountdown}},
      {M::kFormName,
       {M::kKeepResults, M::kContinue, M::kRepeat, M::kStop},
       {M::kTitle, M::kHeading, M::kInstruction, M::kLast, M::kLastValue}},
      {C::kFormName,
       {C::kContinue, C::kStop},
       {C::kTitle, C::kVerify, C::kNames, C::kLines, C::kSockets, C::kPress}},
      FTestGuide::Answerable(),
  };
}

}  // namespace plugin::RunDialogForms
