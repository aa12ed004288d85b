#pragma once
// The help actions of the main window: online help, read-me, licence and
// a support e-mail. The window connects its menu items or buttons to the
// slots.

#include <QObject>
#include <QString>

#include <memory>

#include "my_help.h"

class PreviewWindows;

class HelpActions : public QObject {
    Q_OBJECT
public:
    // moduleName enters the help addresses ("ledgerline"), windowTitle the
    // support subject ("Ledgerline"); previews show the documents.
    HelpActions(const QString& moduleName, const QString& windowTitle, PreviewWindows& previews,
                QObject* parent = nullptr);
    ~HelpActions() override;

    QString helpURL() const;
    QString homepageURL() const;
    // "<title> (<platform>) Version <application version>"
    QString supportSubject() const;
    QString supportMailLink() const;

    // The help window opened last; null before the first showHelp.
    MyHelp* help() const { return help_.get(); }
    // Replaces the system browser and mail program (for tests).
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

public slots:
    // A new help window for the help address; the one before is closed.
    void showHelp();
    // The read-me / licence document in a text preview (document mode);
    // nothing when the resource is missing.
    void showReadMe();
    void showLicense();
    // A new e-mail to support in the user's mail program.
    void techSupport();

private:
    void showDocument(const QString& fileName);

    QString moduleName_;
    QString windowTitle_;
    PreviewWindows& previews_;
    UrlOpener opener_;
    std::unique_ptr<MyHelp> help_;
};
