// A fixed set of threads that run jobs in the order they were submitted. A job learns the index
// of the thread that runs it (0..threads-1), to use what that thread keeps between jobs.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace lzh {

class WorkerPool {
public:
    explicit WorkerPool(int threads);
    // Jobs not yet started are dropped; the running ones are waited for.
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void Submit(std::function<void(int worker)> job);

private:
    void Work(int worker);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(int)>> jobs_;
    bool closing_ = false;
    std::vector<std::thread> threads_;   // last: started once the rest exists
};

}  // namespace lzh
