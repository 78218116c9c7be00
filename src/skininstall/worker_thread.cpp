// A thread that runs one job at a time beside the caller.
#include "skininstall/worker_thread.h"

namespace skininstall {

WorkerThread::~WorkerThread() {
  if (!thread_.joinable()) return;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void WorkerThread::Submit(std::function<void()> job) {
  Wait();
  if (!thread_.joinable()) thread_ = std::thread(&WorkerThread::Run, this);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
    busy_ = true;
  }
  changed_.notify_all();
}

void WorkerThread::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  if (busy_ && !started_) return RunJob(lock);
  changed_.wait(lock, [this] { return !busy_; });
}

// Runs the waiting job outside the lock; the lock is held again afterwards.
void WorkerThread::RunJob(std::unique_lock<std::mutex>& lock) {
  started_ = true;
  std::function<void()> job = std::move(job_);
  lock.unlock();
  job();
  lock.lock();
  busy_ = started_ = false;
}

void WorkerThread::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return (busy_ && !started_) || stopping_; });
    if (!busy_ || started_) return;  // stopping with nothing to do
    RunJob(lock);
    changed_.notify_all();
  }
}

}  // namespace skininstall
