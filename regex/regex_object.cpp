// RegexObject on std::basic_regex (ECMAScript) over the Unicode form of the
// subject. What makes the standard engine follow this system's rules:
// - the regex is imbued with a locale whose wide ctype knows only ASCII, and
//   its traits classify and fold case from the ASCII table, so \d \w \s \b,
//   case folding (also of bracket ranges) and classes never treat a non-ASCII
//   character as a letter, digit or space;
// - a bare "." becomes [^\n], since ECMAScript's "." also refuses CR,
//   U+2028 and U+2029;
// - global runs step by hand, so an empty match moves on by one character;
// - a run whose backtracking could overflow the stack is refused up front.
// For speed, the traits answer per character without the locale, and a
// pattern ignoring case whose letters all stand in brackets has its brackets
// folded by hand and runs with case.
// Each match and group is kept as its place in the Unicode subject and in the
// subject's bytes, so start offsets are exact byte offsets.
#include "regex/regex_object.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <limits>
#include <locale>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/codepage.h"

namespace tessavel {
namespace {

// "#引号" in code page 936: the quote marker that stands for a double quote.
constexpr char kQuoteMarker[] = "#\xD2\xFD\xBA\xC5";

// A wide ctype that classifies and folds ASCII only.
class AsciiCtype : public std::ctype<wchar_t> {
 public:
  AsciiCtype() = default;

 protected:
  // The classic "C" table of the narrow ctype holds the system's own mask
  // bits for ASCII (some masks, such as graph, are unions of others there).
  static mask Classify(wchar_t c) {
    if (static_cast<unsigned long>(c) > 0x7F) return mask();
    return std::ctype<char>::classic_table()[static_cast<unsigned char>(c)];
  }
  bool do_is(mask m, char_type c) const override { return (Classify(c) & m) != 0; }
  const char_type* do_is(const char_type* low, const char_type* high, mask* vec) const override {
    for (; low < high; ++low, ++vec) *vec = Classify(*low);
    return high;
  }
  const char_type* do_scan_is(mask m, const char_type* low, const char_type* high) const override {
    while (low < high && !do_is(m, *low)) ++low;
    return low;
  }
  const char_type* do_scan_not(mask m, const char_type* low, const char_type* high) const override {
    while (low < high && do_is(m, *low)) ++low;
    return low;
  }
  char_type do_toupper(char_type c) const override { return (c >= L'a' && c <= L'z') ? c - L'a' + L'A' : c; }
  const char_type* do_toupper(char_type* low, const char_type* high) const override {
    for (; low < high; ++low) *low = do_toupper(*low);
    return high;
  }
  char_type do_tolower(char_type c) const override { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }
  const char_type* do_tolower(char_type* low, const char_type* high) const override {
    for (; low < high; ++low) *low = do_tolower(*low);
    return high;
  }
};

const std::locale& AsciiLocale() {
  static const std::locale locale(std::locale::classic(), new AsciiCtype);
  return locale;
}

wchar_t AsciiLower(wchar_t c) { return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c; }

// The engine's traits: the library's own for wchar_t, but with the questions
// the engine asks per subject character answered from the classic ASCII table
// (as AsciiCtype answers them) instead of through the locale, whose facets the
// library's versions look up on every call: class membership, case folding,
// and the primary sort key that a bracket compares with its equivalence
// classes. A class is a ctype mask, plus one bit of its own for the
// underscore of \w.
class AsciiRegexTraits : public std::regex_traits<wchar_t> {
 public:
  using char_class_type = unsigned long long;
  static constexpr char_class_type kUnderscore = 1ull << (8 * sizeof(std::ctype_base::mask));

  wchar_t translate(wchar_t c) const { return c; }
  wchar_t translate_nocase(wchar_t c) const { return AsciiLower(c); }

  template <class It>
  string_type transform_primary(It first, It last) const {
    string_type key(first, last);
    for (wchar_t& c : key) c = AsciiLower(c);
    return key;  // the classic collation orders by code: the key is the text
  }

  template <class It>
  char_class_type lookup_classname(It first, It last, bool icase = false) const {
    using M = std::ctype_base;
    static constexpr struct {
      const char* name;
      char_class_type mask;
    } kClasses[] = {
        {"d", M::digit},   {"w", M::alnum | kUnderscore}, {"s", M::space},     {"alnum", M::alnum},
        {"alpha", M::alpha}, {"blank", M::blank},         {"cntrl", M::cntrl}, {"digit", M::digit},
        {"graph", M::graph}, {"lower", M::lower},         {"print", M::print}, {"punct", M::punct},
        {"space", M::space}, {"upper", M::upper},         {"xdigit", M::xdigit},
    };
    std::string name;
    for (; first != last; ++first) {
      const wchar_t c = AsciiLower(*first);
      name += (c > 0 && c <= 0x7F) ? static_cast<char>(c) : '\0';
    }
    for (const auto& k : kClasses) {
      if (name != k.name) continue;
      if (icase && (k.mask & (M::lower | M::upper)) != 0) return M::alpha;
      return k.mask;
    }
    return 0;
  }

  bool isctype(wchar_t c, char_class_type cl) const {
    if (static_cast<unsigned long>(c) > 0x7F) return false;
    const auto m = static_cast<std::ctype_base::mask>(cl);
    return (classic_[static_cast<unsigned char>(c)] & m) != 0 || ((cl & kUnderscore) != 0 && c == L'_');
  }

 private:
  const std::ctype_base::mask* classic_ = std::ctype<char>::classic_table();
};

// The largest repeat count a pattern may give; a larger one makes the pattern
// invalid (the engine would overflow reading it, or build millions of states).
constexpr unsigned long kMaxRepeat = 65535;

// Throws error_badbrace when a {n}, {n,} or {n,m} at `open` holds a count
// beyond kMaxRepeat. Braces that are no repeat count are left to the engine.
void CheckRepeatCount(const std::wstring& pattern, std::size_t open) {
  unsigned long value = 0;
  bool digits = false;
  for (std::size_t i = open + 1; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    if (c >= L'0' && c <= L'9') {
      digits = true;
      value = value * 10 + static_cast<unsigned long>(c - L'0');
      if (value > kMaxRepeat) throw std::regex_error(std::regex_constants::error_badbrace);
    } else if (c == L',' && digits) {
      value = 0;
    } else {
      return;
    }
  }
}

// Rewrites each "." outside a bracket expression as [^\n]; everything else
// (escapes included) passes unchanged. Refuses oversized repeat counts.
std::wstring TranslatePattern(const std::wstring& pattern) {
  std::wstring out;
  out.reserve(pattern.size() + 16);
  bool inBracket = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    if (c == L'\\') {
      out += c;
      if (i + 1 < pattern.size()) out += pattern[++i];
    } else if (inBracket) {
      if (c == L']') inBracket = false;
      out += c;
    } else if (c == L'[') {
      inBracket = true;
      out += c;
    } else if (c == L'.') {
      out += L"[^\\n]";
    } else if (c == L'{') {
      CheckRepeatCount(pattern, i);
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

wchar_t OtherCase(wchar_t c) { return (c >= L'a' && c <= L'z') ? c - L'a' + L'A' : c - L'A' + L'a'; }

// Escapes that stand for no letter and mean the same with and without case
// folding: boundaries, classes and control characters.
constexpr std::wstring_view kCaselessEscapes = L"bBdDsSwWfnrtv0";

// One item of a bracket expression, as the engine reads it.
struct BracketToken {
  enum Kind { kChar, kDash, kClass } kind;
  wchar_t c = 0;
};

// Reads the bracket expression whose body starts at `i` up to its "]",
// leaving `i` on that "]" (or at the end of an unclosed one). Gives nullopt
// for what the folding below does not handle: [:class:], [=x=], [.x.],
// \x \u \c escapes, back-references and escaped letters.
std::optional<std::vector<BracketToken>> ReadBracket(const std::wstring& pattern, std::size_t& i) {
  std::vector<BracketToken> tokens;
  for (; i < pattern.size() && pattern[i] != L']'; ++i) {
    const wchar_t c = pattern[i];
    if (c == L'-') {
      tokens.push_back({BracketToken::kDash});
    } else if (c == L'[') {
      if (i + 1 < pattern.size() && (pattern[i + 1] == L':' || pattern[i + 1] == L'=' || pattern[i + 1] == L'.')) {
        return std::nullopt;
      }
      tokens.push_back({BracketToken::kChar, c});
    } else if (c == L'\\') {
      if (++i >= pattern.size()) return std::nullopt;
      const wchar_t e = pattern[i];
      if (e == L'd' || e == L'D' || e == L's' || e == L'S' || e == L'w' || e == L'W') {
        tokens.push_back({BracketToken::kClass});
      } else if (kCaselessEscapes.find(e) != std::wstring_view::npos) {
        tokens.push_back({BracketToken::kChar, L'\x01'});  // a control character: no letter
      } else if (IsAsciiLetter(e) || (e >= L'0' && e <= L'9')) {
        return std::nullopt;
      } else {
        tokens.push_back({BracketToken::kChar, e});
      }
    } else {
      tokens.push_back({BracketToken::kChar, c});
    }
  }
  return tokens;
}

// The letters a bracket expression must also hold so that, matched with case,
// it matches what it matched ignoring case: the other case of each of its
// letters and of the letter part of each range, written as ranges "X-Y". The
// items are read as the engine reads them: "x-y" is a range, a "-" first,
// last or right after a range is itself.
std::wstring BracketOtherCase(const std::vector<BracketToken>& tokens) {
  std::wstring extra;
  auto addRange = [&](wchar_t first, wchar_t last) {
    extra += first;
    extra += L'-';
    extra += last;
  };
  auto addChar = [&](wchar_t c) {
    if (IsAsciiLetter(c)) addRange(OtherCase(c), OtherCase(c));
  };
  auto addLetters = [&](wchar_t first, wchar_t last) {
    const wchar_t lowFirst = std::max(first, L'a'), lowLast = std::min(last, L'z');
    if (lowFirst <= lowLast) addRange(OtherCase(lowFirst), OtherCase(lowLast));
    const wchar_t upFirst = std::max(first, L'A'), upLast = std::min(last, L'Z');
    if (upFirst <= upLast) addRange(OtherCase(upFirst), OtherCase(upLast));
  };
  bool haveChar = false;  // the item before is a single character `last`
  wchar_t last = 0;
  for (std::size_t k = 0; k < tokens.size(); ++k) {
    const BracketToken& t = tokens[k];
    if (t.kind == BracketToken::kChar) {
      if (haveChar) addChar(last);
      haveChar = true;
      last = t.c;
    } else if (t.kind == BracketToken::kClass) {
      if (haveChar) addChar(last);
      haveChar = false;
    } else if (haveChar && k + 1 < tokens.size() && tokens[k + 1].kind != BracketToken::kClass) {
      const wchar_t end = tokens[k + 1].kind == BracketToken::kDash ? L'-' : tokens[k + 1].c;
      addLetters(last, end);  // a reversed range is refused by the engine
      haveChar = false;
      ++k;
    } else {
      if (haveChar) addChar(last);  // "x-]"; after a class the engine refuses it
      haveChar = true;
      last = L'-';
    }
  }
  if (haveChar) addChar(last);
  return extra;
}

// Rewrites a translated pattern whose letters all stand in bracket
// expressions so that, matched with case, it matches what it matched ignoring
// case: each bracket also takes the other case of its letters and ranges
// ([a-f] takes A-F, [^a-z] refuses A-Z too). Only ASCII letters fold. Gives
// nullopt for a pattern with a letter outside brackets (the engine's own
// folding of a single letter costs less than a bracket would) and for what
// ReadBracket does not handle, inside or outside brackets; those run with the
// engine's case option.
std::optional<std::wstring> FoldCase(const std::wstring& pattern) {
  std::wstring out;
  out.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (c == L'\\') {
      if (i + 1 >= pattern.size()) return std::nullopt;
      const wchar_t e = pattern[++i];
      if ((IsAsciiLetter(e) && kCaselessEscapes.find(e) == std::wstring_view::npos) || (e >= L'1' && e <= L'9')) {
        return std::nullopt;
      }
      out += c;
      out += e;
    } else if (c == L'[') {
      out += c;
      ++i;
      if (i < pattern.size() && pattern[i] == L'^') out += pattern[i++];
      const std::size_t body = i;
      const auto tokens = ReadBracket(pattern, i);
      if (!tokens) return std::nullopt;
      // The other-case ranges go first: after a range the engine reads the
      // body as it would at the bracket's start.
      out += BracketOtherCase(*tokens);
      out.append(pattern, body, i - body);
      if (i < pattern.size()) out += pattern[i];
    } else if (IsAsciiLetter(c)) {
      return std::nullopt;
    } else {
      out += c;
    }
  }
  return out;
}

// The standard engine backtracks by recursion: one attempt to match goes about
// one stack frame deeper per state it passes, so a long stretch taken by a
// repetition can overflow the stack (measured with libstdc++: ".*" needs some
// 330 bytes of stack per character taken, a group around it twice that).
// Before running, the object bounds that depth: the characters one attempt can
// pass (the pattern's longest stretch, or the whole subject when the pattern
// repeats without bound) times the groups and alternatives the pattern has.
// A run whose bound exceeds kDepthBudget is refused like an invalid pattern.
// At 512 bytes per unit the budget is 1 MiB, half the stack of the Windows
// executable. Every pattern of this system is bounded and short and stays far
// below it.
constexpr double kDepthBudget = 2048;

// The longest stretch one match of `pattern` can take (infinity when a
// repetition has no bound), and the number of groups and alternatives plus one.
struct PatternExtent {
  double longest = 0;
  double units = 1;
};

PatternExtent MeasurePattern(const std::wstring& pattern) {
  constexpr double kUnbounded = std::numeric_limits<double>::infinity();
  struct Frame {
    double branch = 0, best = 0;
  };
  std::vector<Frame> frames(1);
  PatternExtent extent;
  double lastAtom = 0;  // what a following quantifier repeats
  auto atom = [&](double length) {
    frames.back().branch += length;
    lastAtom = length;
  };
  auto repeat = [&](double times) {
    // The atom is already counted once.
    if (lastAtom > 0 && times > 1) frames.back().branch += times == kUnbounded ? kUnbounded : lastAtom * (times - 1);
    lastAtom = 0;
  };
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    wchar_t c = pattern[i];
    if (c == L'\\') {
      ++i;
      // A back-reference can take as much as its group: count it unbounded.
      atom(i < pattern.size() && pattern[i] >= L'1' && pattern[i] <= L'9' ? kUnbounded : 1);
    } else if (c == L'[') {
      for (++i; i < pattern.size() && pattern[i] != L']'; ++i) {
        if (pattern[i] == L'\\') ++i;
      }
      atom(1);
    } else if (c == L'(') {
      frames.emplace_back();
      extent.units += 1;
      if (i + 2 < pattern.size() && pattern[i + 1] == L'?') i += 2;  // (?: (?= (?!
    } else if (c == L')') {
      if (frames.size() > 1) {
        Frame done = frames.back();
        frames.pop_back();
        atom(std::max(done.best, done.branch));
      }
    } else if (c == L'|') {
      frames.back().best = std::max(frames.back().best, frames.back().branch);
      frames.back().branch = 0;
      extent.units += 1;
    } else if (c == L'*' || c == L'+') {
      repeat(kUnbounded);
    } else if (c == L'?') {
      lastAtom = 0;  // optional, or the lazy mark of a quantifier
    } else if (c == L'{') {
      std::size_t close = pattern.find(L'}', i);
      std::wstring inside = close == std::wstring::npos ? std::wstring() : pattern.substr(i + 1, close - i - 1);
      if (!inside.empty() && inside.find_first_not_of(L"0123456789,") == std::wstring::npos &&
          inside[0] != L',') {
        std::size_t comma = inside.find(L',');
        std::wstring upper = comma == std::wstring::npos ? inside : inside.substr(comma + 1);
        repeat(upper.empty() ? kUnbounded : std::stod(upper));
        i = close;
      } else {
        atom(1);
      }
    } else if (c == L'^' || c == L'$') {
      lastAtom = 0;
    } else {
      atom(1);
    }
  }
  while (frames.size() > 1) {  // unbalanced: the engine refuses it anyway
    Frame done = frames.back();
    frames.pop_back();
    frames.back().branch += std::max(done.best, done.branch);
  }
  extent.longest = std::max(frames.back().best, frames.back().branch);
  return extent;
}

// Whether `pattern` holds a back-reference (\1 to \9, \10 and on).
bool HasBackReference(const std::wstring& pattern) {
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] != L'\\') continue;
    if (pattern[i + 1] >= L'1' && pattern[i + 1] <= L'9') return true;
    ++i;
  }
  return false;
}

// A regex of type Regex, imbued with the ASCII locale, compiled from `pattern`.
template <class Regex>
Regex Compile(const std::wstring& pattern, std::regex_constants::syntax_option_type flags) {
  Regex re;
  re.imbue(AsciiLocale());
  re.assign(pattern, flags);
  return re;
}

// Byte length in the subject Text of the character that Cp936ToWide made of
// the bytes at `at`: a replacement character stands for one byte, 0x80 and
// 0xFF are single bytes, ASCII is one byte, any other character a pair.
std::size_t CharacterBytes(const Text& t, std::size_t at, wchar_t c) {
  unsigned char b = static_cast<unsigned char>(t[at]);
  if (c < 0x80 || c == 0xFFFD || b < 0x81 || b == 0xFF) return 1;
  return at + 1 < t.size() ? 2 : 1;
}

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// One match or group: where it lies in the Unicode subject and in the bytes.
struct Span {
  std::size_t wideStart = kNone, wideLength = 0;
  std::size_t byteStart = kNone, byteLength = 0;
  bool Matched() const { return wideStart != kNone; }
};

}  // namespace

struct RegexObject::State {
  bool engine = false;  // Create has been called
  bool ignoreCase = true;
  Text pattern;
  Text subjectText;
  std::wstring subject;
  bool hasCollection = false;
  std::size_t groups = 0;     // capturing groups of the pattern
  std::vector<Span> spans;    // per match: the match, then each group

  std::size_t MatchCount() const { return hasCollection ? spans.size() / (groups + 1) : 0; }
  const Span* Find(int match, int group) const {
    if (match < 1 || static_cast<std::size_t>(match) > MatchCount()) return nullptr;
    if (group < 0 || static_cast<std::size_t>(group) > groups) return nullptr;
    return &spans[(static_cast<std::size_t>(match) - 1) * (groups + 1) + static_cast<std::size_t>(group)];
  }
  // The text of group `group` of match `match` (group 0: the whole match) and
  // its byte offset in the subject; -1 and the empty text when there is none.
  Text Read(int match, int group, int* startOffset) const {
    if (startOffset) *startOffset = -1;
    const Span* span = Find(match, group);
    if (!span || !span->Matched()) return Text();
    if (startOffset) {
      *startOffset = span->byteStart > static_cast<std::size_t>(INT_MAX) ? INT_MAX
                                                                         : static_cast<int>(span->byteStart);
    }
    return WideToCp936(subject.substr(span->wideStart, span->wideLength));
  }
  // Runs `re` over the subject and keeps every match (only the first unless
  // `all`). Refuses the run when the pattern's backtracking depth over this
  // subject exceeds the budget.
  template <class Regex>
  void Run(const Regex& re, const PatternExtent& extent, bool all) {
    groups = re.mark_count();
    const double depth = std::isinf(extent.longest) ? static_cast<double>(subject.size()) : extent.longest;
    if (depth * extent.units > kDepthBudget) {
      throw std::regex_error(std::regex_constants::error_stack);
    }
    const std::wstring& w = subject;
    std::size_t at = 0;                          // where the next search starts
    std::size_t cursorWide = 0, cursorByte = 0;  // last match start, both ways
    std::match_results<std::wstring::const_iterator> m;
    while (at <= w.size()) {
      auto searchFlags = at > 0 ? std::regex_constants::match_prev_avail : std::regex_constants::match_default;
      if (!std::regex_search(w.begin() + static_cast<std::ptrdiff_t>(at), w.end(), m, re, searchFlags)) break;
      const std::size_t first = spans.size();
      for (std::size_t g = 0; g <= groups; ++g) {
        Span span;
        if (g < m.size() && m[g].matched) {
          span.wideStart = static_cast<std::size_t>(m[g].first - w.begin());
          span.wideLength = static_cast<std::size_t>(m[g].second - m[g].first);
        }
        spans.push_back(span);
      }
      const Span& whole = spans[first];
      while (cursorWide < whole.wideStart && cursorByte < subjectText.size()) {
        cursorByte += CharacterBytes(subjectText, cursorByte, w[cursorWide]);
        ++cursorWide;
      }
      PlaceInBytes(first, cursorWide, cursorByte);
      if (!all) break;
      at = whole.wideStart + (whole.wideLength == 0 ? 1 : whole.wideLength);
    }
  }
  // Fills the byte positions of the spans of one match, walking forward from
  // the match start (which the caller's cursor has reached).
  void PlaceInBytes(std::size_t first, std::size_t wideAt, std::size_t byteAt) {
    std::vector<std::pair<std::size_t, std::size_t*>> marks;  // wide index -> byte slot
    std::vector<std::size_t> ends(groups + 1);
    for (std::size_t g = 0; g <= groups; ++g) {
      Span& s = spans[first + g];
      if (!s.Matched()) continue;
      marks.emplace_back(s.wideStart, &s.byteStart);
      marks.emplace_back(s.wideStart + s.wideLength, &ends[g]);
    }
    std::sort(marks.begin(), marks.end());
    for (auto& [wide, slot] : marks) {
      while (wideAt < wide && byteAt < subjectText.size()) {
        byteAt += CharacterBytes(subjectText, byteAt, subject[wideAt]);
        ++wideAt;
      }
      *slot = byteAt;
    }
    for (std::size_t g = 0; g <= groups; ++g) {
      Span& s = spans[first + g];
      if (s.Matched()) s.byteLength = ends[g] - s.byteStart;
    }
  }
};

RegexObject::RegexObject() {
  try {
    state_ = std::make_unique<State>();
  } catch (...) {
    // Left empty: every reading then answers as before any Create.
  }
}

RegexObject::~RegexObject() = default;

bool RegexObject::Create(const Text& pattern, const Text& subject, std::optional<bool> caseSensitive,
                         std::optional<bool> multiLine, std::optional<bool> global,
                         std::optional<bool> quoteMarker) {
  try {
    state_.reset();
    state_ = std::make_unique<State>();
    State& s = *state_;
    s.engine = true;
    s.ignoreCase = !caseSensitive.value_or(false);
    const bool all = global.value_or(true);
    s.pattern = quoteMarker.value_or(false) ? TextReplace(pattern, kQuoteMarker, Text("\"")) : pattern;
    s.subjectText = subject;
    s.subject = Cp936ToWide(subject);

    auto flags = std::regex_constants::ECMAScript;
    if (multiLine.value_or(true)) flags |= std::regex_constants::multiline;
    const std::wstring translated = TranslatePattern(Cp936ToWide(s.pattern));
    // The depth bound is measured before any case folding, which only adds
    // ranges inside brackets and leaves the bound as it is.
    const PatternExtent extent = MeasurePattern(translated);
    using AsciiRegex = std::basic_regex<wchar_t, AsciiRegexTraits>;
    if (!s.ignoreCase) {
      s.Run(Compile<AsciiRegex>(translated, flags), extent, all);
    } else if (std::optional<std::wstring> folded = FoldCase(translated)) {
      // Folded by hand and matched with case: the engine's own folding of a
      // bracket range looks a locale facet up per character.
      s.Run(Compile<AsciiRegex>(*folded, flags), extent, all);
    } else if (!HasBackReference(translated)) {
      s.Run(Compile<AsciiRegex>(translated, flags | std::regex_constants::icase), extent, all);
    } else {
      // A back-reference is compared with these traits by collation key,
      // with case; the library's own traits fold it when ignoring case.
      s.Run(Compile<std::wregex>(translated, flags | std::regex_constants::icase), extent, all);
    }
    s.hasCollection = true;
    return true;
  } catch (...) {
    // An invalid pattern, an engine limit or a failed allocation: no collection.
    if (state_) {
      state_->hasCollection = false;
      state_->spans.clear();
      state_->spans.shrink_to_fit();
      state_->groups = 0;
    }
    return false;
  }
}

Text RegexObject::GetPattern() const {
  try {
    return (state_ && state_->hasCollection) ? state_->pattern : Text();
  } catch (...) {
    return Text();
  }
}

Text RegexObject::Replace(const Text& replacement) const {
  try {
    if (!state_ || !state_->hasCollection) return Text();
    const State& s = *state_;
    const Text& t = s.subjectText;
    auto group = [&](std::size_t match, std::size_t g) -> Text {
      const Span& span = s.spans[match * (s.groups + 1) + g];
      return span.Matched() ? t.substr(span.byteStart, span.byteLength) : Text();
    };
    Text out;
    std::size_t copied = 0;
    for (std::size_t k = 0; k < s.MatchCount(); ++k) {
      const Span& whole = s.spans[k * (s.groups + 1)];
      out.append(t, copied, whole.byteStart - copied);
      // The engine's replacement syntax: $$ $& $` $' $n $nn.
      for (std::size_t i = 0; i < replacement.size(); ++i) {
        char c = replacement[i];
        char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
        if (c != '$' || next == '\0') {
          out += c;
        } else if (next == '$') {
          out += '$';
          ++i;
        } else if (next == '&') {
          out += group(k, 0);
          ++i;
        } else if (next == '`') {
          out.append(t, 0, whole.byteStart);
          ++i;
        } else if (next == '\'') {
          out.append(t, whole.byteStart + whole.byteLength, Text::npos);
          ++i;
        } else if (next >= '0' && next <= '9') {
          std::size_t n = static_cast<std::size_t>(next - '0');
          char third = i + 2 < replacement.size() ? replacement[i + 2] : '\0';
          std::size_t two = n * 10 + static_cast<std::size_t>(third - '0');
          if (third >= '0' && third <= '9' && two >= 1 && two <= s.groups) {
            out += group(k, two);
            i += 2;
          } else if (n >= 1 && n <= s.groups) {
            out += group(k, n);
            ++i;
          } else {
            out += c;
          }
        } else {
          out += c;
        }
      }
      copied = whole.byteStart + whole.byteLength;
    }
    out.append(t, copied, Text::npos);
    return out;
  } catch (...) {
    return Text();
  }
}

int RegexObject::GetMatchCount() const {
  if (!state_) return 0;
  std::size_t n = state_->MatchCount();
  return n > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(n);
}

Text RegexObject::GetMatchText(int matchIndex, int* startOffset) const {
  try {
    if (startOffset) *startOffset = -1;
    return state_ ? state_->Read(matchIndex, 0, startOffset) : Text();
  } catch (...) {
    return Text();
  }
}

Text RegexObject::GetSubmatchText(int matchIndex, int groupIndex, int* startOffset) const {
  try {
    if (startOffset) *startOffset = -1;
    if (!state_ || groupIndex < 1) return Text();
    return state_->Read(matchIndex, groupIndex, startOffset);
  } catch (...) {
    return Text();
  }
}

int RegexObject::GetSubmatchCount() const {
  if (!state_ || state_->MatchCount() == 0) return 0;
  return static_cast<int>(state_->groups);
}

}  // namespace tessavel
