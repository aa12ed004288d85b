#pragma once
// The "Output" page: the output box with its history of the last 20
// outputs, the "Choose…" panel, and the list of written files (open one
// with a double-click, preview it from its context menu).

#include <QObject>

#include <functional>

#include "ui/window_parts.h"
#include "written_files_model.h"

class QComboBox;
class QPushButton;
class QTableView;
class myOptions;

struct OutputControls {
    QComboBox* outputName = nullptr;
    QPushButton* chooseButton = nullptr;
    QTableView* outputTable = nullptr;
};

class OutputSelection : public QObject, public OutputHistory {
    Q_OBJECT
public:
    static constexpr int kHistorySize = 20;

    OutputSelection(const OutputControls& controls, myOptions& options, QObject* parent = nullptr);

    // ---- OutputHistory
    QStringList items() const override;
    void AddItem(const QString& value) override;
    QString text() const override;

    const WrittenFilesModel& writtenFiles() const { return written_; }
    // How a written file is opened; the desktop's default application
    // unless replaced.
    void setFileOpener(std::function<void(const QString&)> opener) { opener_ = std::move(opener); }

public slots:
    void SaveDialog();
    void outputChanged();
    void reloadWrittenFiles();
    void didDoubleClickFolderRow();
    void PreviewOutputFile(int row);

signals:
    // A written file to show in a preview window, with its character set.
    void previewRequested(const QString& path, int charset);

private:
    void showContextMenu(const QPoint& position);

    OutputControls controls_;
    myOptions& options_;
    WrittenFilesModel written_;
    std::function<void(const QString&)> opener_;
};
