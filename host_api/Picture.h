#pragma once

#include <string>

namespace host_api {

// A picture resource of a component: its resource name ("TE:GROUP:16X16") and the image file
// that holds it, so that a screen can show it and a console can name it.
struct Picture {
  std::string name;
  std::string file;  // absolute path of the image file
};

}  // namespace host_api
