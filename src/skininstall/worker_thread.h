// A thread beside the caller that runs one job at a time: the reader decrypts the next block of
// an entry there while the caller inflates the current one.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace skininstall {

class WorkerThread {
 public:
  WorkerThread() = default;
  // Waits for the job under way, then ends the thread.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Hands the job to the thread (started on first use) after the previous one has finished.
  // The job must not throw.
  void Submit(std::function<void()> job);
  // Returns when the last submitted job has finished. A job the thread has not begun yet (on a
  // busy machine it may not have been scheduled) is run here instead of being waited for.
  void Wait();

 private:
  void Run();
  void RunJob(std::unique_lock<std::mutex>& lock);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool busy_ = false;     // a job is submitted and not finished
  bool started_ = false;  // and someone runs it
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace skininstall
