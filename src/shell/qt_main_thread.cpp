#include "qt_main_thread.h"

#include <QMetaObject>
#include <QThread>

void QtMainThread::post(std::function<void()> work)
{
    QMetaObject::invokeMethod(context_, std::move(work), Qt::QueuedConnection);
}

void QtMainThread::runAndWait(std::function<void()> work)
{
    if (QThread::currentThread() == context_->thread())
        work();
    else
        QMetaObject::invokeMethod(context_, std::move(work), Qt::BlockingQueuedConnection);
}
