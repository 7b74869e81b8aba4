// The node graph of a compiled pattern and the match rule of every node.
//
// Matching is backtracking by continuation: a node tests its own condition at
// a position and, when it holds, continues with its next node; the call
// returns the end of a match of the whole rest of the graph, or -1. Nodes that
// have alternatives (alternation, repetition, group loops) try them in their
// preferred order. Nodes that record group positions restore them when the
// rest fails. Nodes are immutable once linked; all changing state is in
// MatchState.
//
// Each class is a template over the character type; the narrow and wide
// engines are its two instantiations (NFACharNode and NFACharUNode, ...).
#ifndef REGEX_INTERNAL_NODES_H_
#define REGEX_INTERNAL_NODES_H_

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>

#include "regex/internal/char_traits.h"
#include "regex/internal/code_set.h"
#include "regex/internal/match_state.h"

namespace regex_internal {

// Largest repetition count; stands for "unbounded".
constexpr int kUnbounded = 2147483647;

template <typename CharT>
constexpr const char* pickName(const char* narrow, const char* wide) {
  return std::is_same<CharT, char>::value ? narrow : wide;
}

#define REGEX_NODE_NAME(narrow, wide) \
  const char* name() const override { return pickName<CharT>(narrow, wide); }

template <typename CharT>
class NFANodeT {
 public:
  using State = MatchState<CharT>;
  using String = std::basic_string<CharT>;
  using Traits = EngineTraits<CharT>;

  virtual ~NFANodeT() = default;
  // End of a match of this node and everything after it, or -1.
  virtual int match(State& m, int pos) const = 0;
  virtual void print(int indent) const {
    printLine(indent, "\n");
    printNext(indent);
  }
  virtual bool isGroupHead() const { return false; }
  virtual bool isStartOfInput() const { return false; }
  // Atoms of fixed width without side effects (characters, classes,
  // literals) can be repeated by a plain loop instead of recursion.
  virtual bool isSimpleAtom() const { return false; }
  // One occurrence of a simple atom at pos: the position after it, or -1.
  virtual int consume(const State&, int) const { return -1; }
  virtual const char* name() const = 0;

  NFANodeT* next = nullptr;

 protected:
  int goOn(State& m, int pos) const { return m.go(next, pos); }
  // The run-time type name as the compiler mangles a plain class name.
  std::string typeName() const {
    return std::to_string(std::strlen(name())) + name();
  }
  void printLine(int indent, const char* rest) const {
    printf("%*c%s%s", 2 * indent, ' ', typeName().c_str(), rest);
  }
  void printNext(int indent) const {
    if (next != nullptr) next->print(indent);
  }
  static const char* boolText(bool b) { return b ? "true" : "false"; }
};

template <typename CharT>
inline int MatchState<CharT>::go(const NFANodeT<CharT>* node, int pos) {
  if (++steps > stepBudget) return -1;
  if (!stack.nearLimit()) return node->match(*this, pos);
  return deep([&] { return node->match(*this, pos); });
}

template <typename CharT>
class NFACharNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  explicit NFACharNodeT(CharT ch) : ch(ch) {}
  REGEX_NODE_NAME("NFACharNode", "NFACharUNode")
  int match(State& m, int pos) const override {
    int e = consume(m, pos);
    return e < 0 ? -1 : this->goOn(m, e);
  }
  bool isSimpleAtom() const override { return true; }
  int consume(const State& m, int pos) const override {
    return pos < m.length && m.data[pos] == ch ? pos + 1 : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(0x%02X)\n", 2 * indent, ' ', this->typeName().c_str(),
           static_cast<unsigned>(EngineTraits<CharT>::code(ch)));
    this->printNext(indent);
  }
  CharT ch;
};

template <typename CharT>
class NFACICharNodeT : public NFACharNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  explicit NFACICharNodeT(CharT lowerCh) : NFACharNodeT<CharT>(lowerCh) {}
  REGEX_NODE_NAME("NFACICharNode", "NFACICharUNode")
  int consume(const State& m, int pos) const override {
    return pos < m.length && lowerAscii(m.data[pos]) == this->ch ? pos + 1 : -1;
  }
};

template <typename CharT>
class NFAClassNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  NFAClassNodeT(bool inv, CodeSet vals) : inv(inv), vals(std::move(vals)) {}
  REGEX_NODE_NAME("NFAClassNode", "NFAClassUNode")
  int match(State& m, int pos) const override {
    int e = consume(m, pos);
    return e < 0 ? -1 : this->goOn(m, e);
  }
  bool isSimpleAtom() const override { return true; }
  int consume(const State& m, int pos) const override {
    if (pos >= m.length) return -1;
    return vals.contains(EngineTraits<CharT>::code(m.data[pos])) != inv ? pos + 1 : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(%lld vals, inv=%s)\n", 2 * indent, ' ', this->typeName().c_str(),
           static_cast<long long>(vals.size()), this->boolText(inv));
    this->printNext(indent);
  }
  bool inv;
  CodeSet vals;
};

template <typename CharT>
class NFACIClassNodeT : public NFAClassNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  NFACIClassNodeT(bool inv, CodeSet lowerVals) : NFAClassNodeT<CharT>(inv, std::move(lowerVals)) {}
  REGEX_NODE_NAME("NFACIClassNode", "NFACIClassUNode")
  int consume(const State& m, int pos) const override {
    if (pos >= m.length) return -1;
    CharT c = lowerAscii(m.data[pos]);
    return this->vals.contains(EngineTraits<CharT>::code(c)) != this->inv ? pos + 1 : -1;
  }
  // Folded classes have no dump line of their own.
  void print(int indent) const override { this->printNext(indent); }
};

template <typename CharT>
class NFAQuoteNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using typename NFANodeT<CharT>::String;
  explicit NFAQuoteNodeT(String str) : str(std::move(str)) {}
  REGEX_NODE_NAME("NFAQuoteNode", "NFAQuoteUNode")
  int match(State& m, int pos) const override {
    int e = consume(m, pos);
    return e < 0 ? -1 : this->goOn(m, e);
  }
  bool isSimpleAtom() const override { return true; }
  int consume(const State& m, int pos) const override {
    int n = static_cast<int>(str.size());
    if (pos > m.length - n) return -1;
    return str.compare(0, n, m.data + pos, n) == 0 ? pos + n : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(%s)\n", 2 * indent, ' ', this->typeName().c_str(),
           EngineTraits<CharT>::display(str).c_str());
    this->printNext(indent);
  }
  String str;
};

template <typename CharT>
class NFACIQuoteNodeT : public NFAQuoteNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using typename NFANodeT<CharT>::String;
  explicit NFACIQuoteNodeT(String str) : NFAQuoteNodeT<CharT>(std::move(str)) {}
  REGEX_NODE_NAME("NFACIQuoteNode", "NFACIQuoteUNode")
  int consume(const State& m, int pos) const override {
    int n = static_cast<int>(this->str.size());
    if (pos > m.length - n) return -1;
    for (int i = 0; i < n; ++i) {
      if (lowerAscii(m.data[pos + i]) != lowerAscii(this->str[i])) return -1;
    }
    return pos + n;
  }
};

// Pass-through node at the start of a sub-chain.
template <typename CharT>
class NFASubStartNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFASubStartNode", "NFASubStartUNode")
  int match(State& m, int pos) const override {
    return this->next == nullptr ? pos : this->goOn(m, pos);
  }
};

// Joins branches; without a next it ends a sub-chain and returns the position.
template <typename CharT>
class NFAAcceptNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAAcceptNode", "NFAAcceptUNode")
  int match(State& m, int pos) const override {
    return this->next == nullptr ? pos : this->goOn(m, pos);
  }
};

template <typename CharT>
class NFAOrNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using Node = NFANodeT<CharT>;
  NFAOrNodeT(Node* one, Node* two) : one(one), two(two) {}
  REGEX_NODE_NAME("NFAOrNode", "NFAOrUNode")
  int match(State& m, int pos) const override {
    int r = m.go(one, pos);
    if (r != -1) return r;
    return m.go(two, pos);
  }
  void print(int indent) const override {
    this->printLine(indent, "\n");
    printf("%*cone\n", 2 * indent + 2, ' ');
    one->print(indent + 2);
    printf("%*ctwo\n", 2 * indent + 2, ' ');
    two->print(indent + 2);
  }
  Node* one;
  Node* two;
};

// Group 0's start, and the search loop over start positions.
template <typename CharT>
class NFAStartNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAStartNode", "NFAStartUNode")
  int match(State& m, int pos) const override {
    m.starts[0] = pos;
    if (m.wholeMode) {
      if (pos != 0) {
        m.starts[0] = -1;
        return -1;
      }
      return this->goOn(m, 0);
    }
    for (int q = pos;; ++q) {
      if (q > pos) {
        m.clearGroups();  // charged like a step per group
        m.chargeSteps(m.groupCount + m.hiddenGroups);
        m.starts[0] = q;
      }
      int r = this->goOn(m, q);
      if (r != -1) return r;
      if (q >= m.length || m.aborted()) break;
    }
    m.starts[0] = -1;
    return -1;
  }
};

// Group 0's end; in whole mode only the end of the text is accepted.
template <typename CharT>
class NFAEndNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAEndNode", "NFAEndUNode")
  int match(State& m, int pos) const override {
    m.ends[0] = pos;
    if (!m.wholeMode || pos == m.length) return pos;
    m.ends[0] = -1;
    return -1;
  }
};

template <typename CharT>
class NFAStartOfInputNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAStartOfInputNode", "NFAStartOfInputUNode")
  int match(State& m, int pos) const override { return pos == 0 ? this->goOn(m, pos) : -1; }
  bool isStartOfInput() const override { return true; }
};

template <typename CharT>
class NFAEndOfInputNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  explicit NFAEndOfInputNodeT(bool term) : term(term) {}
  REGEX_NODE_NAME("NFAEndOfInputNode", "NFAEndOfInputUNode")
  int match(State& m, int pos) const override {
    int len = m.length;
    bool at = pos == len;
    if (!at && term) {
      at = (pos == len - 1 && isLineTerminator(m.data[pos])) ||
           (pos == len - 2 && m.data[pos] == '\r' && m.data[pos + 1] == '\n');
    }
    return at ? this->goOn(m, pos) : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(term=%s)\n", 2 * indent, ' ', this->typeName().c_str(), this->boolText(term));
    this->printNext(indent);
  }
  bool term;
};

template <typename CharT>
class NFAStartOfLineNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAStartOfLineNode", "NFAStartOfLineUNode")
  int match(State& m, int pos) const override {
    if (pos == 0 || (pos <= m.length && isLineTerminator(m.data[pos - 1]))) {
      return this->goOn(m, pos);
    }
    return -1;
  }
};

template <typename CharT>
class NFAEndOfLineNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAEndOfLineNode", "NFAEndOfLineUNode")
  int match(State& m, int pos) const override {
    if (pos >= m.length || isLineTerminator(m.data[pos])) return this->goOn(m, pos);
    return -1;
  }
};

// \b and \B; word characters are ASCII letters only.
template <typename CharT>
class NFAWordBoundaryNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  explicit NFAWordBoundaryNodeT(bool pos) : pos(pos) {}
  REGEX_NODE_NAME("NFAWordBoundaryNode", "NFAWordBoundaryUNode")
  int match(State& m, int at) const override {
    if (at >= m.length) return this->goOn(m, at);
    bool before = at > 0 && isAsciiLetter(m.data[at - 1]);
    bool boundary = before != isAsciiLetter(m.data[at]);
    return boundary == pos ? this->goOn(m, at) : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(pos=%s)\n", 2 * indent, ' ', this->typeName().c_str(), this->boolText(pos));
    this->printNext(indent);
  }
  bool pos;
};

// \G: where the current search began.
template <typename CharT>
class NFAEndOfMatchNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  REGEX_NODE_NAME("NFAEndOfMatchNode", "NFAEndOfMatchUNode")
  int match(State& m, int pos) const override {
    return pos == m.searchAnchor ? this->goOn(m, pos) : -1;
  }
};

// A group index field and its dump line.
template <typename CharT>
class NFAGroupIndexNodeT : public NFANodeT<CharT> {
 public:
  explicit NFAGroupIndexNodeT(int gi) : gi(gi) {}
  void print(int indent) const override {
    printf("%*c%s(gi=%d)\n", 2 * indent, ' ', this->typeName().c_str(), gi);
    this->printNext(indent);
  }
  int gi;
};

// \N. A group that has not taken part, is still open, matched the empty
// string or does not exist matches the empty string.
template <typename CharT>
class NFAReferenceNodeT : public NFAGroupIndexNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAGroupIndexNodeT<CharT>::NFAGroupIndexNodeT;
  REGEX_NODE_NAME("NFAReferenceNode", "NFAReferenceUNode")
  int match(State& m, int pos) const override {
    int gi = this->gi;
    if (gi < 1 || gi >= m.groupCount || m.starts[gi] < 0 || m.ends[gi] - m.starts[gi] <= 0 ||
        m.ends[gi] > m.length) {
      return this->goOn(m, pos);
    }
    int start = m.starts[gi];
    int n = m.ends[gi] - start;
    if (pos > m.length - n) return -1;
    for (int i = 0; i < n; ++i) {
      if (m.data[pos + i] != m.data[start + i]) return -1;
    }
    return this->goOn(m, pos + n);
  }
};

template <typename CharT>
class NFAGroupHeadNodeT : public NFAGroupIndexNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAGroupIndexNodeT<CharT>::NFAGroupIndexNodeT;
  REGEX_NODE_NAME("NFAGroupHeadNode", "NFAGroupHeadUNode")
  int match(State& m, int pos) const override {
    int kept = m.starts[this->gi];
    m.starts[this->gi] = pos;
    int r = this->goOn(m, pos);
    if (r < 0) m.starts[this->gi] = kept;
    return r;
  }
  bool isGroupHead() const override { return true; }
};

template <typename CharT>
class NFAGroupTailNodeT : public NFAGroupIndexNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAGroupIndexNodeT<CharT>::NFAGroupIndexNodeT;
  REGEX_NODE_NAME("NFAGroupTailNode", "NFAGroupTailUNode")
  int match(State& m, int pos) const override {
    int kept = m.ends[this->gi];
    m.ends[this->gi] = pos;
    int r = this->goOn(m, pos);
    if (r < 0) m.ends[this->gi] = kept;
    return r;
  }
};

// Resets a quantified group's loop state each time the loop is entered.
template <typename CharT>
class NFAGroupLoopPrologueNodeT : public NFAGroupIndexNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAGroupIndexNodeT<CharT>::NFAGroupIndexNodeT;
  REGEX_NODE_NAME("NFAGroupLoopPrologueNode", "NFAGroupLoopPrologueUNode")
  int match(State& m, int pos) const override {
    int gi = this->gi;
    int keptCount = m.loopCount[gi];
    int keptMark = m.loopMark[gi];
    int keptStart = m.loopStart[gi];
    m.loopCount[gi] = 0;
    m.loopMark[gi] = 0;
    m.loopStart[gi] = -1;
    int r = this->goOn(m, pos);
    if (r < 0) {
      m.loopCount[gi] = keptCount;
      m.loopMark[gi] = keptMark;
      m.loopStart[gi] = keptStart;
    }
    return r;
  }
};

enum LoopType { kGreedy = 0, kReluctant = 1, kPossessive = 2 };

// A quantified group; inner is the group's chain, whose tail leads back here.
template <typename CharT>
class NFAGroupLoopNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using Node = NFANodeT<CharT>;
  NFAGroupLoopNodeT(int gi, int min, int max, int type, Node* inner)
      : gi(gi), min(min), max(max), type(type), inner(inner) {}
  REGEX_NODE_NAME("NFAGroupLoopNode", "NFAGroupLoopUNode")

  int match(State& m, int pos) const override {
    bool emptyIteration = m.loopStart[gi] >= pos;
    if (!emptyIteration && m.loopCount[gi] < min) {
      int kept = m.loopStart[gi];
      m.loopCount[gi] += 1;
      m.loopStart[gi] = pos;
      int r = m.go(inner, pos);
      if (r < 0) {
        m.loopStart[gi] = kept;
        m.loopCount[gi] -= 1;
      }
      return r;
    }
    if (emptyIteration || m.loopCount[gi] >= max) return this->goOn(m, pos);
    switch (type) {
      case kGreedy: {
        int kept = m.loopStart[gi];
        m.loopStart[gi] = pos;
        m.loopCount[gi] += 1;
        int r = m.go(inner, pos);
        if (r >= 0) return r;
        m.loopStart[gi] = kept;
        m.loopCount[gi] -= 1;
        return this->goOn(m, pos);
      }
      case kReluctant: {
        int r = this->goOn(m, pos);
        if (r >= 0) return r;
        int kept = m.loopStart[gi];
        m.loopStart[gi] = pos;
        m.loopCount[gi] += 1;
        r = m.go(inner, pos);
        if (r < 0) {
          m.loopStart[gi] = kept;
          m.loopCount[gi] -= 1;
        }
        return r;
      }
      case kPossessive: {
        int kept = m.loopStart[gi];
        m.loopMark[gi] = m.loopCount[gi];
        m.loopStart[gi] = pos;
        m.loopCount[gi] += 1;
        int r = m.go(inner, pos);
        if (r < 0) {
          m.loopStart[gi] = kept;
          m.loopCount[gi] -= 1;
          // Only the innermost failed iteration goes on; outer ones find the
          // mark changed and give up, so fewer iterations are never tried.
          if (m.loopCount[gi] == m.loopMark[gi]) r = this->goOn(m, pos);
        }
        return r;
      }
      default:
        return -1;
    }
  }
  void print(int indent) const override {
    static const char* const kTypes[] = {"greedy", "reluctant", "possessive"};
    printf("%*c%s(gi=%d, min=%d, max=%d, type=%s)\n", 2 * indent, ' ', this->typeName().c_str(),
           gi, min, max, type >= 0 && type <= 2 ? kTypes[type] : "?");
    this->printNext(indent);
  }
  int gi;
  int min;
  int max;
  int type;
  Node* inner;
};

template <typename CharT>
class NFALookAheadNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using Node = NFANodeT<CharT>;
  NFALookAheadNodeT(bool pos, Node* inner) : pos(pos), inner(inner) {}
  REGEX_NODE_NAME("NFALookAheadNode", "NFALookAheadUNode")
  int match(State& m, int at) const override {
    bool found = m.go(inner, at) != -1;
    if (m.aborted()) return -1;
    return found == pos ? this->goOn(m, at) : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(pos=%s)\n", 2 * indent, ' ', this->typeName().c_str(), this->boolText(pos));
    inner->print(indent + 1);
    this->printNext(indent);
  }
  bool pos;
  Node* inner;
};

// A fixed text that must (or must not) end at the current position; also
// the always-succeeding node of a bare flag group (empty text, positive).
template <typename CharT>
class NFALookBehindNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using typename NFANodeT<CharT>::String;
  NFALookBehindNodeT(bool pos, String str) : pos(pos), str(std::move(str)) {}
  REGEX_NODE_NAME("NFALookBehindNode", "NFALookBehindUNode")
  int match(State& m, int at) const override {
    int n = static_cast<int>(str.size());
    bool found = at >= n && str.compare(0, n, m.data + at - n, n) == 0;
    return found == pos ? this->goOn(m, at) : -1;
  }
  void print(int indent) const override {
    printf("%*c%s(str=%s, pos=%s)\n", 2 * indent, ' ', this->typeName().c_str(),
           EngineTraits<CharT>::display(str).c_str(), this->boolText(pos));
    this->printNext(indent);
  }
  bool pos;
  String str;
};

// A repeated atom. inner is one atom whose next is an accept node without a
// next, so matching inner gives the position after one occurrence.
template <typename CharT>
class NFAQuantifierNodeT : public NFANodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using Node = NFANodeT<CharT>;
  NFAQuantifierNodeT(int min, int max, Node* inner)
      : min(min < 0 ? 0 : min), max(max), inner(inner), simple(inner->isSimpleAtom()) {}
  REGEX_NODE_NAME("NFAQuantifierNode", "NFAQuantifierUNode")
  // The required occurrences: their end, or the end of an occurrence that
  // consumed nothing, or -1.
  int match(State& m, int pos) const override {
    int k = pos;
    for (int i = 0; i < min; ++i) {
      int e = occurrence(m, k);
      if (e <= k) return e;
      k = e;
    }
    return k;
  }
  void print(int indent) const override {
    printf("%*c%s(min=%d, max=%d)\n", 2 * indent, ' ', this->typeName().c_str(), min, max);
    printf("%*cinner\n", 2 * indent + 2, ' ');
    inner->print(indent + 2);
    this->printNext(indent);
  }
  int min;
  int max;
  Node* inner;

 protected:
  int occurrence(State& m, int k) const {
    if (!simple) return m.go(inner, k);
    m.chargeSteps(1);
    return inner->consume(m, k);
  }
  bool simple;
};

template <typename CharT>
class NFAGreedyQuantifierNodeT : public NFAQuantifierNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAQuantifierNodeT<CharT>::NFAQuantifierNodeT;
  REGEX_NODE_NAME("NFAGreedyQuantifierNode", "NFAGreedyQuantifierUNode")
  int match(State& m, int pos) const override {
    int k = NFAQuantifierNodeT<CharT>::match(m, pos);
    if (k < 0) return -1;
    if (this->simple) return matchSimple(m, k);
    return matchRest(m, k, this->min);
  }
  // Takes one more occurrence while it consumes and the count allows, then
  // the rest of the pattern; gives occurrences back one at a time.
  int matchRest(State& m, int k, int count) const {
    if (count >= this->max) return this->goOn(m, k);
    int e = m.go(this->inner, k);
    if (e > k) {
      int r = m.deep([&] { return matchRest(m, e, count + 1); });
      if (r != -1) return r;
    }
    return this->goOn(m, k);
  }

 private:
  // matchRest for a fixed-width atom without side effects, as a loop: the
  // same order of tries without recursion per occurrence.
  int matchSimple(State& m, int k) const {
    int end = k;
    int64_t taken = 0;
    int64_t room = static_cast<int64_t>(this->max) - this->min;
    while (taken < room) {
      int e = this->inner->consume(m, end);
      if (e <= end) break;
      end = e;
      ++taken;
    }
    m.chargeSteps(taken);
    if (taken == 0) return this->goOn(m, k);
    int width = static_cast<int>((end - k) / taken);
    for (int64_t j = taken; j >= 0; --j) {
      int r = this->goOn(m, k + static_cast<int>(j) * width);
      if (r != -1) return r;
      if (m.aborted()) return -1;
    }
    return -1;
  }
};

template <typename CharT>
class NFALazyQuantifierNodeT : public NFAQuantifierNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAQuantifierNodeT<CharT>::NFAQuantifierNodeT;
  REGEX_NODE_NAME("NFALazyQuantifierNode", "NFALazyQuantifierUNode")
  int match(State& m, int pos) const override {
    int k = NFAQuantifierNodeT<CharT>::match(m, pos);
    if (k < 0) return -1;
    for (int i = this->min; i < this->max;) {
      int r = this->goOn(m, k);
      if (r != -1 || m.aborted()) return r;
      int d = this->occurrence(m, k);
      ++i;
      if (d <= k) return -1;
      k = d;
    }
    return this->goOn(m, k);
  }
};

template <typename CharT>
class NFAPossessiveQuantifierNodeT : public NFAQuantifierNodeT<CharT> {
 public:
  using typename NFANodeT<CharT>::State;
  using NFAQuantifierNodeT<CharT>::NFAQuantifierNodeT;
  REGEX_NODE_NAME("NFAPossessiveQuantifierNode", "NFAPossessiveQuantifierUNode")
  int match(State& m, int pos) const override {
    int k = NFAQuantifierNodeT<CharT>::match(m, pos);
    if (k < 0) return -1;
    for (int i = this->min; i < this->max;) {
      int d = this->occurrence(m, k);
      ++i;
      if (d <= k) return this->goOn(m, k);
      k = d;
    }
    return this->goOn(m, k);
  }
};

#undef REGEX_NODE_NAME

// The spelled-out names of the two instantiations.
using NFANode = NFANodeT<char>;
using NFACharNode = NFACharNodeT<char>;
using NFACICharNode = NFACICharNodeT<char>;
using NFAClassNode = NFAClassNodeT<char>;
using NFACIClassNode = NFACIClassNodeT<char>;
using NFAQuoteNode = NFAQuoteNodeT<char>;
using NFACIQuoteNode = NFACIQuoteNodeT<char>;
using NFASubStartNode = NFASubStartNodeT<char>;
using NFAAcceptNode = NFAAcceptNodeT<char>;
using NFAOrNode = NFAOrNodeT<char>;
using NFAStartNode = NFAStartNodeT<char>;
using NFAEndNode = NFAEndNodeT<char>;
using NFAStartOfInputNode = NFAStartOfInputNodeT<char>;
using NFAEndOfInputNode = NFAEndOfInputNodeT<char>;
using NFAStartOfLineNode = NFAStartOfLineNodeT<char>;
using NFAEndOfLineNode = NFAEndOfLineNodeT<char>;
using NFAWordBoundaryNode = NFAWordBoundaryNodeT<char>;
using NFAEndOfMatchNode = NFAEndOfMatchNodeT<char>;
using NFAReferenceNode = NFAReferenceNodeT<char>;
using NFAGroupHeadNode = NFAGroupHeadNodeT<char>;
using NFAGroupTailNode = NFAGroupTailNodeT<char>;
using NFAGroupLoopPrologueNode = NFAGroupLoopPrologueNodeT<char>;
using NFAGroupLoopNode = NFAGroupLoopNodeT<char>;
using NFALookAheadNode = NFALookAheadNodeT<char>;
using NFALookBehindNode = NFALookBehindNodeT<char>;
using NFAQuantifierNode = NFAQuantifierNodeT<char>;
using NFAGreedyQuantifierNode = NFAGreedyQuantifierNodeT<char>;
using NFALazyQuantifierNode = NFALazyQuantifierNodeT<char>;
using NFAPossessiveQuantifierNode = NFAPossessiveQuantifierNodeT<char>;

using NFAUNode = NFANodeT<wchar_t>;
using NFACharUNode = NFACharNodeT<wchar_t>;
using NFACICharUNode = NFACICharNodeT<wchar_t>;
using NFAClassUNode = NFAClassNodeT<wchar_t>;
using NFACIClassUNode = NFACIClassNodeT<wchar_t>;
using NFAQuoteUNode = NFAQuoteNodeT<wchar_t>;
using NFACIQuoteUNode = NFACIQuoteNodeT<wchar_t>;
using NFASubStartUNode = NFASubStartNodeT<wchar_t>;
using NFAAcceptUNode = NFAAcceptNodeT<wchar_t>;
using NFAOrUNode = NFAOrNodeT<wchar_t>;
using NFAStartUNode = NFAStartNodeT<wchar_t>;
using NFAEndUNode = NFAEndNodeT<wchar_t>;
using NFAStartOfInputUNode = NFAStartOfInputNodeT<wchar_t>;
using NFAEndOfInputUNode = NFAEndOfInputNodeT<wchar_t>;
using NFAStartOfLineUNode = NFAStartOfLineNodeT<wchar_t>;
using NFAEndOfLineUNode = NFAEndOfLineNodeT<wchar_t>;
using NFAWordBoundaryUNode = NFAWordBoundaryNodeT<wchar_t>;
using NFAEndOfMatchUNode = NFAEndOfMatchNodeT<wchar_t>;
using NFAReferenceUNode = NFAReferenceNodeT<wchar_t>;
using NFAGroupHeadUNode = NFAGroupHeadNodeT<wchar_t>;
using NFAGroupTailUNode = NFAGroupTailNodeT<wchar_t>;
using NFAGroupLoopPrologueUNode = NFAGroupLoopPrologueNodeT<wchar_t>;
using NFAGroupLoopUNode = NFAGroupLoopNodeT<wchar_t>;
using NFALookAheadUNode = NFALookAheadNodeT<wchar_t>;
using NFALookBehindUNode = NFALookBehindNodeT<wchar_t>;
using NFAQuantifierUNode = NFAQuantifierNodeT<wchar_t>;
using NFAGreedyQuantifierUNode = NFAGreedyQuantifierNodeT<wchar_t>;
using NFALazyQuantifierUNode = NFALazyQuantifierNodeT<wchar_t>;
using NFAPossessiveQuantifierUNode = NFAPossessiveQuantifierNodeT<wchar_t>;

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_NODES_H_
