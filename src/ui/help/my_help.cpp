#include "my_help.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QWidget>

#include "ui/preview/resource_files.h"

UrlOpener systemUrlOpener()
{
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

MyHelp::MyHelp(UrlOpener opener, QObject* parent) : QObject(parent), opener_(std::move(opener)) {}

MyHelp::~MyHelp() = default;

void MyHelp::windowDidLoad()
{
    if (loaded_)
        return;
    loaded_ = true;
    window_ = loadInterfaceFile(QStringLiteral("MyHelp"));
    if (window_) {
        window_->setWindowTitle(tr("Online Help"));
        webControl_ = window_->findChild<QLabel*>(QStringLiteral("webControl"));
        if (webControl_) {
            webControl_->setTextFormat(Qt::RichText);
            webControl_->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                                     .arg(urlString.toHtmlEscaped(), urlString.toHtmlEscaped()));
            webControl_->setOpenExternalLinks(false);
            connect(webControl_, &QLabel::linkActivated, this, &MyHelp::openInBrowser);
        }
        if (auto* button = window_->findChild<QAbstractButton*>(QStringLiteral("openInBrowser")))
            connect(button, &QAbstractButton::clicked, this, &MyHelp::openInBrowser);
    }
    // Load errors are not reported: the browser shows its own.
    openInBrowser();
}

void MyHelp::showWindow()
{
    windowDidLoad();
    if (window_) {
        window_->show();
        window_->raise();
    }
}

void MyHelp::openInBrowser()
{
    if (opener_ && !urlString.isEmpty())
        opener_(QUrl(urlString, QUrl::TolerantMode));
}
