// One run of one regular expression over one subject Text, and its matches.
// The subject is matched as Unicode characters (a double-byte character of
// code page 936 is one character) with std::wregex; the pattern is translated
// so the engine follows these rules: "." is any character but a line feed;
// \d, \w, \s, ranges and case folding are ASCII-only; a bracket expression is
// a set of single characters. Indexes are 1-based. No operation throws: an
// invalid pattern makes Create return false and every reading give 0 or "".
#pragma once

#include <memory>
#include <optional>

#include "core/text.h"

namespace tessavel {

class RegexObject {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(const RegexObject&) = delete;
  RegexObject& operator=(const RegexObject&) = delete;

  // Each option may be left out on its own (std::nullopt). Defaults: case
  // ignored, multi-line, global, no quote marker ("#引号" stands for '"').
  bool Create(const Text& pattern, const Text& subject,
              std::optional<bool> caseSensitive = std::nullopt,
              std::optional<bool> multiLine = std::nullopt,
              std::optional<bool> global = std::nullopt,
              std::optional<bool> quoteMarker = std::nullopt);
  Text GetPattern() const;
  Text Replace(const Text& replacement = Text()) const;
  int GetMatchCount() const;
  // startOffset, when given, receives the match's 0-based byte offset in the
  // subject Text.
  Text GetMatchText(int matchIndex, int* startOffset = nullptr) const;
  Text GetSubmatchText(int matchIndex, int groupIndex, int* startOffset = nullptr) const;
  int GetSubmatchCount() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace tessavel
