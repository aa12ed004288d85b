#include "preview_windows.h"

#include <QFileInfo>

#include "dbf_preview.h"
#include "text_preview.h"
#include "xls_preview.h"

QObject* PreviewWindows::showPreview(const QString& path, int charset)
{
    if (path.isEmpty())
        return nullptr;
    const QString extension = QFileInfo(path).suffix().toLower();
    PreviewController* preview = nullptr;
    if (extension == QLatin1String("dbf"))
        preview = new dbfPreview(path, charset, this);
    else if (extension == QLatin1String("xls") || extension == QLatin1String("xlsx"))
        preview = new xlsPreview(path, QString(), this);
    else if (extension == QLatin1String("txt") || extension == QLatin1String("csv") ||
             extension == QLatin1String("xml") || extension == QLatin1String("sql"))
        preview = new textPreview(path, charset, this);
    if (!preview)
        return nullptr;
    pw_.append(preview);
    preview->showWindow();
    return preview;
}
