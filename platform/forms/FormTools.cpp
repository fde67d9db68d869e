#include "platform/forms/FormTools.h"

#include <array>

#include "platform/forms/Form.h"

namespace platform::forms {

namespace {
// Group titles of a layout are captions too.
Layout translatedLayout(const Layout& layout, const Translator& translate) {
  std::vector<Layout> parts;
  for (const auto& part : layout.parts()) parts.push_back(translatedLayout(part, translate));
  switch (layout.kind()) {
    case Layout::Kind::Group:
      return Layout::group(translate(layout.text()), std::move(parts));
    case Layout::Kind::Row:
      return Layout::row(std::move(parts));
    case Layout::Kind::Column:
      return Layout::column(std::move(parts));
    case Layout::Kind::Tabs:
      return Layout::tabs(layout.text(), std::move(parts));
    case Layout::Kind::Control:
      break;
  }
  return layout;
}
}  // namespace

void translateCaptions(Form& form, const Translator& translate) {
  if (!form.Caption_get().empty()) form.Caption_let(translate(form.Caption_get()));
  if (form.Layout_get()) form.Layout_let(translatedLayout(*form.Layout_get(), translate));
  for (const auto& control : form.controls()) control->translateCaptions(translate);
}

void translateCaptions(Control& control, const Translator& translate) {
  control.translateCaptions(translate);
}

namespace {
constexpr int32_t rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

// The screen's colours by system colour index, as a classic desktop sets them; -1 marks an
// index that names no colour.
constexpr std::array<int32_t, 31> kSystemColours = {rgb(212, 208, 200), rgb(58, 110, 165),
                                                    rgb(10, 36, 106),   rgb(128, 128, 128),
                                                    rgb(212, 208, 200), rgb(255, 255, 255),
                                                    rgb(0, 0, 0),       rgb(0, 0, 0),
                                                    rgb(0, 0, 0),       rgb(255, 255, 255),
                                                    rgb(212, 208, 200), rgb(212, 208, 200),
                                                    rgb(128, 128, 128), rgb(10, 36, 106),
                                                    rgb(255, 255, 255), rgb(212, 208, 200),
                                                    rgb(128, 128, 128), rgb(128, 128, 128),
                                                    rgb(0, 0, 0),       rgb(212, 208, 200),
                                                    rgb(255, 255, 255), rgb(64, 64, 64),
                                                    rgb(212, 208, 200), rgb(0, 0, 0),
                                                    rgb(255, 255, 225), -1,
                                                    rgb(0, 0, 128),     rgb(166, 202, 240),
                                                    rgb(192, 192, 192), rgb(49, 106, 197),
                                                    rgb(212, 208, 200)};
}  // namespace

int32_t translateColour(int32_t colour, const std::vector<int32_t>* palette) {
  const uint32_t value = static_cast<uint32_t>(colour);
  const uint32_t kind = value >> 24;
  switch (kind) {
    case 0x00:
      return colour;
    case 0x02:
      return static_cast<int32_t>(value & 0xFFFFFF);
    case 0x01: {
      if ((value & 0xFF0000) != 0) return -1;
      const uint32_t index = value & 0xFFFF;
      if (!palette || index >= palette->size()) return -1;
      return (*palette)[index] & 0xFFFFFF;
    }
    case 0x80: {
      if ((value & 0xFFFF00) != 0) return -1;
      const uint32_t index = value & 0xFF;
      return index < kSystemColours.size() ? kSystemColours[index] : -1;
    }
    default:
      return -1;
  }
}

void placeTopmost(Form& form) { form.Topmost_let(true); }

}  // namespace platform::forms
