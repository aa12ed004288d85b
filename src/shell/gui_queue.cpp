#include "gui_queue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

namespace {
QEvent::Type wakeType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}
} // namespace

void GuiQueue::post(std::function<void()> work)
{
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(work));
    // One wake at a time drains everything queued meanwhile. Posting under
    // the lock orders the event's making before the GUI thread's lock in
    // customEvent, and so before Qt frees it.
    if (!wakePosted_) {
        wakePosted_ = true;
        QCoreApplication::postEvent(this, new QEvent(wakeType()));
    }
}

void GuiQueue::runAndWait(std::function<void()> work)
{
    if (QThread::currentThread() == thread()) {
        drain(); // what was posted before goes first
        work();
        return;
    }
    bool done = false;
    post([&] {
        work();
        std::lock_guard lock(mutex_);
        done = true;
        finished_.notify_all();
    });
    std::unique_lock lock(mutex_);
    finished_.wait(lock, [&] { return done; });
}

void GuiQueue::drain()
{
    for (;;) {
        std::function<void()> work;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty())
                return;
            work = std::move(pending_.front());
            pending_.pop_front();
        }
        work();
    }
}

void GuiQueue::customEvent(QEvent*)
{
    // Only wake events come here; the event itself is not read, since the
    // worker made it before the lock below orders the two threads.
    {
        std::lock_guard lock(mutex_);
        wakePosted_ = false;
    }
    drain();
}
