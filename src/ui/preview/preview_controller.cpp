#include "preview_controller.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QWidget>

#include "resource_files.h"

PreviewController::PreviewController(const QString& interfaceName, const QString& filename, QObject* parent)
    : QObject(parent), interfaceName_(interfaceName), filename_(filename)
{
}

PreviewController::~PreviewController() = default;

QString PreviewController::infoText() const
{
    return info_ ? info_->text() : QString();
}

void PreviewController::windowDidLoad()
{
    if (loaded_)
        return;
    loaded_ = true;
    window_ = loadInterfaceFile(interfaceName_);
    if (!window_)
        return;
    // Closing hides the window; the controller keeps it with its file.
    window_->setAttribute(Qt::WA_DeleteOnClose, false);
    pop_ = outlet<QComboBox>("pop");
    info_ = outlet<QLabel>("info");
    if (!pop_ || !info_) {
        qWarning("Interface file %s lacks its pop or info outlet", qPrintable(interfaceName_));
        window_.reset();
        pop_ = nullptr;
        info_ = nullptr;
        return;
    }
    fillWindow();
}

void PreviewController::showWindow()
{
    windowDidLoad();
    if (window_) {
        window_->show();
        window_->raise();
    }
}

uint64_t PreviewController::fileSizeOrZero(const QString& path)
{
    const QFileInfo file(path);
    return file.exists() ? uint64_t(file.size()) : 0;
}

void PreviewController::setUpTable(QTableView* table)
{
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    QHeaderView* rows = table->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(table->fontMetrics().height() + 6);
}
