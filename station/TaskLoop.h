#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// The station's main thread: it runs, one after the other, the jobs other threads hand it
// (opening and closing listeners must not happen on a listener's own threads), until told to
// quit. It sleeps while there is nothing to do.
class TaskLoop {
public:
    void Post(std::function<void()> task);
    void Quit();
    void Run();

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> tasks_;
    bool quit_ = false;
};
