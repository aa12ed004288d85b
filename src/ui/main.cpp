// Entry point of the desktop program and of its batch runs.

#include <QApplication>
#include <QMainWindow>

#include <cstdlib>
#include <cstring>
#include <strings.h>

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
}

} // namespace

int main(int argc, char** argv)
{
    chooseOffscreenWhenHeadless(argc, argv);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ledgerline"));
    QApplication::setApplicationName(QStringLiteral("Ledgerline"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ledgerline"));
    window.resize(720, 480);
    window.show();
    return app.exec();
}
