#pragma once
// One thread that runs the tasks given to it one after the other, while the
// thread that gives them goes on: the rows of a table made as it is read, the
// names of a roster put together as they come.
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TaskQueue {
 public:
  TaskQueue();
  // Waits for the tasks given (an exception of one is dropped).
  ~TaskQueue();
  TaskQueue(const TaskQueue&) = delete;
  TaskQueue& operator=(const TaskQueue&) = delete;

  void post(std::function<void()> task);
  // Waits until every task given has run, and stops the thread (a task given
  // after this never runs). A task that threw stops the ones after it (they
  // are let go of unrun), and its exception is thrown here.
  void finish();

 private:
  void work();

  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::function<void()>> tasks_;
  bool ended_ = false;
  std::exception_ptr failed_;  // set by the thread; read once it has stopped
  std::thread thread_;
};
