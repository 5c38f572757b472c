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

    // Queues a job; `wake` false leaves idle threads asleep until a later Submit or Wake, so that
    // many small jobs cost one wake-up, not one each (waking a thread is dear under Wine).
    void Submit(std::function<void(int worker)> job, bool wake = true);
    void Wake();

private:
    void Work(int worker);

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void(int)>> jobs_;
    bool closing_ = false;
    std::vector<std::thread> threads_;   // last: started once the rest exists
};

}  // namespace lzh
