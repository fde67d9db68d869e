#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "driver/TrxTypes.h"
#include "platform/Object.h"

namespace vti {

class CTrxTestOptions;

// The instructions of one test: the test's stored micro sequence with its placeholders filled
// in from the power configuration, the applied part and the test options, split at ";".
// Instructions that start with "#" are directives for the interpreter; all others are sent to
// the instrument as they stand. Built for one run of one test; the list never changes after
// Initialize.
class CMicroSequence : public platform::Object {
 public:
  int32_t Count_get() const { return static_cast<int32_t>(m_instructions.size()); }

  // The instruction at a zero-based index; empty text outside the list, so the neighbours of
  // the first and the last instruction read as empty.
  std::string Instruction(int32_t index) const;

  // Loads the sequence of `testCode` and builds the instruction list. Raises
  // errVTI_InvalidMuSeq when the filled-in sequence lacks "#STOP" or "#WAIT", or when the
  // applied-part text would add instructions or line control characters of its own.
  void Initialize(ETrxTestCode testCode, ETrxPowerConfiguration powerConfig,
                  const std::string& appliedPart, const CTrxTestOptions& options);

  // The commands that would undo a test interrupted at `currentIndex`. None are needed: the
  // connection brings the outlet and the instrument back to a safe state itself when a test
  // ends early, whatever point it reached.
  std::string GetResetInstructions(int32_t currentIndex) const;

 private:
  std::vector<std::string> m_instructions;
};

}  // namespace vti
