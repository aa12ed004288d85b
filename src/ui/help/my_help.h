#pragma once
// The online help window. Help pages open in the system's web browser (an
// embedded browser would pull in a heavy engine); the window names the
// address, offers an "Open in browser" button, and opens the browser once
// when it first loads.

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QLabel;
class QWidget;

// Hands an address to the system (QDesktopServices::openUrl by default);
// tests put a recorder in its place.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener systemUrlOpener();

class MyHelp : public QObject {
    Q_OBJECT
public:
    explicit MyHelp(UrlOpener opener, QObject* parent = nullptr);
    ~MyHelp() override;

    QString urlString;

    // Loads the window from its interface file, titles it "Online Help",
    // shows the address and opens it; once.
    void windowDidLoad();
    void showWindow();
    // Null when the interface file could not be loaded.
    QWidget* window() const { return window_.get(); }
    QLabel* webControl() const { return webControl_; }

public slots:
    void openInBrowser();

private:
    UrlOpener opener_;
    std::unique_ptr<QWidget> window_;
    QLabel* webControl_ = nullptr; // not owned: a child of the window
    bool loaded_ = false;
};
