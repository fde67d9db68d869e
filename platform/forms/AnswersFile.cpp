#include "platform/forms/AnswersFile.h"

#include <fstream>

#include "platform/ComError.h"
#include "platform/NumberFormat.h"
#include "platform/forms/AnswersCheck.h"
#include "platform/forms/FormErrors.h"

namespace platform::forms {

namespace {

struct Token {
  std::string text;
  bool quoted = false;
  bool is(const char* word) const { return !quoted && text == word; }
};

class LineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<Token> tokenize(const std::string& line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    char c = line[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == ',' || c == ':') {
      tokens.push_back({std::string(1, c)});
      ++i;
    } else if (c == '"') {
      Token token{{}, true};
      for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        token.text += line[i];
      }
      if (i >= line.size()) throw LineError("a quoted text is not closed");
      ++i;
      tokens.push_back(std::move(token));
    } else {
      size_t start = i;
      while (i < line.size() && std::string(" \t\r,:\"").find(line[i]) == std::string::npos) ++i;
      tokens.push_back({line.substr(start, i - start)});
    }
  }
  return tokens;
}

class Reader {
 public:
  explicit Reader(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}
  bool atEnd() const { return m_pos >= m_tokens.size(); }
  const Token& peek() const {
    if (atEnd()) throw LineError("the line ends too early");
    return m_tokens[m_pos];
  }
  Token next() {
    Token token = peek();
    ++m_pos;
    return token;
  }
  void expect(const char* word) {
    if (!peek().is(word))
      throw LineError(std::string("expected \"") + word + "\" at \"" + peek().text + "\"");
    ++m_pos;
  }
  std::string word(const char* what) {
    Token token = next();
    if (token.quoted || token.text == "," || token.text == ":") {
      throw LineError(std::string("expected ") + what + " at \"" + token.text + "\"");
    }
    return token.text;
  }
  std::string quoted(const char* what) {
    Token token = next();
    if (!token.quoted) throw LineError(std::string("expected ") + what + " in quotes");
    return token.text;
  }

 private:
  std::vector<Token> m_tokens;
  size_t m_pos = 0;
};

Milliseconds readDelay(const std::string& text) {
  auto number = leadingNumber(text);
  std::string unit = text.substr(text.find_first_not_of("0123456789.") == std::string::npos
                                     ? text.size()
                                     : text.find_first_not_of("0123456789."));
  if (!number || *number < 0 || (unit != "ms" && unit != "s")) {
    throw LineError("a delay reads like 500ms or 2s, not \"" + text + "\"");
  }
  return Milliseconds(static_cast<int64_t>(unit == "s" ? *number * 1000 + 0.5 : *number + 0.5));
}

ScriptStep readStep(Reader& reader) {
  ScriptStep step;
  if (reader.peek().is("after")) {
    reader.next();
    step.after = readDelay(reader.word("a delay"));
  }
  std::string verb = reader.word("click, type, choose or wait");
  if (verb == "click") {
    step.action = ScriptAction::Click;
    step.control = reader.word("a control name");
  } else if (verb == "type") {
    step.action = ScriptAction::Type;
    step.text = reader.quoted("the text to type");
    reader.expect("into");
    step.control = reader.word("a control name");
  } else if (verb == "choose") {
    step.action = ScriptAction::Choose;
    step.text = reader.quoted("the item to choose");
    reader.expect("in");
    step.control = reader.word("a control name");
  } else if (verb == "wait") {
    step.action = ScriptAction::Wait;
  } else {
    throw LineError("unknown action \"" + verb + "\"; use click, type, choose or wait");
  }
  return step;
}

ScriptRule readRule(const std::string& line) {
  Reader reader(tokenize(line));
  ScriptRule rule;
  rule.form = reader.word("a form name");
  if (reader.peek().is("when")) {
    reader.next();
    rule.whenControl = reader.word("a control name");
    reader.expect("contains");
    rule.contains = reader.quoted("the text to look for");
  }
  reader.expect(":");
  rule.steps.push_back(readStep(reader));
  while (!reader.atEnd()) {
    reader.expect(",");
    rule.steps.push_back(readStep(reader));
  }
  return rule;
}

}  // namespace

std::vector<ScriptRule> AnswersFile::parse(std::istream& in, const std::string& source,
                                           const AnswersCheck* check) {
  std::vector<ScriptRule> rules;
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    try {
      rules.push_back(readRule(line));
      if (check) {
        if (auto wrong = check->problem(rules.back())) throw LineError(*wrong);
      }
    } catch (const LineError& error) {
      throw ComError(errAnswersFile, "platform.AnswersFile",
                     source + ":" + std::to_string(number) + ": " + error.what());
    }
  }
  return rules;
}

std::vector<ScriptRule> AnswersFile::load(const std::string& path, const AnswersCheck* check) {
  std::ifstream in(path);
  if (!in) {
    throw ComError(RuntimeError::FileNotFound, "platform.AnswersFile",
                   "The answers file " + path + " cannot be opened");
  }
  return parse(in, path, check);
}

}  // namespace platform::forms
