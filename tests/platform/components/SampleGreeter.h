#pragma once

#include <string>

#include "platform/Object.h"

// The interface the sample component library's class offers to the program that loads it.
class ISampleGreeter : public platform::Object {
 public:
  virtual std::string greet(const std::string& name) = 0;
  virtual int greetings() const = 0;
};
