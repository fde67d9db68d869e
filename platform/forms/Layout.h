#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <vector>

namespace platform::forms {

// Where a form's controls go, as a tree: a column stacks its parts, a row puts them side by
// side, a group frames them under a title, and tabs show the page of the tab strip's selected
// tab. Screens render from it; a form without one shows its controls in the order they were
// added.
class ORVEL_PLATFORM_API Layout {
 public:
  enum class Kind { Control, Row, Column, Group, Tabs };

  static Layout control(std::string name) { return Layout(Kind::Control, std::move(name), {}); }
  static Layout row(std::vector<Layout> parts) { return Layout(Kind::Row, {}, std::move(parts)); }
  static Layout column(std::vector<Layout> parts) {
    return Layout(Kind::Column, {}, std::move(parts));
  }
  static Layout group(std::string title, std::vector<Layout> parts) {
    return Layout(Kind::Group, std::move(title), std::move(parts));
  }
  // `tabStrip` names the tab strip control; page i belongs to its tab i.
  static Layout tabs(std::string tabStrip, std::vector<Layout> pages) {
    return Layout(Kind::Tabs, std::move(tabStrip), std::move(pages));
  }

  Kind kind() const { return m_kind; }
  // The control's name, the group's title or the tab strip's name.
  const std::string& text() const { return m_text; }
  const std::vector<Layout>& parts() const { return m_parts; }

 private:
  Layout(Kind kind, std::string text, std::vector<Layout> parts)
      : m_kind(kind), m_text(std::move(text)), m_parts(std::move(parts)) {}

  Kind m_kind;
  std::string m_text;
  std::vector<Layout> m_parts;
};

}  // namespace platform::forms
