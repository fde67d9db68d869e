#include "plugin/results/FECGResult.h"

#include "host_api/HostServices.h"
#include "platform/forms/Button.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Grid.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin {

namespace {
using namespace platform::forms;

struct Choice {
  const char* name;
  const char* caption;
  int32_t answer;
};
constexpr Choice Choices[] = {{"cmdRepeat", "20014::&Repeat", FECGResult::AnswerRepeat},
                              {"cmdPass", "20015::&Pass", FECGResult::AnswerPass},
                              {"cmdFail", "20016::&Fail", FECGResult::AnswerFail}};
}  // namespace

FECGResult::FECGResult() : Form(FormName), m_view(add<Grid>(XResultECG::GridName)) {
  Caption_let("20240::ECG Test Result");
  std::vector<Layout> buttons;
  for (const auto& choice : Choices) {
    auto& button = add<Button>(choice.name);
    button.Caption_let(choice.caption);
    const int32_t value = choice.answer;
    button.onClick([this, value] { answer(value); });
    buttons.push_back(Layout::control(choice.name));
  }
  // Escape asks for the simulation again: nothing has been judged.
  get<Button>("cmdRepeat").Cancel_let(true);
  Layout_let(Layout::column({Layout::control(XResultECG::GridName), Layout::row(buttons)}));
  translateCaptions(*this, [](const std::string& text) {
    return host_api::hostServices().application->Translate(PlugInId, text);
  });
}

FECGResult::~FECGResult() = default;

void FECGResult::Initialize(const std::shared_ptr<host_api::IResultData>& result) {
  m_view.ShowTestResult(result);
}

int32_t FECGResult::Display(platform::forms::Form* owner) {
  m_answer = AnswerRepeat;
  show(FormShow::Modal, owner);
  return m_answer;
}

void FECGResult::answer(int32_t value) {
  m_answer = value;
  hide();
}

}  // namespace plugin
