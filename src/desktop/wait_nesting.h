// Wait requests nest: long work may start waiting inside other long work, and
// the wait window stays up until the outermost request ends.
#pragma once

namespace qj::desktop {

class WaitNesting {
 public:
  // True when this request is the outermost one: show the wait window.
  bool enter() { return depth_++ == 0; }
  // True when the outermost request ended: hide the wait window. A stop
  // without a start is ignored.
  bool leave() {
    if (depth_ == 0) return false;
    return --depth_ == 0;
  }
  [[nodiscard]] bool waiting() const { return depth_ > 0; }

 private:
  int depth_ = 0;
};

}  // namespace qj::desktop
