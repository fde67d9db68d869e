#pragma once

#include "host_api/HostApiExport.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform::forms {
class Form;
}

namespace host_api {

// Events the content pane reports for a page.
namespace ContentPaneEvent {
constexpr int32_t PageShown = 4;
}

// The host's content pane of a test guide: pages a plug-in adds, each a caption, a picture and
// the controls of the guide's form that belong to it. One page is shown at a time; the tabs
// ("tbsContent") choose it.
class ORVEL_HOST_API IContentPane {
 public:
  virtual ~IContentPane();

  // Puts the page tabs on the guide's form. Once per pane.
  virtual void Attach(platform::forms::Form& form) = 0;
  // Adds a page; `caption` is shown as it stands (already translated). The controls (by name)
  // must be on the form already; they are visible only while their page is shown. The first
  // page added is shown.
  virtual void AddPage(const std::string& key, const std::string& caption,
                       const std::string& picture, const std::vector<std::string>& controls) = 0;
  virtual std::vector<std::string> PageKeys() const = 0;
  // Shows the page; an unknown key is refused (false).
  virtual bool ShowPage(const std::string& key) = 0;
  virtual std::string SelectedPage_get() const = 0;
  // Called with the page key and the event (ContentPaneEvent) when something happens to a page.
  virtual void onPageEvent(std::function<void(const std::string& key, int32_t event)> handler) = 0;
};

}  // namespace host_api
