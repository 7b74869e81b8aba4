// The mutable state of one match: the subject, group positions, loop
// counters, and the two guards that keep a hostile subject from crashing or
// hanging the caller (the step budget and the deep-stack limit).
//
// Nodes are read-only; everything that changes while matching lives here, so
// several matchers can run one pattern without disturbing each other.
#ifndef REGEX_INTERNAL_MATCH_STATE_H_
#define REGEX_INTERNAL_MATCH_STATE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "regex/internal/deep_stack.h"

namespace regex_internal {

template <typename CharT> class NFANodeT;

template <typename CharT>
struct MatchState {
  // Ends runaway backtracking; in the order mature backtracking engines use.
  static constexpr int64_t kBaseStepBudget = 10000000;
  // Linear work over long subjects gets further steps per subject
  // character: this many, plus one per node and group of the pattern, since
  // a search may pass through the whole pattern at every start position.
  static constexpr int64_t kStepsPerCharacter = 16;
  // Switching to a fresh stack segment is charged like this many steps, so
  // recursion that keeps crossing a segment boundary stays bounded in time.
  static constexpr int64_t kSegmentSwitchSteps = 10000;

  MatchState(int groupCount, int hiddenGroups, int64_t nodeCount)
      : stepsPerCharacter(kStepsPerCharacter + nodeCount + groupCount + hiddenGroups),
        groupCount(groupCount),
        hiddenGroups(hiddenGroups),
        storage(static_cast<size_t>(5) * (groupCount + hiddenGroups)) {
    int width = groupCount + hiddenGroups;
    starts = storage.data() + hiddenGroups;
    ends = starts + width;
    loopCount = ends + width;
    loopStart = loopCount + width;
    loopMark = loopStart + width;
    for (int i = -hiddenGroups; i < groupCount; ++i) {
      starts[i] = i < 0 ? -1 : 0;
      ends[i] = i < 0 ? -1 : 0;
      loopCount[i] = 0;
      loopStart[i] = -1;
      loopMark[i] = 0;
    }
  }

  void setText(const std::basic_string<CharT>& newText) {
    text = newText;
    data = text.data();
    length = text.size() > kMaxLength ? -1 : static_cast<int>(text.size());
  }

  void clearGroups() {
    searchAnchor = 0;
    for (int i = 0; i < groupCount; ++i) {
      starts[i] = -1;
      ends[i] = -1;
      loopCount[i] = -1;
    }
    for (int i = -hiddenGroups; i < 0; ++i) loopCount[i] = -1;
  }

  // Starts one matcher operation: fresh budget, fresh stack limit.
  void beginOperation() {
    steps = 0;
    stepBudget = kBaseStepBudget + stepsPerCharacter * static_cast<int64_t>(length);
    stack.begin();
  }
  bool aborted() const { return steps > stepBudget; }
  // Counts linear scanning work (a repetition of one character).
  void chargeSteps(int64_t n) { steps += n; }

  // Continues the match at node with position pos: counts a step and
  // keeps the recursion within the stack limits. -1 once the budget is gone.
  int go(const NFANodeT<CharT>* node, int pos);

  // Runs f() (which returns a match result) on a fresh stack segment when
  // the current one is nearly used up.
  template <typename F>
  int deep(F&& f) {
    if (!stack.nearLimit()) return f();
    steps += kSegmentSwitchSteps;
    int result = -1;
    auto call = [&] { result = f(); };
    if (!stack.runOnFreshSegment(call)) {
      steps = stepBudget + 1;  // far limit reached: give the match up
      return -1;
    }
    return result;
  }

  // Longest subject the engine accepts: positions are signed 32-bit and one
  // past the end must stay representable.
  static constexpr size_t kMaxLength = 2147483645;

  const int64_t stepsPerCharacter;
  std::basic_string<CharT> text;
  const CharT* data = nullptr;
  int length = 0;  // -1 for a subject too long to match
  int groupCount;
  int hiddenGroups;
  std::vector<int> storage;
  // Indexed from -hiddenGroups to groupCount - 1.
  int* starts;
  int* ends;
  int* loopCount;
  int* loopStart;
  int* loopMark;
  int searchAnchor = 0;
  bool wholeMode = false;
  bool searched = false;

  int64_t steps = 0;
  int64_t stepBudget = 0;
  DeepStack stack;
};

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_MATCH_STATE_H_
