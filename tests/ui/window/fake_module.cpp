#include "fake_module.h"

#include <QVariant>

QString FakeModule::initializeConverter(const QList<QObject*>& controls)
{
    for (QObject* control : controls)
        if (control)
            control->setProperty("visible", false);
    return moduleName();
}

bool FakeModule::convertFile(const QString& path, QStringList& tables)
{
    std::unique_lock lock(mutex_);
    requests_.append(path.section(u'/', -1) + u':' + tables.join(u','));
    waiting_ = !gateOpen_;
    gateChanged_.wait(lock, [this] { return gateOpen_; });
    waiting_ = false;
    return true;
}

QStringList FakeModule::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void FakeModule::setGateOpen(bool open)
{
    std::lock_guard lock(mutex_);
    gateOpen_ = open;
    gateChanged_.notify_all();
}

bool FakeModule::waitingAtGate() const
{
    std::lock_guard lock(mutex_);
    return waiting_;
}
