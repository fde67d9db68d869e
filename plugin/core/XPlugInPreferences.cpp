#include "plugin/core/XPlugInPreferences.h"

#include <algorithm>
#include <array>

#include "host_api/HostServices.h"
#include "platform/NumberFormat.h"
#include "platform/forms/FormTools.h"
#include "platform/forms/Label.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/UpDown.h"
#include "plugin/core/MErrorConvention.h"
#include "plugin/core/MPlugInErrors.h"

namespace plugin {

namespace {
using namespace platform::forms;

const std::string Source = MErrorConvention::ProgID(XPlugInPreferences::ClassName);

// The nomenclature options; an option's index is the nomenclature it selects.
constexpr std::array<const char*, 2> NomenclatureOptions{"optIEC", "optAAMI"};

// Sets a flag for the lifetime of the guard and puts back what it held.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
  ~FlagGuard() { m_flag = m_was; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& m_flag;
  bool m_was;
};

void addLabel(Form& form, const char* name, const char* caption) {
  form.add<Label>(name).Caption_let(caption);
}

void addOption(Form& form, const char* name, const char* caption, const char* help,
               const char* helpLabel) {
  auto& option = form.add<OptionButton>(name);
  option.Caption_let(caption);
  option.Group_let("Nomenclature");
  option.ToolTipText_let(help);
  addLabel(form, helpLabel, help);
}

Layout pageLayout() {
  return Layout::tabs(
      "tbsPreferences",
      {Layout::column({
          Layout::control("lblGeneral"),
          Layout::control("lblNomenclature"),
          Layout::control("lblNomenclatureHelp"),
          Layout::control("optIEC"),
          Layout::control("lblIECHelp"),
          Layout::control("optAAMI"),
          Layout::control("lblAAMIHelp"),
          Layout::row({Layout::control("lblDelay"), Layout::control("txtDelay"),
                       Layout::control("updDelay"), Layout::control("lblDelayUnit")}),
          Layout::control("lblDelayHelp"),
      })});
}
}  // namespace

XPlugInPreferences::XPlugInPreferences() {
  build();
  // What IApplicationService::TranslateCaptions does, with a translator of the plug-in's own:
  // the inline one there would give the plug-in a type identity of the host interfaces.
  if (auto application = host_api::hostServices().application) {
    translateCaptions(m_form, [&application](const std::string& caption) {
      return application->Translate(PlugInId, caption);
    });
  }
}

XPlugInPreferences::~XPlugInPreferences() = default;

void XPlugInPreferences::build() {
  m_form.Caption_let("20790::General Preferences");
  auto& tabs = m_form.add<TabStrip>("tbsPreferences");
  tabs.addTab("General", "20790::General Preferences");
  tabs.onClick([this] { tabClicked(); });
  addLabel(m_form, "lblGeneral", "20790::General Preferences");
  addLabel(m_form, "lblNomenclature", "20256::Module Nomenclature");
  addLabel(m_form, "lblNomenclatureHelp",
           "20257::Select the default set of module types that will be used with this "
           "installation of the TRX440 plug-in. This setting can be altered when defining "
           "modules. Please note that this will alter how the safety tests are performed.");
  addOption(m_form, "optIEC", "20258::IEC Terms",
            "20259::Uses module types as defined in IEC 60601.1 and performs applied parts "
            "tests in accordance with this standard.",
            "lblIECHelp");
  addOption(m_form, "optAAMI", "20260::AAMI Terms",
            "20261::Uses module types as defined in AAMI/NFPA-99 and performs applied parts "
            "tests in accordance with this standard.",
            "lblAAMIHelp");
  for (int32_t index = 0; index < int32_t(NomenclatureOptions.size()); ++index) {
    m_form.get<OptionButton>(NomenclatureOptions[index]).onClick([this, index] {
      nomenclatureChosen(index);
    });
  }
  addLabel(m_form, "lblDelay", "20791::Polarity Switching Delay");
  auto& delay = m_form.add<TextBox>("txtDelay");
  delay.MaxLength_let(1);  // one digit: 1 to 5
  delay.onChange([this] { delayTyped(); });
  auto& upDown = m_form.add<UpDown>("updDelay");
  upDown.Min_let(MinDelay);
  upDown.Max_let(MaxDelay);
  upDown.BuddyControl_let("txtDelay");  // a step shows in the field, which stores it
  addLabel(m_form, "lblDelayUnit", "20792::s");
  addLabel(m_form, "lblDelayHelp",
           "20793::Set polarity delay. When switching polarity of Analyzer's test receptacle, a "
           "delay can be set to control actual switch time.");
  m_form.Layout_let(pageLayout());
}

void XPlugInPreferences::CallBack_set(const std::shared_ptr<host_api::ICallback>& callback) {
  m_callback = callback;
}

void XPlugInPreferences::Visible_let(bool visible) {
  if (visible) {
    m_form.show(FormShow::Modeless);
  } else {
    m_form.hide();
  }
}

void XPlugInPreferences::Locked_let(bool locked) {
  m_locked = locked;
  for (const char* name : {"optIEC", "optAAMI", "txtDelay", "updDelay"}) {
    m_form.control(name).Enabled_let(!locked);
  }
}

void XPlugInPreferences::Initialize(const platform::Variant& data) {
  MErrorConvention::Guarded(Source, {}, [&] {
    auto setup = std::dynamic_pointer_cast<CPlugInSetup>(data.toObject());
    if (!setup) {
      throw platform::ComError(platform::RuntimeError::TypeMismatch, Source,
                               "The preferences page edits the plug-in settings only");
    }
    m_setup = setup;
    fill();
  });
}

void XPlugInPreferences::Refresh() {
  if (m_setup) fill();
  m_form.refresh();
}

void XPlugInPreferences::SetFocus() {
  const int32_t nomenclature = m_setup ? m_setup->Nomenclature_get() : 0;
  const bool known = nomenclature >= 0 && nomenclature < int32_t(NomenclatureOptions.size());
  m_form.setFocus(m_form.control(known ? NomenclatureOptions[nomenclature] : "txtDelay"));
}

// The page shows the setup's values as they are; the up-down arrows cannot go beyond 1 to 5,
// so they start from the nearest value in that range.
void XPlugInPreferences::fill() {
  FlagGuard loading(m_loading);
  const int32_t nomenclature = m_setup->Nomenclature_get();
  for (int32_t index = 0; index < int32_t(NomenclatureOptions.size()); ++index) {
    m_form.get<OptionButton>(NomenclatureOptions[index]).Value_let(index == nomenclature);
  }
  const int32_t delay = m_setup->PolarityDelay_get();
  m_form.get<UpDown>("updDelay").Value_let(std::clamp(delay, MinDelay, MaxDelay));
  m_form.get<TextBox>("txtDelay").Text_let(platform::formatNumber(delay));
}

// Choosing the option already chosen still stores it and tells the host: the operator acted.
void XPlugInPreferences::nomenclatureChosen(int32_t index) {
  if (m_loading || !m_setup) return;
  m_setup->Nomenclature_let(index);
  reportChange();
}

// The field is one digit, so the operator empties it before typing the next value; an empty
// field (or one without a number) keeps the stored delay. A delay outside 1 to 5 would switch
// the polarity without the wait the operator asked for (the settings treat it as 1), so it is
// brought into that range and the field shows what was stored.
void XPlugInPreferences::delayTyped() {
  if (m_loading || !m_setup) return;
  auto& field = m_form.get<TextBox>("txtDelay");
  const auto number = platform::leadingNumber(field.Text_get());
  if (!number) return;
  const int32_t delay =
      platform::roundToLong(std::clamp(*number, double(MinDelay), double(MaxDelay)));
  m_setup->PolarityDelay_let(delay);
  {
    FlagGuard showing(m_loading);
    m_form.get<UpDown>("updDelay").Value_let(delay);
    field.Text_let(platform::formatNumber(delay));
  }
  reportChange();
}

void XPlugInPreferences::tabClicked() {
  const int32_t selected = m_form.get<TabStrip>("tbsPreferences").SelectedIndex_get();
  if (selected == m_tabIndex) return;
  m_tabIndex = selected;
  m_form.refresh();
}

void XPlugInPreferences::reportChange() {
  if (m_loading || !m_callback) return;
  m_callback->Notify("Change", {});
}

}  // namespace plugin
