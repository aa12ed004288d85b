#include "conversion_run.h"

#include <QPushButton>
#include <QTabWidget>

#include <chrono>
#include <cstdio>

#include "conversion_requests.h"
#include "shell/gui_queue.h"
#include "options/my_options.h"
#include "output_selection.h"
#include "shell/shell.h"
#include "shell/shell_view.h"
#include "source_tree.h"

namespace {
const QString kNext = QStringLiteral("Next");
const QString kStart = QStringLiteral("Start");
const QString kRestart = QStringLiteral("Restart");
const QString kCancelled = QStringLiteral("\nCancelled\n");
} // namespace

ConversionRun::ConversionRun(const RunControls& controls, const RunParts& parts, QObject* parent)
    : QObject(parent), controls_(controls), parts_(parts)
{
    connect(controls_.startButton, &QPushButton::clicked, this, &ConversionRun::buttonPressed);
    connect(controls_.tabControl, &QTabWidget::currentChanged, this, &ConversionRun::tabSelected);
    tabSelected(controls_.tabControl->currentIndex());
}

ConversionRun::~ConversionRun()
{
    if (!workerDone_.load())
        parts_.options.setShouldBreak(true);
    waitForWorker();
}

int ConversionRun::indexOfPage(const QString& identifier) const
{
    QTabWidget* tabs = controls_.tabControl;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->objectName() == identifier)
            return i;
    return -1;
}

void ConversionRun::buttonPressed()
{
    if (restartAction_)
        RestartConversion();
    else
        startConversion();
}

void ConversionRun::tabSelected(int index)
{
    controls_.startButton->setText(index < controls_.tabControl->count() - 1 ? kNext : kStart);
}

void ConversionRun::startConversion()
{
    QTabWidget* tabs = controls_.tabControl;
    SourceTree& tree = parts_.tree;
    if (tree.rowCount() == 1)
        tree.selectRows({0});
    if (tree.selectedRows().isEmpty()) {
        tabs->setCurrentIndex(indexOfPage(QStringLiteral("Input")));
        controls_.startButton->setText(kNext);
        parts_.shell.showMessage(QStringLiteral("Warning"), QStringLiteral("You have to select at least one file."));
        return;
    }
    int page = tabs->currentIndex();
    int outputPage = indexOfPage(QStringLiteral("Output"));
    if (page >= outputPage && parts_.output.text().isEmpty()) {
        tabs->setCurrentIndex(outputPage);
        controls_.startButton->setText(kNext);
        parts_.shell.showMessage(QStringLiteral("Warning"),
                                 QStringLiteral("You have to select an output file or folder."));
        return;
    }
    if (page < tabs->count() - 1) {
        tabs->setCurrentIndex(page + 1);
        return;
    }

    showRunning();
    if (save_)
        save_();
    parts_.options.setBatch(-1);
    // The previous worker ended its window work before "Restart" could be
    // pressed; what is left of it takes no time.
    if (worker_.joinable())
        worker_.join();
    started_ = true;
    cancelled_.store(false);
    workerDone_.store(false);
    worker_ = std::thread([this] { Conversion(); });
    emit runStarted();
}

void ConversionRun::showRunning()
{
    controls_.progressPanel->show();
    controls_.tabControl->hide();
    controls_.startButton->setEnabled(false);
}

void ConversionRun::RestartConversion()
{
    restartAction_ = false;
    controls_.tabControl->setCurrentIndex(indexOfPage(QStringLiteral("Input")));
    controls_.startButton->setText(kNext);
    controls_.startButton->setEnabled(true);
    controls_.progressPanel->hide();
    controls_.tabControl->show();
    parts_.options.setDeletedFile(std::nullopt);
    parts_.options.setDeletedTable(std::nullopt);
    parts_.options.setShouldBreak(false);
}

// ---- the worker thread ------------------------------------------------------------

void ConversionRun::Conversion()
{
    inProgress_.store(true);
    GuiQueue& gui = parts_.gui;
    RequestContext context{parts_.tree, gui, parts_.module, parts_.options,
                           [this] { parts_.gui.post([this] { parts_.output.reloadWrittenFiles(); }); }};
    if (convertSelectedFiles(context) == RunEnd::Cancelled) {
        cancelled_.store(true);
        gui.post([this] {
            parts_.view.insertLogText(kCancelled);
            if (echo_) {
                std::fputs(kCancelled.toLocal8Bit().constData(), stdout);
                std::fflush(stdout);
            }
        });
    }
    inProgress_.store(false);

    if (parts_.options.silent() == 4) {
        // A command-line run ends the program here. Nothing after this may
        // wait for the GUI thread, which stops serving once it quits.
        parts_.options.setOnlytables(std::nullopt);
        gui.post([this] {
            emit runFinished();
            if (quit_)
                quit_();
        });
        workerDone_.store(true);
        return;
    }

    gui.runAndWait([this] {
        restartAction_ = true;
        controls_.startButton->setText(kRestart);
        controls_.startButton->setEnabled(true);
    });
    gui.post([this] { parts_.view.setBadgeLabel(QString()); });
    parts_.options.setOnlytables(std::nullopt);
    gui.post([this] { emit runFinished(); });
    workerDone_.store(true);
}

void ConversionRun::waitForWorker()
{
    if (!worker_.joinable())
        return;
    // The worker may wait for the GUI thread; serve it until it is done,
    // also after the event loop has ended.
    while (!workerDone_.load()) {
        parts_.gui.drain();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    worker_.join();
    parts_.gui.drain(); // what it posted last
}
