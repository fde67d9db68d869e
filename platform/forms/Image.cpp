#include "platform/forms/Image.h"

namespace platform::forms {

const char* Image::kind() const { return "Image"; }

void Image::Picture_let(std::string picture) {
  m_picture = std::move(picture);
  changed();
}

std::vector<std::string> Image::visibleTexts() const {
  if (m_picture.empty()) return {};
  return {"[" + m_picture + "]"};
}

}  // namespace platform::forms
