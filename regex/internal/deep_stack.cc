// Running the rest of a deep recursion on a fresh stack segment; see
// deep_stack.h.
#include "regex/internal/deep_stack.h"

#include <pthread.h>
#include <sys/mman.h>

namespace regex_internal {
namespace {

struct SegmentCall {
  void (*fn)(void*);
  void* arg;
  uintptr_t* limit;
};

}  // namespace

void* DeepStack::segmentMain(void* arg) {
  auto* call = static_cast<SegmentCall*>(arg);
  // The thread library keeps its own records at the top of the segment, so
  // the limit is measured from the first frame rather than from the top.
  *call->limit = currentFrame() - (kSegmentSize - kSegmentReserve);
  call->fn(call->arg);
  return nullptr;
}

bool DeepStack::runRaw(void (*fn)(void*), void* arg) {
  if (segments_ >= kMaxSegments) return false;
  // The segment's memory is our own mapping rather than the thread
  // library's: it can then ask for huge pages, which cuts the page faults
  // of a deep recursion (costly on virtual machines) by a factor of 512.
  void* memory = mmap(nullptr, kSegmentSize, PROT_READ | PROT_WRITE,
                      MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_STACK, -1, 0);
  if (memory == MAP_FAILED) return false;
  madvise(memory, kSegmentSize, MADV_HUGEPAGE);
  // A guard at the low end turns an overrun into a clean fault.
  mprotect(memory, kGuardSize, PROT_NONE);
  bool ran = false;
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) == 0) {
    if (pthread_attr_setstack(&attr, memory, kSegmentSize) == 0) {
      uintptr_t savedLimit = limit_;
      ++segments_;
      SegmentCall call{fn, arg, &limit_};
      pthread_t thread;
      if (pthread_create(&thread, &attr, &DeepStack::segmentMain, &call) == 0) {
        pthread_join(thread, nullptr);
        ran = true;
      }
      --segments_;
      limit_ = savedLimit;
    }
    pthread_attr_destroy(&attr);
  }
  munmap(memory, kSegmentSize);
  return ran;
}

}  // namespace regex_internal
