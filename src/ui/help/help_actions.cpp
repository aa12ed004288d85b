#include "help_actions.h"

#include <QCoreApplication>
#include <QUrl>

#include "deployment.h"
#include "help_addresses.h"
#include "ui/preview/preview_windows.h"
#include "ui/preview/resource_files.h"

namespace {

// The version the program set on the application, else the build's.
QString applicationVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral(LEDGERLINE_VERSION) : version;
}

} // namespace

HelpActions::HelpActions(const QString& moduleName, const QString& windowTitle, PreviewWindows& previews,
                         QObject* parent)
    : QObject(parent), moduleName_(moduleName), windowTitle_(windowTitle), previews_(previews),
      opener_(systemUrlOpener())
{
}

HelpActions::~HelpActions() = default;

QString HelpActions::helpURL() const
{
    return ::helpURL(QString::fromLatin1(ll::deployment::kWebSiteAddress), moduleName_);
}

QString HelpActions::homepageURL() const
{
    return ::homepageURL(QString::fromLatin1(ll::deployment::kWebSiteAddress), moduleName_);
}

QString HelpActions::supportSubject() const
{
    return ::supportSubject(windowTitle_, platformName(), applicationVersion());
}

QString HelpActions::supportMailLink() const
{
    return ::supportMailLink(QString::fromLatin1(ll::deployment::kSupportEmailAddress), supportSubject());
}

void HelpActions::showHelp()
{
    help_ = std::make_unique<MyHelp>(opener_);
    help_->urlString = helpURL();
    help_->showWindow();
}

void HelpActions::showDocument(const QString& fileName)
{
    const QString path = resourceFilePath(fileName);
    if (!path.isEmpty())
        previews_.showPreview(path, -1);
}

void HelpActions::showReadMe()
{
    showDocument(QStringLiteral("readme.txt"));
}

void HelpActions::showLicense()
{
    showDocument(QStringLiteral("license.txt"));
}

void HelpActions::techSupport()
{
    if (opener_)
        opener_(QUrl(supportMailLink(), QUrl::TolerantMode));
}
