#include "platform/TaskQueue.h"

#include <utility>

TaskQueue::TaskQueue() : thread_([this] { work(); }) {}

TaskQueue::~TaskQueue() {
  try {
    finish();
  } catch (...) {
  }
}

void TaskQueue::post(std::function<void()> task) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  ready_.notify_one();
}

void TaskQueue::finish() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ended_ = true;
  }
  ready_.notify_one();
  if (thread_.joinable()) thread_.join();
  if (failed_) std::rethrow_exception(std::exchange(failed_, nullptr));
}

void TaskQueue::work() {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      ready_.wait(lock, [&] { return ended_ || !tasks_.empty(); });
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    if (failed_) continue;  // let go of, unrun
    try {
      task();
    } catch (...) {
      failed_ = std::current_exception();
    }
  }
}
