// Hands items from one thread to another in order, holding at most a given
// number between them: the producer waits while the queue is full, the
// consumer while it is empty. Either side may end it. finish() says nothing
// more will come; the consumer still takes what is there. close() says
// nothing more will be taken; what is there is dropped and later pushes are
// refused at once, so a waiting producer is never left blocked.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>

namespace qj::vouchers {

template <class T>
class HandoffQueue {
 public:
  explicit HandoffQueue(std::size_t capacity) : capacity_(capacity) {}

  // False, the item dropped, once the queue is closed.
  bool push(T item) {
    std::unique_lock lock(mutex_);
    spaceFreed_.wait(lock, [this] { return closed_ || items_.size() < capacity_; });
    if (closed_) return false;
    items_.push_back(std::move(item));
    itemAdded_.notify_one();
    return true;
  }

  // The next item; none once the queue is finished and empty, or closed.
  std::optional<T> pop() {
    std::unique_lock lock(mutex_);
    itemAdded_.wait(lock, [this] { return closed_ || finished_ || !items_.empty(); });
    if (closed_ || items_.empty()) return std::nullopt;
    T item = std::move(items_.front());
    items_.pop_front();
    spaceFreed_.notify_one();
    return item;
  }

  void finish() {
    const std::lock_guard lock(mutex_);
    finished_ = true;
    itemAdded_.notify_all();
  }

  void close() {
    const std::lock_guard lock(mutex_);
    closed_ = true;
    items_.clear();
    spaceFreed_.notify_all();
    itemAdded_.notify_all();
  }

 private:
  const std::size_t capacity_;
  std::mutex mutex_;
  std::condition_variable spaceFreed_;
  std::condition_variable itemAdded_;
  std::deque<T> items_;
  bool finished_ = false;
  bool closed_ = false;
};

}  // namespace qj::vouchers
