#include "paths.h"

namespace paths {

namespace {
QString withoutTrailingSlashes(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

// Position of the extension's dot in the last component, or -1.
qsizetype extensionDot(const QString& path)
{
    QString trimmed = withoutTrailingSlashes(path);
    qsizetype slash = trimmed.lastIndexOf(u'/');
    qsizetype dot = trimmed.lastIndexOf(u'.');
    // A leading dot names a hidden file, not an extension.
    if (dot <= slash + 1)
        return -1;
    return dot;
}
} // namespace

QString lastComponent(const QString& path)
{
    QString trimmed = withoutTrailingSlashes(path);
    if (trimmed == u"/")
        return trimmed;
    return trimmed.mid(trimmed.lastIndexOf(u'/') + 1);
}

QString deletingLastComponent(const QString& path)
{
    QString trimmed = withoutTrailingSlashes(path);
    qsizetype slash = trimmed.lastIndexOf(u'/');
    if (slash < 0)
        return QString();
    if (slash == 0)
        return QStringLiteral("/");
    return trimmed.left(slash);
}

QString appendingComponent(const QString& base, const QString& component)
{
    if (base.isEmpty())
        return component;
    if (base.endsWith(u'/'))
        return base + component;
    return base + u'/' + component;
}

QString extension(const QString& path)
{
    qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : withoutTrailingSlashes(path).mid(dot + 1);
}

QString deletingExtension(const QString& path)
{
    qsizetype dot = extensionDot(path);
    return dot < 0 ? withoutTrailingSlashes(path) : withoutTrailingSlashes(path).left(dot);
}

} // namespace paths
