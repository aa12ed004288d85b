#pragma once
// MainThread over Qt's event loop: work is queued to an object that lives
// on the main thread.

#include <QObject>
#include <QPointer>

#include "shell_view.h"

class QtMainThread : public MainThread {
public:
    // context must live on the main thread for as long as work is posted.
    explicit QtMainThread(QObject* context) : context_(context) {}

    void post(std::function<void()> work) override;
    void runAndWait(std::function<void()> work) override;

private:
    QObject* context_;
};
