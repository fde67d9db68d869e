#pragma once

#include "platform/PlatformExport.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

struct ORVEL_PLATFORM_API TreeNode {
  std::string key;
  std::string text;
  std::string tag;
  bool expanded = true;
  std::deque<TreeNode> children;
};

// A tree of nodes with unique keys.
class ORVEL_PLATFORM_API TreeView : public Control {
 public:
  using Control::Control;
  const char* kind() const override;
  bool canFocus() const override { return true; }

  // Adds a node under the node `parentKey` (empty: at the root). A missing parent or a key
  // that is taken throws ComError.
  TreeNode& addNode(const std::string& parentKey, std::string key, std::string text);
  TreeNode* findNode(const std::string& key);
  const std::deque<TreeNode>& nodes() const { return m_nodes; }
  void clear();
  const std::string& SelectedKey_get() const { return m_selectedKey; }

  void onNodeClick(std::function<void(TreeNode&)> handler) {
    m_nodeClick.connect(std::move(handler));
  }

  bool chooseItem(const std::string& keyOrText) override;
  // Node texts indented two blanks per level, collapsed branches left out.
  std::vector<std::string> visibleTexts() const override;

 private:
  std::deque<TreeNode> m_nodes;
  std::string m_selectedKey;
  Event<TreeNode&> m_nodeClick;
};

}  // namespace platform::forms
