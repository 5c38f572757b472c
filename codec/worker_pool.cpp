// Worker threads waiting on one queue of jobs.
#include "codec/worker_pool.h"

namespace lzh {

WorkerPool::WorkerPool(int threads) {
    for (int i = 0; i < threads; ++i) threads_.emplace_back([this, i] { Work(i); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void WorkerPool::Submit(std::function<void(int worker)> job, bool wake) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    if (wake) wake_.notify_all();
}

void WorkerPool::Wake() { wake_.notify_all(); }

void WorkerPool::Work(int worker) {
    for (;;) {
        std::function<void(int)> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
            if (closing_) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job(worker);
    }
}

}  // namespace lzh
