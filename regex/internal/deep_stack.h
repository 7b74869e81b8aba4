// Keeps deep recursion off the caller's stack.
//
// Matching and parsing recurse once per node on the current path, so a long
// subject (or a deeply nested pattern) would overflow a thread's stack. The
// recursion checks the current frame against a limit; past it, the rest of the
// recursion continues on a fresh stack segment of our own: a thread with a
// large stack that the kernel commits only as it is touched, while the caller
// waits for its result. After kMaxSegments nested segments the work is given
// up and the caller treats it as failed (no match), so even a hostile text
// ends in a plain result instead of a crash.
#ifndef REGEX_INTERNAL_DEEP_STACK_H_
#define REGEX_INTERNAL_DEEP_STACK_H_

#include <cstddef>
#include <cstdint>

namespace regex_internal {

class DeepStack {
 public:
  // How much of the caller's own stack the engine may use.
  static constexpr size_t kCallerAllowance = 256 * 1024;
  static constexpr size_t kSegmentSize = 64 * 1024 * 1024;
  // Room kept free at the end of each segment for the frames between checks.
  static constexpr size_t kSegmentReserve = 256 * 1024;
  static constexpr size_t kGuardSize = 64 * 1024;
  static constexpr int kMaxSegments = 16;

  // Starts a new top-level operation on the calling thread.
  void begin() {
    limit_ = currentFrame() - kCallerAllowance;
    segments_ = 0;
  }
  bool nearLimit() const { return currentFrame() < limit_; }

  // Runs fn on a fresh segment and returns true, or returns false without
  // running it when the segments are used up or none can be made.
  template <typename Fn>
  bool runOnFreshSegment(Fn& fn) {
    return runRaw([](void* arg) { (*static_cast<Fn*>(arg))(); }, &fn);
  }

 private:
  static uintptr_t currentFrame() {
    return reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  }
  bool runRaw(void (*fn)(void*), void* arg);
  static void* segmentMain(void* arg);

  uintptr_t limit_ = 0;
  int segments_ = 0;
};

}  // namespace regex_internal

#endif  // REGEX_INTERNAL_DEEP_STACK_H_
