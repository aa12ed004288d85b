// Entry point of the desktop program and of its batch runs.

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "options/command_line.h"
#include "ui/resources.h"
#include "ui/window/app_delegate.h"

namespace {

// Batch runs need no screen: without one, Qt starts on its offscreen
// platform instead of failing to connect to a display.
void chooseOffscreenWhenHeadless(int argc, char** argv)
{
    bool batch = false;
    for (int i = 1; i < argc; ++i)
        if (strcasecmp(argv[i], "-batch") == 0 || strcasecmp(argv[i], "-silent") == 0)
            batch = true;
    auto unset = [](const char* name) { const char* v = std::getenv(name); return !v || !*v; };
    if (batch && unset("DISPLAY") && unset("WAYLAND_DISPLAY") && unset("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Without a desktop session there is no runtime folder either; make the
    // private one Qt would fall back to, so a scripted run's standard error
    // carries no warning about it.
    if (batch && unset("XDG_RUNTIME_DIR")) {
        std::string dir = "/tmp/runtime-" + std::to_string(getuid());
        struct stat info {};
        if ((mkdir(dir.c_str(), 0700) == 0 || stat(dir.c_str(), &info) == 0) && access(dir.c_str(), W_OK) == 0)
            setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
}

QStringList argumentList(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    // The list of switches needs no window system at all.
    if (wantsHelp(argumentList(argc, argv))) {
        QByteArray help = commandLineHelp().toLocal8Bit();
        std::fwrite(help.constData(), 1, size_t(help.size()), stdout);
        return 0;
    }
    chooseOffscreenWhenHeadless(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ledgerline"));
    QApplication::setApplicationName(QStringLiteral("Ledgerline"));
    QApplication::setApplicationVersion(QStringLiteral(LEDGERLINE_VERSION));
    // Ties the window to its menu entry and icon on desktops that ask.
    const QString id = QStringLiteral("org.example.ledgerline.Ledgerline");
    QGuiApplication::setDesktopFileName(id);
    QApplication::setWindowIcon(
        QIcon::fromTheme(id, QIcon(resourcePath(QStringLiteral("icons/256x256/apps/") + id + QStringLiteral(".png")))));

    AppDelegate delegate;
    delegate.applicationDidFinishLaunching(QCoreApplication::arguments());
    int status = app.exec();
    return status;
}
