#include "qt_main_thread.h"

#include <QMetaObject>
#include <QThread>

#include <future>

void QtMainThread::post(std::function<void()> work)
{
    bool schedule = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(work));
        schedule = !drainScheduled_;
        drainScheduled_ = true;
    }
    if (schedule)
        QMetaObject::invokeMethod(context_, [this] { drain(); }, Qt::QueuedConnection);
}

void QtMainThread::drain()
{
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) {
                drainScheduled_ = false;
                return;
            }
            work = std::move(queue_.front());
            queue_.pop_front();
        }
        work();
    }
}

void QtMainThread::runAndWait(std::function<void()> work)
{
    if (QThread::currentThread() == context_->thread()) {
        drain(); // keep the order of work posted before
        work();
        return;
    }
    // Queued behind everything posted before, so the order holds.
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    post([&] {
        work();
        done.set_value();
    });
    finished.wait();
}
