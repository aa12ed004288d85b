// Runs every window suite on the offscreen platform, with the settings
// store in a scratch folder so that no user's settings are touched.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "test_registry.h"

#if defined(__SANITIZE_THREAD__)
// QProcess starts the batch suite's children with vfork semantics, which
// the race checker takes for a fork of this process and then refuses every
// new thread (the test library starts one per suite).
extern "C" const char* __tsan_default_options()
{
    return "die_after_fork=0";
}
#endif

std::vector<WindowTestFactory>& windowTests()
{
    static std::vector<WindowTestFactory> tests;
    return tests;
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir settingsHome;
    qputenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ledgerline"));
    QApplication::setApplicationName(QStringLiteral("Ledgerline"));
    // Closing a test's window must not end the suite.
    app.setQuitOnLastWindowClosed(false);

    int failed = 0;
    for (const WindowTestFactory& make : windowTests()) {
        std::unique_ptr<QObject> suite = make();
        failed += QTest::qExec(suite.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed == 0 ? 0 : 1;
}
