#include "startup.h"

#include "converter_module.h"
#include "options/charsets.h"
#include "options/my_options.h"

QString applyStartValues(myOptions& options, ConverterModule& module, const QList<QObject*>& controlsToHide)
{
    options.setTargets(QStringList());
    options.setSourceCharset(kDefaultCharsetIndex);
    options.setTargetCharset(kUtf8CharsetIndex);
    QString identifier = module.initializeConverter(controlsToHide);
    options.setSourceFiles(module.getSourceFiles());
    options.setDefaultExtension(module.getdefaultExtension());
    return identifier;
}
