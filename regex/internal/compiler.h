// The pattern compiler: a recursive-descent parser that builds the node graph
// directly while reading the pattern once from left to right.
//
// One parseGroup invocation reads one group level: the whole pattern, the
// inside of one pair of parentheses, or one alternative after '|'. Escapes and
// bracket expressions are read by parseEscape and parseBracket. A syntax
// error writes a report and sets failed; the construct being read is still
// finished, so one error can give several reports (a bad bracket item, then
// the bracket's missing ']'; a group's own error, then one per enclosing '(').
#ifndef REGEX_INTERNAL_COMPILER_H_
#define REGEX_INTERNAL_COMPILER_H_

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "regex/internal/nodes.h"
#include "regex/regex.h"

namespace regex_internal {

template <typename CharT>
using NamedPatternMap =
    std::map<std::basic_string<CharT>, std::pair<std::basic_string<CharT>, uint64_t>>;

template <typename CharT>
class Compiler {
 public:
  using Node = NFANodeT<CharT>;
  using String = std::basic_string<CharT>;
  using Traits = EngineTraits<CharT>;

  Compiler(BasicPattern<CharT>& pattern, const NamedPatternMap<CharT>& namedPatterns)
      : p_(pattern), namedPatterns_(namedPatterns), text_(pattern.text_), flags_(pattern.flags_) {}

  // Builds the pattern's graph; false after a syntax error.
  bool run() {
    if (flags_ & PatternFlags::VERBATIM) {
      Node* start = make<NFAStartNodeT<CharT>>();
      Node* quote = (flags_ & PatternFlags::FOLD_CASE)
                        ? static_cast<Node*>(make<NFACIQuoteNodeT<CharT>>(text_))
                        : make<NFAQuoteNodeT<CharT>>(text_);
      start->next = quote;
      quote->next = make<NFAEndNodeT<CharT>>();
      p_.head_ = start;
      p_.groupCount_ = 1;
      return true;
    }
    stack_.begin();
    Node* last = nullptr;
    Node* first = parseGroup(Entry::kTopLevel, 0, Kind::kTopLevel, last);
    if (first == nullptr || failed_) return false;
    if (!first->isStartOfInput()) {
      Node* start = make<NFAStartNodeT<CharT>>();
      start->next = first;
      first = start;
    }
    last->next = make<NFAEndNodeT<CharT>>();
    p_.head_ = first;
    return true;
  }

 private:
  enum class Entry { kTopLevel, kParenthesized, kAlternative };
  enum class Kind { kTopLevel, kCapturing, kNonCapturing, kLookAhead, kAtomic };

  struct Quantifier {
    int min = 0;
    int max = 0;
    int type = kGreedy;
  };

  // An escape's meaning: one character, or a member set (maybe inverted),
  // or the start of a quoted literal.
  struct Escape {
    bool isSet = false;
    CharT ch = 0;
    CodeSet set;
    bool inverted = false;
    bool quote = false;
  };

  template <typename N, typename... Args>
  N* make(Args&&... args) {
    auto node = std::make_unique<N>(std::forward<Args>(args)...);
    N* raw = node.get();
    p_.nodes_.push_back(std::move(node));
    return raw;
  }

  bool atEnd() const { return cursor_ >= static_cast<int>(text_.size()); }
  int length() const { return static_cast<int>(text_.size()); }
  CharT peek(int offset = 0) const {
    int at = cursor_ + offset;
    return at < length() ? text_[at] : CharT(0);
  }
  bool has(int offset) const { return cursor_ + offset < length(); }

  void reportSyntaxError() {
    bool meta = false;
    if (cursor_ >= 1 && cursor_ - 1 < length()) {
      CharT c = text_[cursor_ - 1];
      meta = c == ')' || c == '*' || c == '+' || c == '?' || c == ']' || c == '}';
    }
    int width = cursor_ - 1 < 1 ? 1 : cursor_ - 1;
    Traits::writeSyntaxReport(text_,
                              width, meta ? "Syntax Error near here. Possible unescaped meta character.\n"
                                          : "Syntax Error near here. \n");
    failed_ = true;
  }

  static bool isDigit(CharT c) { return c >= '0' && c <= '9'; }
  static int hexValue(CharT c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static int32_t code(CharT c) { return Traits::code(c); }
  bool folding() const { return (flags_ & PatternFlags::FOLD_CASE) != 0; }

  void negate(CodeSet& set) const {
    if (folding()) set.addOtherCase();
    set.complementWithinByte();
  }

  Node* classNode(bool inv, const CodeSet& set) {
    if (folding()) return make<NFACIClassNodeT<CharT>>(inv, set.lowered());
    return make<NFAClassNodeT<CharT>>(inv, set);
  }

  // Parses one group level; returns its first node (null after a syntax
  // error) and hands its last node back through last.
  Node* parseGroup(Entry entry, int outerGi, Kind outerKind, Node*& last) {
    if (stack_.nearLimit()) {
      Node* result = nullptr;
      auto call = [&] { result = parseGroupHere(entry, outerGi, outerKind, last); };
      if (stack_.runOnFreshSegment(call)) return result;
      // Nesting beyond every segment: reject the pattern rather than crash.
      reportSyntaxError();
      return nullptr;
    }
    return parseGroupHere(entry, outerGi, outerKind, last);
  }

  Node* parseGroupHere(Entry entry, int outerGi, Kind outerKind, Node*& last) {
    int gi = p_.groupCount_;
    p_.groupCount_ += 1;
    const uint64_t savedFlags = flags_;
    Kind kind = Kind::kCapturing;
    bool lookPositive = true;
    Node* first = nullptr;

    if (entry == Entry::kTopLevel) {
      kind = Kind::kTopLevel;
      first = make<NFASubStartNodeT<CharT>>();
    } else if (entry == Entry::kAlternative) {
      p_.groupCount_ -= 1;
      gi = outerGi;
      kind = outerKind;
      if (kind == Kind::kCapturing || kind == Kind::kNonCapturing) {
        first = make<NFAGroupHeadNodeT<CharT>>(gi);
      } else {
        first = make<NFASubStartNodeT<CharT>>();
      }
    } else if (peek() == '?' && has(0)) {
      ++cursor_;
      p_.groupCount_ -= 1;
      CharT c = peek();
      if (has(0) && c == ':') {
        ++cursor_;
        kind = Kind::kNonCapturing;
        gi = --p_.hiddenGroupCount_;
        first = make<NFAGroupHeadNodeT<CharT>>(gi);
      } else if (has(0) && (c == '=' || c == '!')) {
        ++cursor_;
        kind = Kind::kLookAhead;
        lookPositive = c == '=';
        first = make<NFASubStartNodeT<CharT>>();
      } else if (has(1) && c == '<' && (peek(1) == '=' || peek(1) == '!')) {
        bool positive = peek(1) == '=';
        cursor_ += 2;
        Node* behind = parseLookBehind(positive);
        last = behind;
        return behind;
      } else if (has(0) && c == '>') {
        ++cursor_;
        kind = Kind::kAtomic;
        first = make<NFASubStartNodeT<CharT>>();
      } else {
        // A flag list: "(?flags)" changes the flags up to the end of the
        // enclosing group, "(?flags:...)" only inside its own group.
        bool clearing = false;
        for (;;) {
          if (atEnd()) {
            reportSyntaxError();
            return nullptr;
          }
          CharT f = text_[cursor_++];
          uint64_t bit = 0;
          if (f == 'i') bit = PatternFlags::FOLD_CASE;
          if (f == 'm') bit = PatternFlags::MULTI_LINE;
          if (f == 's') bit = PatternFlags::DOT_ALL;
          if (f == 'd') bit = PatternFlags::NEWLINE_ONLY;
          if (bit != 0) {
            flags_ = clearing ? (flags_ & ~bit) : (flags_ | bit);
            continue;
          }
          if (f == '-' && !clearing) {
            clearing = true;
            continue;
          }
          if (f == ')') {
            Node* always = make<NFALookBehindNodeT<CharT>>(true, String());
            last = always;
            return always;
          }
          if (f == ':') break;
          reportSyntaxError();
          return nullptr;
        }
        kind = Kind::kNonCapturing;
        gi = --p_.hiddenGroupCount_;
        first = make<NFAGroupHeadNodeT<CharT>>(gi);
      }
    } else {
      first = make<NFAGroupHeadNodeT<CharT>>(gi);
    }

    Node* tail = first;
    auto append = [&tail](Node* n) {
      tail->next = n;
      tail = n;
    };

    while (!atEnd()) {
      CharT c = text_[cursor_++];
      if (failed_) return nullptr;
      switch (c) {
        case '(': {
          Node* subLast = nullptr;
          Node* sub = parseGroup(Entry::kParenthesized, gi, kind, subLast);
          if (sub == nullptr) {
            reportSyntaxError();
            break;
          }
          tail->next = sub;
          tail = subLast;
          break;
        }
        case ')':
          if (entry == Entry::kAlternative) {
            --cursor_;  // the enclosing group reads it
            append(make<NFAAcceptNodeT<CharT>>());
            flags_ = savedFlags;
            last = tail;
            return first;
          }
          if (kind == Kind::kTopLevel) {
            reportSyntaxError();
            break;
          }
          return endGroup(kind, gi, lookPositive, first, tail, savedFlags, last);
        case '|': {
          append(make<NFAAcceptNodeT<CharT>>());
          Node* altLast = nullptr;
          Node* alt = parseGroup(Entry::kAlternative, gi, kind, altLast);
          if (alt == nullptr) return nullptr;
          first = make<NFAOrNodeT<CharT>>(first, alt);
          Node* joint = make<NFAAcceptNodeT<CharT>>();
          tail->next = joint;
          altLast->next = joint;
          tail = joint;
          break;
        }
        case '*':
        case '+':
        case '?':
        case ']':
        case '}':
          reportSyntaxError();  // nothing to repeat, or a stray closer
          break;
        case '{':
          parseNamedPattern(tail);
          break;
        case '\\': {
          Node* atom = parseEscapeAtom();
          if (atom != nullptr) append(quantify(atom));
          break;
        }
        default:
          append(quantify(simpleAtom(c)));
          break;
      }
    }

    if (entry != Entry::kTopLevel && (entry == Entry::kParenthesized || kind != Kind::kTopLevel)) {
      // The pattern ended inside parentheses.
      if (!failed_) reportSyntaxError();
      return nullptr;
    }
    if (entry == Entry::kAlternative) append(make<NFAAcceptNodeT<CharT>>());
    last = tail;
    flags_ = savedFlags;
    return failed_ ? nullptr : first;
  }

  // An atom from '^', '$', '.', '[' or a plain character.
  Node* simpleAtom(CharT c) {
    switch (c) {
      case '^':
        if (flags_ & PatternFlags::MULTI_LINE) return make<NFAStartOfLineNodeT<CharT>>();
        return make<NFAStartOfInputNodeT<CharT>>();
      case '$':
        if (flags_ & PatternFlags::MULTI_LINE) return make<NFAEndOfLineNodeT<CharT>>();
        return make<NFAEndOfInputNodeT<CharT>>(false);
      case '.': {
        CodeSet excluded;
        if (!(flags_ & PatternFlags::DOT_ALL)) {
          excluded.add('\n');
          if (!(flags_ & PatternFlags::NEWLINE_ONLY)) excluded.add('\r');
        }
        return make<NFAClassNodeT<CharT>>(true, excluded);
      }
      case '[':
        return classNode(false, parseBracket());
      default:
        if (folding()) return make<NFACICharNodeT<CharT>>(lowerAscii(c));
        return make<NFACharNodeT<CharT>>(c);
    }
  }

  Node* endGroup(Kind kind, int gi, bool lookPositive, Node* first, Node* tail,
                 uint64_t savedFlags, Node*& last) {
    flags_ = savedFlags;
    if (kind == Kind::kLookAhead) {
      tail->next = make<NFAAcceptNodeT<CharT>>();
      Node* look = make<NFALookAheadNodeT<CharT>>(lookPositive, first);
      last = look;
      return look;
    }
    if (kind == Kind::kAtomic) {
      tail->next = make<NFAAcceptNodeT<CharT>>();
      Node* atomic = make<NFAPossessiveQuantifierNodeT<CharT>>(1, 1, first);
      last = atomic;
      return atomic;
    }
    Node* groupTail = make<NFAGroupTailNodeT<CharT>>(gi);
    tail->next = groupTail;
    last = groupTail;
    Quantifier q;
    if (readQuantifier(q)) {
      Node* prologue = make<NFAGroupLoopPrologueNodeT<CharT>>(gi);
      Node* loop = make<NFAGroupLoopNodeT<CharT>>(gi, q.min, q.max, q.type, first);
      prologue->next = loop;
      groupTail->next = loop;
      last = loop;
      return prologue;
    }
    return first;
  }

  // Wraps an atom in the quantifier that follows it, if any.
  Node* quantify(Node* atom) {
    Quantifier q;
    if (!readQuantifier(q)) return atom;
    atom->next = make<NFAAcceptNodeT<CharT>>();
    if (q.type == kReluctant) return make<NFALazyQuantifierNodeT<CharT>>(q.min, q.max, atom);
    if (q.type == kPossessive) return make<NFAPossessiveQuantifierNodeT<CharT>>(q.min, q.max, atom);
    return make<NFAGreedyQuantifierNodeT<CharT>>(q.min, q.max, atom);
  }

  // Reads "*", "+", "?" or braces with an optional "+" or "?" suffix.
  bool readQuantifier(Quantifier& q) {
    if (atEnd()) return false;
    CharT c = peek();
    if (c == '*' || c == '+' || c == '?') {
      ++cursor_;
      q.min = c == '+' ? 1 : 0;
      q.max = c == '?' ? 1 : kUnbounded;
    } else if (c == '{') {
      if (!readBraces(q)) return false;
    } else {
      return false;
    }
    q.type = kGreedy;
    if (peek() == '+' && has(0)) {
      ++cursor_;
      q.type = kPossessive;
    } else if (peek() == '?' && has(0)) {
      ++cursor_;
      q.type = kReluctant;
    }
    return true;
  }

  // "{n}", "{n,}", "{,m}", "{n,m}", "{,}" or "{}". Anything else between
  // braces without a comma is no quantifier (it may be a named pattern).
  bool readBraces(Quantifier& q) {
    size_t close = text_.find(CharT('}'), cursor_ + 1);
    if (close == String::npos) {
      cursor_ = length();
      reportSyntaxError();
      return false;
    }
    int open = cursor_;
    int comma = -1;
    bool anyComma = false;
    for (int i = open + 1; i < static_cast<int>(close); ++i) anyComma |= text_[i] == ',';
    for (int i = open + 1; i < static_cast<int>(close); ++i) {
      CharT ch = text_[i];
      if (isDigit(ch)) continue;
      if (ch == ',' && comma < 0) {
        comma = i;
        continue;
      }
      if (!anyComma) return false;
      cursor_ = i + 1;
      reportSyntaxError();
      return false;
    }
    auto number = [this](int from, int to) {
      int64_t n = 0;
      for (int i = from; i < to; ++i) {
        n = n * 10 + (text_[i] - '0');
        if (n > kUnbounded) n = kUnbounded;  // saturates: "unbounded"
      }
      return static_cast<int>(n);
    };
    int end = static_cast<int>(close);
    if (comma < 0) {
      q.min = number(open + 1, end);
      q.max = open + 1 == end ? 0 : q.min;
    } else {
      q.min = number(open + 1, comma);
      q.max = comma + 1 == end ? kUnbounded : number(comma + 1, end);
    }
    cursor_ = end + 1;
    return true;
  }

  // After a backslash in the main loop.
  Node* parseEscapeAtom() {
    if (atEnd()) {
      reportSyntaxError();
      return nullptr;
    }
    CharT c = peek();
    if (c >= '1' && c <= '9') {
      int64_t n = 0;
      while (!atEnd() && isDigit(peek()) && (n <= 9 || n < p_.groupCount_)) {
        n = n * 10 + (peek() - '0');
        if (n > kUnbounded) n = kUnbounded;
        ++cursor_;
      }
      return make<NFAReferenceNodeT<CharT>>(static_cast<int>(n));
    }
    switch (c) {
      case 'A':
        ++cursor_;
        return make<NFAStartOfInputNodeT<CharT>>();
      case 'b':
        ++cursor_;
        return make<NFAWordBoundaryNodeT<CharT>>(true);
      case 'B':
        ++cursor_;
        return make<NFAWordBoundaryNodeT<CharT>>(false);
      case 'G':
        ++cursor_;
        return make<NFAEndOfMatchNodeT<CharT>>();
      case 'Z':
        ++cursor_;
        return make<NFAEndOfInputNodeT<CharT>>(true);
      case 'z':
        ++cursor_;
        return make<NFAEndOfInputNodeT<CharT>>(false);
      default:
        break;
    }
    Escape e = parseEscape();
    if (e.quote) return parseQuotedLiteral();
    if (e.isSet || e.inverted) return classNode(e.inverted, e.set);
    // An escaped character never folds: \x41 is only 'A'.
    return make<NFACharNodeT<CharT>>(e.ch);
  }

  // After "\Q": the text up to "\E".
  Node* parseQuotedLiteral() {
    String literal;
    for (;;) {
      if (atEnd()) {
        reportSyntaxError();
        return nullptr;
      }
      CharT c = text_[cursor_++];
      if (c != '\\') {
        literal += c;
        continue;
      }
      if (atEnd()) {
        reportSyntaxError();
        return nullptr;
      }
      CharT d = text_[cursor_++];
      if (d == 'E') break;
      literal += d;
    }
    if (folding()) return make<NFACIQuoteNodeT<CharT>>(literal);
    return make<NFAQuoteNodeT<CharT>>(literal);
  }

  // After "(?<=" or "(?<!": the text up to the first unescaped ')'.
  Node* parseLookBehind(bool positive) {
    String literal;
    for (;;) {
      if (atEnd()) {
        reportSyntaxError();
        return nullptr;
      }
      CharT c = text_[cursor_++];
      if (c == ')') break;
      if (c == '\\') {
        if (atEnd()) {
          reportSyntaxError();
          return nullptr;
        }
        c = text_[cursor_++];
      }
      literal += c;
    }
    return make<NFALookBehindNodeT<CharT>>(positive, literal);
  }

  static bool isNameStart(CharT c) { return isAsciiLetter(c) || c == '_'; }
  static bool isNamePart(CharT c) { return isNameStart(c) || isDigit(c); }

  // "{name}": splices in the registered pattern, continuing the group
  // numbering. A quantifier after it is rejected (nothing to repeat).
  void parseNamedPattern(Node*& tail) {
    size_t close = text_.find(CharT('}'), cursor_);
    if (close == String::npos) {
      cursor_ = length();
      reportSyntaxError();
      return;
    }
    String name = text_.substr(cursor_, close - cursor_);
    cursor_ = static_cast<int>(close) + 1;
    bool valid = name.size() >= 2 && isNameStart(name[0]);
    for (CharT c : name) valid = valid && isNamePart(c);
    auto found = valid ? namedPatterns_.find(name) : namedPatterns_.end();
    bool expanding = false;
    for (const String& n : expanding_) expanding |= n == name;
    if (found == namedPatterns_.end() || expanding) {
      // An unknown name, or one that would splice itself in without end.
      reportSyntaxError();
      return;
    }
    String savedText = text_;
    uint64_t savedFlags = flags_;
    int savedCursor = cursor_;
    text_ = found->second.first;
    flags_ = found->second.second;
    cursor_ = 0;
    expanding_.push_back(name);
    p_.groupCount_ -= 1;
    Node* subLast = nullptr;
    Node* sub = parseGroup(Entry::kTopLevel, 0, Kind::kTopLevel, subLast);
    expanding_.pop_back();
    text_ = savedText;
    flags_ = savedFlags;
    cursor_ = savedCursor;
    if (sub == nullptr || failed_) return;
    tail->next = sub;
    tail = subLast;
  }

  // After a backslash, in the main loop or inside brackets.
  Escape parseEscape() {
    Escape e;
    if (atEnd()) {
      reportSyntaxError();
      e.isSet = true;
      return e;
    }
    CharT c = text_[cursor_++];
    switch (c) {
      case 't': e.ch = '\t'; return e;
      case 'n': e.ch = '\n'; return e;
      case 'r': e.ch = '\r'; return e;
      case 'f': e.ch = '\f'; return e;
      case 'a': e.ch = '\a'; return e;
      case 'e': e.ch = '\r'; return e;  // a carriage return, not escape (27)
      case 'd':
      case 'D':
        e.isSet = true;
        e.inverted = c == 'D';
        e.set.addRange('0', '9');
        return e;
      case 's':
      case 'S':
        e.isSet = true;
        e.inverted = c == 'S';
        for (char m : {' ', '\t', '\r', '\n', '\f'}) e.set.add(m);
        return e;
      case 'w':
      case 'W':
        e.isSet = true;
        e.inverted = c == 'W';
        e.set.addRange('a', 'z');
        e.set.addRange('A', 'Z');
        e.set.addRange('0', '9');
        e.set.add('_');
        return e;
      case 'p':
      case 'P':
        e.isSet = true;
        e.inverted = c == 'P';
        parseNamedClass(e.set);
        return e;
      case 'x':
        e.ch = parseHex();
        return e;
      case '0':
        e.ch = parseOctal();
        return e;
      case 'Q':
        e.quote = true;
        return e;
      default:
        e.ch = c;
        return e;
    }
  }

  bool lookingAt(const char* word) const {
    int n = static_cast<int>(std::char_traits<char>::length(word));
    if (cursor_ + n > length()) return false;
    for (int i = 0; i < n; ++i) {
      if (text_[cursor_ + i] != static_cast<CharT>(word[i])) return false;
    }
    return true;
  }

  void parseNamedClass(CodeSet& set) {
    static const char* const kNames[] = {"{Lower}", "{Upper}", "{Alpha}", "{Digit}", "{Alnum}",
                                         "{Punct}", "{Graph}", "{Print}", "{Blank}", "{Space}",
                                         "{Cntrl}", "{ASCII}", "{XDigit}"};
    int which = -1;
    for (int i = 0; i < 13 && which < 0; ++i) {
      if (lookingAt(kNames[i])) which = i;
    }
    if (which < 0) {
      reportSyntaxError();
      return;
    }
    cursor_ += static_cast<int>(std::char_traits<char>::length(kNames[which]));
    auto punct = [&set] {
      set.addRange(33, 47);
      set.addRange(58, 64);
      set.addRange(91, 96);
      set.addRange(123, 126);
    };
    switch (which) {
      case 0: set.addRange('a', 'z'); break;
      case 1: set.addRange('A', 'Z'); break;
      case 2: set.addRange('a', 'z'); set.addRange('A', 'Z'); break;
      case 3: set.addRange('0', '9'); break;
      case 4: set.addRange('a', 'z'); set.addRange('A', 'Z'); set.addRange('0', '9'); break;
      case 5: punct(); break;
      case 6:
      case 7:  // {Print} has the same members as {Graph}: no space.
        set.addRange('a', 'z'); set.addRange('A', 'Z'); set.addRange('0', '9'); punct(); break;
      case 8: set.add(' '); set.add('\t'); break;
      case 9: set.add(' '); set.addRange('\t', '\r'); break;
      case 10: set.addRange(0, 31); set.add(127); break;
      case 11: set.addRange(0, 127); break;
      default: set.addRange('a', 'f'); set.addRange('A', 'F'); set.addRange('0', '9'); break;
    }
  }

  // After "\x": a hexadecimal code, or a space when the digits are missing.
  CharT parseHex() {
    if (Traits::kLongHex && has(3)) {
      int value = 0;
      bool ok = true;
      for (int i = 0; i < 4; ++i) {
        int h = hexValue(peek(i));
        ok = ok && h >= 0;
        value = value * 16 + (h < 0 ? 0 : h);
      }
      if (ok) {
        cursor_ += 4;
        return static_cast<CharT>(value);
      }
    }
    if (has(1) && hexValue(peek(0)) >= 0 && hexValue(peek(1)) >= 0) {
      int value = hexValue(peek(0)) * 16 + hexValue(peek(1));
      cursor_ += 2;
      return static_cast<CharT>(value);
    }
    return ' ';
  }

  // After "\0": two or three octal digits up to octal 377.
  CharT parseOctal() {
    auto octal = [](CharT c) { return c >= '0' && c <= '7' ? static_cast<int>(c - '0') : -1; };
    int o1 = has(0) ? octal(peek(0)) : -1;
    int o2 = has(1) ? octal(peek(1)) : -1;
    int o3 = has(2) ? octal(peek(2)) : -1;
    if (o1 >= 0 && o1 <= 3 && o2 >= 0) {
      cursor_ += 2;
      int value = 8 * o1 + o2;
      if (o3 >= 0) {
        ++cursor_;
        value = 8 * value + o3;
      }
      return static_cast<CharT>(value);
    }
    if (o1 >= 0 && o2 >= 0) {
      cursor_ += 2;
      return static_cast<CharT>(8 * o1 + o2);
    }
    reportSyntaxError();
    return ' ';
  }

  // Adds lo..hi. Narrow ranges wrap past 255; a reversed wide range would
  // wrap through the whole code space, so it is a syntax error instead.
  void addRange(CodeSet& set, int32_t lo, int32_t hi) {
    if (lo <= hi) {
      set.addRange(lo, hi);
      return;
    }
    if (Traits::kWide) {
      reportSyntaxError();
      return;
    }
    set.addRange(lo, 255);
    set.addRange(0, hi);
  }

  // A bracket expression inside another; deep nesting continues on a fresh
  // stack segment like nested groups do.
  CodeSet nestedBracket() {
    if (!stack_.nearLimit()) return parseBracket();
    CodeSet result;
    auto call = [&] { result = parseBracket(); };
    if (stack_.runOnFreshSegment(call)) return result;
    reportSyntaxError();
    cursor_ = length();
    return CodeSet();
  }

  // After '[': up to and including the matching ']'; items combine from
  // left to right without precedence.
  CodeSet parseBracket() {
    bool negated = false;
    if (has(0) && peek() == '^') {
      ++cursor_;
      negated = true;
    }
    CodeSet r;
    while (!atEnd() && peek() != ']') {
      CharT c = text_[cursor_++];
      if (c == '[') {
        r.unite(nestedBracket());
        continue;
      }
      if (c == '&' && has(0) && peek() == '&') {
        ++cursor_;
        if (has(0) && peek() == '[') {
          ++cursor_;
          r.intersect(nestedBracket());
        } else {
          reportSyntaxError();
          cursor_ = length();
        }
        continue;
      }
      int32_t lo = code(c);
      if (c == '\\') {
        Escape e = parseEscape();
        if (e.quote) {
          reportSyntaxError();
          cursor_ = length();
          continue;
        }
        if (e.isSet || e.inverted) {
          if (e.inverted) negate(e.set);
          r.unite(e.set);
          continue;
        }
        lo = code(e.ch);
      }
      if (!(has(0) && peek() == '-')) {
        r.add(lo);
        continue;
      }
      ++cursor_;
      if (atEnd()) {
        reportSyntaxError();
        continue;
      }
      CharT d = text_[cursor_++];
      if (d == '[' || d == ']' || d == '-' || d == '&') {
        reportSyntaxError();
        cursor_ = length();
        continue;
      }
      int32_t hi = code(d);
      if (d == '\\') {
        Escape e = parseEscape();
        if (e.quote) {
          reportSyntaxError();
          cursor_ = length();
          continue;
        }
        if (e.isSet || e.inverted) {
          reportSyntaxError();
          continue;
        }
        hi = code(e.ch);
      }
      addRange(r, lo, hi);
    }
    if (atEnd()) {
      reportSyntaxError();
      return CodeSet();
    }
    ++cursor_;
    if (negated) negate(r);
    return r;
  }

  BasicPattern<CharT>& p_;
  const NamedPatternMap<CharT>& namedPatterns_;
  String text_;
  uint64_t flags_;
  int cursor_ = 0;
  bool failed_ = false;
  std::vector<String> expanding_;
  DeepStack stack_;
};

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_COMPILER_H_
