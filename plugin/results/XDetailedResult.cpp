#include "plugin/results/XDetailedResult.h"

#include "host_api/HostServices.h"
#include "platform/ComError.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/TextBox.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin {

namespace {
using namespace platform::forms;
const std::string Source = MErrorConvention::ProgID(XDetailedResult::ClassName);
constexpr const char* CommentBox = "txtComment";
}  // namespace

XDetailedResult::XDetailedResult() {
  auto& comment = m_form.add<TextBox>(CommentBox);
  comment.Locked_let(true);
  comment.BackColor_let(ButtonFaceColour);
  m_form.Layout_let(Layout::control(CommentBox));
  translateCaptions(m_form, [](const std::string& text) {
    return host_api::hostServices().application->Translate(PlugInId, text);
  });
}

XDetailedResult::~XDetailedResult() = default;

void XDetailedResult::Visible_let(bool visible) {
  if (visible) {
    m_form.show(FormShow::Modeless);
  } else {
    m_form.hide();
  }
}

void XDetailedResult::Initialize(const platform::Variant& data) {
  MErrorConvention::Guarded(Source, {}, [&] {
    const auto* object = data.get<std::shared_ptr<platform::Object>>();
    auto result = object ? std::dynamic_pointer_cast<host_api::IResultData>(*object) : nullptr;
    if (!result) {
      throw platform::ComError(platform::RuntimeError::TypeMismatch, Source,
                               "The comment view shows the comment of a result only");
    }
    m_result = result;
    Refresh();
  });
}

void XDetailedResult::Refresh() {
  m_form.get<TextBox>(CommentBox).Text_let(m_result ? m_result->Comment_get() : std::string());
  m_form.refresh();
}

void XDetailedResult::SetFocus() { m_form.setFocus(m_form.control(CommentBox)); }

}  // namespace plugin
