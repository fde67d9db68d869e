#include "host/HostContentPane.h"

#include <algorithm>

#include "platform/ComError.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/TabStrip.h"

namespace host {

HostContentPane::HostContentPane() = default;
HostContentPane::~HostContentPane() = default;

void HostContentPane::Attach(platform::forms::Form& form) {
  if (m_tabs) return;
  m_form = &form;
  m_tabs = &form.add<platform::forms::TabStrip>(kTabsName);
  // A tab chosen by the operator shows its page.
  m_tabs->onClick([this] {
    const int32_t index = m_tabs->SelectedIndex_get();
    if (index >= 0 && static_cast<size_t>(index) < m_pages.size()) ShowPage(m_pages[index].key);
  });
}

void HostContentPane::AddPage(const std::string& key, const std::string& caption,
                              const std::string& picture,
                              const std::vector<std::string>& controls) {
  tabs();
  for (const auto& name : controls) m_form->control(name);  // a misnamed control fails here
  m_pages.push_back({key, picture, controls});
  tabs().addTab(key, caption);
  if (m_pages.size() == 1) {
    m_selected = key;
  }
  showControlsOf(m_selected);
}

std::vector<std::string> HostContentPane::PageKeys() const {
  std::vector<std::string> keys;
  for (const auto& page : m_pages) keys.push_back(page.key);
  return keys;
}

bool HostContentPane::ShowPage(const std::string& key) {
  auto found = std::find_if(m_pages.begin(), m_pages.end(),
                            [&](const Page& page) { return page.key == key; });
  if (found == m_pages.end()) return false;
  const bool changedPage = m_selected != key;
  m_selected = key;
  const auto index = static_cast<int32_t>(found - m_pages.begin());
  if (tabs().SelectedIndex_get() != index) tabs().SelectedIndex_let(index);  // fires Click
  showControlsOf(key);
  if (changedPage && m_handler) m_handler(key, host_api::ContentPaneEvent::PageShown);
  return true;
}

void HostContentPane::onPageEvent(
    std::function<void(const std::string& key, int32_t event)> handler) {
  m_handler = std::move(handler);
}

void HostContentPane::showControlsOf(const std::string& key) {
  // Controls of the page shown last are made visible, so that a control named on two pages
  // stays visible on either.
  for (const auto& page : m_pages) {
    if (page.key == key) continue;
    for (const auto& name : page.controls) m_form->control(name).Visible_let(false);
  }
  for (const auto& page : m_pages) {
    if (page.key != key) continue;
    for (const auto& name : page.controls) m_form->control(name).Visible_let(true);
  }
}

platform::forms::TabStrip& HostContentPane::tabs() const {
  if (!m_tabs) {
    throw platform::ComError(platform::forms::errElementNotFound, "HostContentPane",
                             "The content pane is not on a form yet");
  }
  return *m_tabs;
}

}  // namespace host
