#pragma once
// MainThread over Qt's event loop. Work waits in our own queue, guarded by
// a std::mutex, and one queued call drains it on the main thread; blocking
// calls wait on a std::promise. Keeping the hand-over in standard
// primitives lets ThreadSanitizer see every happens-before edge, which it
// cannot through Qt's own (uninstrumented) event queue.

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

#include "shell_view.h"

class QtMainThread : public MainThread {
public:
    // context must live on the main thread for as long as work is posted.
    explicit QtMainThread(QObject* context) : context_(context) {}

    void post(std::function<void()> work) override;
    void runAndWait(std::function<void()> work) override;

private:
    void drain();

    QObject* context_;
    std::mutex mutex_;
    std::deque<std::function<void()>> queue_;
    bool drainScheduled_ = false;
};
