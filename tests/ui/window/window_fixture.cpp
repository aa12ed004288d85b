#include "window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

#include "ui/window/conversion_run.h"
#include "ui/window/output_selection.h"
#include "ui/window/source_tree.h"

WindowFixture::WindowFixture(Module kind, const QStringList& switches)
{
    QSettings().clear();
    AppDelegate::ModuleFactory factory;
    if (kind == Module::Fake) {
        factory = [this](myOptions&, ConverterShell&) {
            auto module = std::make_unique<FakeModule>();
            module->tablesByName = {
                {QStringLiteral("a.xlsx"), {QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3")}},
                {QStringLiteral("b.xlsx"), {QStringLiteral("B1"), QStringLiteral("B2")}},
                {QStringLiteral("c.xlsx"), {QStringLiteral("C1")}},
            };
            fake = module.get();
            return module;
        };
    }
    app = std::make_unique<AppDelegate>(factory);
    app->setTerminate([this](int status) { terminations.append(status); });
    app->applicationDidFinishLaunching(QStringList{QStringLiteral("ledgerline")} + switches);
}

WindowFixture::~WindowFixture()
{
    if (fake)
        fake->setGateOpen(true);
    app.reset();
    QSettings().clear();
}

void WindowFixture::addFiles(const QStringList& paths)
{
    app->sourceTree().addPaths(paths);
}

void WindowFixture::setOutput(const QString& output)
{
    app->output().AddItem(output);
}

bool WindowFixture::startRun()
{
    QSignalSpy started(&app->run(), &ConversionRun::runStarted);
    for (int press = 0; press < 3 && started.isEmpty(); ++press)
        app->run().startConversion();
    return !started.isEmpty();
}

bool WindowFixture::waitForRunEnd(int timeoutMs)
{
    QSignalSpy finished(&app->run(), &ConversionRun::runFinished);
    return finished.count() > 0 || finished.wait(timeoutMs);
}

QString WindowFixture::logText() const
{
    return app->window().outlets().logWindow->toPlainText();
}

QString WindowFixture::startButtonText() const
{
    return app->window().outlets().startButton->text();
}

QString WindowFixture::currentPage() const
{
    return app->window().outlets().tabControl->currentWidget()->objectName();
}

MessageBoxAnswer::MessageBoxAnswer(const QString& buttonText)
    : seen_(std::make_shared<QStringList>()), timer_(new QTimer)
{
    timer_->setInterval(20);
    QObject::connect(timer_, &QTimer::timeout, [seen = seen_, buttonText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->append(box->text() + u'|' + box->informativeText());
        for (QAbstractButton* button : box->buttons())
            if (button->text() == buttonText) {
                button->click();
                return;
            }
        box->reject();
    });
    timer_->start();
}

MessageBoxAnswer::~MessageBoxAnswer()
{
    delete timer_;
}
