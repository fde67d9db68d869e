#include "platform/forms/ConsoleRenderer.h"

#include <algorithm>
#include <sstream>

#include "platform/forms/AcceleratorKey.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Grid.h"
#include "platform/forms/Image.h"
#include "platform/forms/ListView.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/ProgressBar.h"
#include "platform/forms/TabStrip.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/Timer.h"
#include "platform/forms/Toolbar.h"
#include "platform/forms/TreeView.h"
#include "platform/forms/UpDown.h"

namespace platform::forms {

namespace {

using Lines = std::vector<std::string>;

// Cuts a UTF-8 text to `width` columns without splitting a character.
std::string fit(const std::string& text, size_t width) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (count == width) return text.substr(0, i);
    ++count;
  }
  return text;
}

std::string pad(const std::string& text, size_t width) {
  std::string cut = fit(text, width);
  return cut + std::string(width - ConsoleRenderer::columns(cut), ' ');
}

// Word wrap; a line break in the text starts a new line.
Lines wrap(const std::string& text, size_t width) {
  Lines lines;
  std::istringstream paragraphs(text);
  std::string paragraph;
  while (std::getline(paragraphs, paragraph)) {
    std::istringstream words(paragraph);
    std::string word, line;
    while (words >> word) {
      if (!line.empty() &&
          ConsoleRenderer::columns(line) + 1 + ConsoleRenderer::columns(word) > width) {
        lines.push_back(line);
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    lines.push_back(line);
  }
  return lines;
}

// "Stop &Test" shown as "Stop [T]est".
std::string withAccelerator(const std::string& caption) {
  char key = acceleratorKey(caption);
  std::string shown = displayCaption(caption);
  if (!key) return shown;
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == '&' && caption[i + 1] == '&') {
      ++i;
    } else if (caption[i] == '&') {
      size_t at = displayCaption(caption.substr(0, i)).size();
      return shown.substr(0, at) + "[" + shown.substr(at, 1) + "]" + shown.substr(at + 1);
    }
  }
  return shown;
}

std::string pictureSymbol(const std::string& picture) {
  if (picture == "information") return "(i)";
  if (picture == "warning" || picture == "exclamation") return "/!\\";
  if (picture == "error") return "(X)";
  return "[" + picture + "]";
}

Lines table(const std::vector<std::vector<std::string>>& rows, const std::vector<int>& widths,
            size_t headerRows, int selectedRow) {
  Lines lines;
  for (size_t r = 0; r < rows.size(); ++r) {
    std::string line = static_cast<int>(r) == selectedRow ? "> " : "  ";
    for (size_t c = 0; c < rows[r].size() && c < widths.size(); ++c) {
      line += pad(rows[r][c], static_cast<size_t>(widths[c])) + " ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line);
    if (r + 1 == headerRows) {
      std::string rule = "  ";
      for (int w : widths) rule += std::string(static_cast<size_t>(w), '-') + " ";
      rule.pop_back();
      lines.push_back(rule);
    }
  }
  return lines;
}

Lines listLines(const ListView& list) {
  std::vector<std::vector<std::string>> rows;
  std::vector<int> widths;
  std::vector<std::string> header;
  for (const auto& column : list.columns()) {
    widths.push_back(column.width);
    header.push_back(column.title);
  }
  if (widths.empty()) widths.push_back(30);
  rows.push_back(header);
  for (const auto& item : list.items()) {
    std::vector<std::string> row{(item.bold ? "*" : "") + item.text};
    row.insert(row.end(), item.subItems.begin(), item.subItems.end());
    rows.push_back(row);
  }
  int selected = list.SelectedIndex_get() < 0 ? -1 : list.SelectedIndex_get() + 1;
  return table(rows, widths, 1, selected);
}

Lines gridLines(const Grid& grid) {
  std::vector<std::vector<std::string>> rows;
  std::vector<int> widths;
  for (int32_t c = 0; c < grid.Cols_get(); ++c) widths.push_back(grid.ColWidth_get(c));
  for (int32_t r = 0; r < grid.Rows_get(); ++r) {
    std::vector<std::string> row;
    for (int32_t c = 0; c < grid.Cols_get(); ++c) row.push_back(grid.TextMatrix_get(r, c));
    rows.push_back(row);
  }
  return table(rows, widths, static_cast<size_t>(grid.FixedRows_get()), grid.Row_get());
}

void treeLines(const std::deque<TreeNode>& nodes, const std::string& selected,
               const std::string& indent, Lines& lines) {
  for (const auto& node : nodes) {
    std::string mark = node.children.empty() ? "  " : node.expanded ? "- " : "+ ";
    lines.push_back((node.key == selected && !selected.empty() ? "> " : "  ") + indent + mark +
                    node.text);
    if (node.expanded) treeLines(node.children, selected, indent + "  ", lines);
  }
}

std::string buttonText(const Control& control) {
  std::string text = withAccelerator(control.Caption_get());
  if (!control.Enabled_get()) return "(" + displayCaption(control.Caption_get()) + ")";
  return "[ " + text + " ]";
}

// Places blocks of lines side by side, each padded to its own width.
Lines sideBySide(const std::vector<Lines>& blocks) {
  size_t height = 0;
  for (const auto& block : blocks) height = std::max(height, block.size());
  Lines lines(height);
  for (size_t b = 0; b < blocks.size(); ++b) {
    size_t width = 0;
    for (const auto& line : blocks[b]) width = std::max(width, ConsoleRenderer::columns(line));
    for (size_t i = 0; i < height; ++i) {
      std::string cell = i < blocks[b].size() ? blocks[b][i] : "";
      lines[i] += (b ? "  " : "") + (b + 1 < blocks.size() ? pad(cell, width) : cell);
    }
  }
  for (auto& line : lines) {
    while (!line.empty() && line.back() == ' ') line.pop_back();
  }
  return lines;
}

}  // namespace

size_t ConsoleRenderer::columns(const std::string& text) {
  size_t count = 0;
  for (unsigned char c : text) count += (c & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

std::vector<std::string> ConsoleRenderer::render(const Form& form) const {
  const size_t width = static_cast<size_t>(m_width);
  Lines lines{fit("== " + displayCaption(form.Caption_get()) + " ==", width), ""};
  Lines body;
  if (form.Layout_get()) {
    body = renderLayout(form, *form.Layout_get(), m_width);
  } else {
    std::vector<Lines> buttons;
    for (const auto& control : form.controls()) {
      if (!control->Visible_get()) continue;
      Lines part = renderControl(form, *control, m_width);
      if (dynamic_cast<const Button*>(control.get())) {
        buttons.push_back(part);
      } else {
        body.insert(body.end(), part.begin(), part.end());
      }
    }
    if (!buttons.empty()) {
      body.push_back("");
      Lines row = sideBySide(buttons);
      body.insert(body.end(), row.begin(), row.end());
    }
  }
  lines.insert(lines.end(), body.begin(), body.end());
  Lines legend = keyLegend(form);
  lines.insert(lines.end(), legend.begin(), legend.end());
  for (auto& line : lines) line = fit(line, width);
  return lines;
}

std::vector<std::string> ConsoleRenderer::renderLayout(const Form& form, const Layout& layout,
                                                       int width) const {
  Lines lines;
  switch (layout.kind()) {
    case Layout::Kind::Control: {
      const Control* control = form.find(layout.text());
      if (control && control->Visible_get()) lines = renderControl(form, *control, width);
      break;
    }
    case Layout::Kind::Column:
      for (const auto& part : layout.parts()) {
        Lines more = renderLayout(form, part, width);
        lines.insert(lines.end(), more.begin(), more.end());
      }
      break;
    case Layout::Kind::Row: {
      // Every part but the last gets an equal share at most; the last takes what is left, so
      // a text beside an icon uses the whole line.
      std::vector<Lines> blocks;
      const auto& parts = layout.parts();
      int share = std::max(10, width / std::max<int>(1, static_cast<int>(parts.size())));
      int used = 0;
      for (size_t i = 0; i < parts.size(); ++i) {
        int available = i + 1 == parts.size() ? std::max(10, width - used) : share;
        Lines block = renderLayout(form, parts[i], available);
        if (block.empty()) continue;
        size_t widest = 0;
        for (const auto& line : block) widest = std::max(widest, columns(line));
        used += static_cast<int>(widest) + 2;
        blocks.push_back(std::move(block));
      }
      lines = sideBySide(blocks);
      break;
    }
    case Layout::Kind::Group: {
      lines.push_back("+- " + displayCaption(layout.text()) + " -");
      for (const auto& part : layout.parts()) {
        for (auto& line : renderLayout(form, part, width - 2)) lines.push_back("| " + line);
      }
      break;
    }
    case Layout::Kind::Tabs: {
      const auto* strip = dynamic_cast<const TabStrip*>(form.find(layout.text()));
      if (!strip || !strip->Visible_get()) break;
      lines = renderControl(form, *strip, width);
      int32_t page = strip->SelectedIndex_get();
      if (page >= 0 && page < static_cast<int32_t>(layout.parts().size())) {
        Lines more = renderLayout(form, layout.parts()[static_cast<size_t>(page)], width);
        lines.insert(lines.end(), more.begin(), more.end());
      }
      break;
    }
  }
  return lines;
}

std::vector<std::string> ConsoleRenderer::renderControl(const Form& form, const Control& control,
                                                        int width) const {
  const bool focused = form.focused() == &control;
  Lines lines;
  if (dynamic_cast<const Timer*>(&control)) return lines;
  if (dynamic_cast<const Button*>(&control)) {
    lines.push_back(buttonText(control));
  } else if (auto* check = dynamic_cast<const CheckBox*>(&control)) {
    lines = check->visibleTexts();
    lines.front() = lines.front().substr(0, 4) + withAccelerator(check->Caption_get());
  } else if (auto* option = dynamic_cast<const OptionButton*>(&control)) {
    lines = {std::string(option->Value_get() ? "(*) " : "( ) ") +
             withAccelerator(option->Caption_get())};
  } else if (auto* text = dynamic_cast<const TextBox*>(&control)) {
    size_t box = std::max<size_t>(12, columns(text->Text_get()) + 1);
    lines.push_back("[" + pad(text->Text_get() + (focused ? "_" : ""), box) + "]");
  } else if (auto* combo = dynamic_cast<const ComboBox*>(&control)) {
    lines.push_back("[" + combo->Text_get() + " v]");
  } else if (auto* upDown = dynamic_cast<const UpDown*>(&control)) {
    lines.push_back("<" + std::to_string(upDown->Value_get()) + ">");
  } else if (auto* bar = dynamic_cast<const ProgressBar*>(&control)) {
    size_t filled = static_cast<size_t>(bar->percent()) * 20 / 100;
    lines.push_back("[" + std::string(filled, '#') + std::string(20 - filled, '.') + "] " +
                    std::to_string(bar->percent()) + "%");
  } else if (auto* image = dynamic_cast<const Image*>(&control)) {
    if (!image->Picture_get().empty()) lines.push_back(pictureSymbol(image->Picture_get()));
  } else if (auto* list = dynamic_cast<const ListView*>(&control)) {
    lines = listLines(*list);
  } else if (auto* grid = dynamic_cast<const Grid*>(&control)) {
    lines = gridLines(*grid);
  } else if (auto* tree = dynamic_cast<const TreeView*>(&control)) {
    treeLines(tree->nodes(), tree->SelectedKey_get(), "", lines);
  } else if (auto* toolbar = dynamic_cast<const Toolbar*>(&control)) {
    // A row of buttons wider than the screen goes on in a second row rather than losing the
    // buttons at its end: the operator must see every key.
    std::string line = "|";
    for (const auto& button : toolbar->buttons()) {
      if (!button.visible) continue;
      std::string item = " " +
                         (button.enabled ? withAccelerator(button.caption)
                                         : "(" + displayCaption(button.caption) + ")") +
                         " |";
      if (line.size() > 1 && columns(line + item) > static_cast<size_t>(std::max(10, width))) {
        lines.push_back(line);
        line = "|";
      }
      line += item;
    }
    lines.push_back(line);
  } else if (auto* strip = dynamic_cast<const TabStrip*>(&control)) {
    std::string line;
    for (size_t i = 0; i < strip->tabs().size(); ++i) {
      std::string caption = displayCaption(strip->tabs()[i].caption);
      line += static_cast<int32_t>(i) == strip->SelectedIndex_get() ? "[" + caption + "] "
                                                                    : " " + caption + "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    lines.push_back(line);
    lines.push_back(std::string(columns(line), '-'));
  } else {
    lines = wrap(displayCaption(control.Caption_get()), static_cast<size_t>(std::max(10, width)));
  }
  if (focused && !lines.empty()) lines.front() = ">" + lines.front();
  return lines;
}

std::vector<std::string> ConsoleRenderer::keyLegend(const Form& form) const {
  std::string legend;
  if (const Button* button = form.defaultButton(); button && button->available()) {
    legend += "Enter: " + displayCaption(button->Caption_get()) + "   ";
  }
  if (const Button* button = form.cancelButton(); button && button->available()) {
    legend += "Esc: " + displayCaption(button->Caption_get()) + "   ";
  }
  legend += "Tab: next field";
  return {"", legend};
}

}  // namespace platform::forms
