#pragma once
// MainThread for the window. Work waits in a queue under a std::mutex; a
// wake event, made while that mutex is held, tells the GUI thread to run
// it. Nothing that the worker writes is read on the GUI thread before the
// GUI thread has taken the mutex, so every hand-over is ordered by standard
// primitives that race checkers can see (Qt's own event queue is invisible
// to them: a queued functor, freed by whichever thread drops it last, shows
// up as a race).

#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "shell_view.h"

class GuiQueue : public QObject, public MainThread {
public:
    explicit GuiQueue(QObject* parent = nullptr) : QObject(parent) {}

    // Any thread: queues work for the GUI thread and returns at once.
    void post(std::function<void()> work) override;
    // Any thread: runs work on the GUI thread after what was posted before
    // it, and returns when it is done.
    void runAndWait(std::function<void()> work) override;

    // GUI thread: runs everything queued so far. The event loop calls it;
    // shutdown may too, once the loop has ended.
    void drain();

protected:
    void customEvent(QEvent* event) override;

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    std::deque<std::function<void()>> pending_;
    bool wakePosted_ = false;
};
