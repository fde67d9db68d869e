#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host_api/IContentPane.h"

namespace platform::forms {
class TabStrip;
}

namespace host {

// The host's content pane: a tab strip ("tbsContent") on the guide form whose tabs show one
// page at a time; a page is a set of the form's controls that are visible only with it.
class HostContentPane : public host_api::IContentPane {
 public:
  static constexpr const char* kTabsName = "tbsContent";

  HostContentPane();
  ~HostContentPane() override;

  void Attach(platform::forms::Form& form) override;
  void AddPage(const std::string& key, const std::string& caption, const std::string& picture,
               const std::vector<std::string>& controls) override;
  std::vector<std::string> PageKeys() const override;
  bool ShowPage(const std::string& key) override;
  std::string SelectedPage_get() const override { return m_selected; }
  void onPageEvent(std::function<void(const std::string& key, int32_t event)> handler) override;

 private:
  struct Page {
    std::string key;
    std::string picture;
    std::vector<std::string> controls;
  };

  void showControlsOf(const std::string& key);
  platform::forms::TabStrip& tabs() const;

  platform::forms::Form* m_form = nullptr;
  platform::forms::TabStrip* m_tabs = nullptr;
  std::vector<Page> m_pages;
  std::string m_selected;
  std::function<void(const std::string&, int32_t)> m_handler;
};

}  // namespace host
