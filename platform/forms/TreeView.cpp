#include "platform/forms/TreeView.h"

#include "platform/ComError.h"
#include "platform/forms/FormErrors.h"
#include "platform/forms/ItemMatch.h"

namespace platform::forms {

const char* TreeView::kind() const { return "TreeView"; }

namespace {
template <typename Match>
TreeNode* search(std::deque<TreeNode>& nodes, const Match& match) {
  for (auto& node : nodes) {
    if (match(node)) return &node;
    if (TreeNode* found = search(node.children, match)) return found;
  }
  return nullptr;
}

void collect(const std::deque<TreeNode>& nodes, const std::string& indent,
             std::vector<std::string>& texts) {
  for (const auto& node : nodes) {
    texts.push_back(indent + node.text);
    if (node.expanded) collect(node.children, indent + "  ", texts);
  }
}
}  // namespace

TreeNode& TreeView::addNode(const std::string& parentKey, std::string key, std::string text) {
  if (!key.empty() && findNode(key)) {
    throw ComError(errKeyNotUnique, name(), "The key " + key + " is already used in " + name());
  }
  std::deque<TreeNode>* siblings = &m_nodes;
  if (!parentKey.empty()) {
    TreeNode* parent = findNode(parentKey);
    if (!parent)
      throw ComError(errElementNotFound, name(), "No node " + parentKey + " in " + name());
    siblings = &parent->children;
  }
  TreeNode& node = siblings->emplace_back();
  node.key = std::move(key);
  node.text = std::move(text);
  changed();
  return node;
}

TreeNode* TreeView::findNode(const std::string& key) {
  return search(m_nodes, [&](const TreeNode& node) { return node.key == key; });
}

void TreeView::clear() {
  m_nodes.clear();
  m_selectedKey.clear();
  changed();
}

bool TreeView::chooseItem(const std::string& keyOrText) {
  if (!available()) return false;
  TreeNode* node = search(m_nodes, [&](const TreeNode& candidate) {
    return matchesItem(candidate.key, candidate.text, keyOrText);
  });
  if (!node) return false;
  m_selectedKey = node->key;
  changed();
  m_nodeClick(*node);
  return true;
}

std::vector<std::string> TreeView::visibleTexts() const {
  std::vector<std::string> texts;
  collect(m_nodes, "", texts);
  return texts;
}

}  // namespace platform::forms
