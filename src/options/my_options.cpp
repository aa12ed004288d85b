#include "my_options.h"

bool myOptions::addTarget(const QString& path)
{
    std::lock_guard lock(mutex_);
    if (!targets_)
        targets_ = QStringList();
    if (targets_->contains(path))
        return false;
    targets_->append(path);
    return true;
}

void myOptions::appendOnlytable(const QString& table)
{
    std::lock_guard lock(mutex_);
    if (!onlytables_)
        onlytables_ = QStringList();
    onlytables_->append(table);
}

void myOptions::appendXchg(const QString& entry)
{
    std::lock_guard lock(mutex_);
    if (!xchg_)
        xchg_ = QStringList();
    xchg_->append(entry);
}
