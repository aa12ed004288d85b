#pragma once
// The main window, built from MainWindow.ui. It knows its controls and its
// close rule; what the controls do is wired by AppDelegate.

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeView;
namespace Ui {
class MainWindow;
}

struct MainWindowOutlets {
    QTabWidget* tabControl;
    QWidget* progressPanel;
    QPushButton* startButton;
    QTreeView* filesTree;
    QPushButton* addButton;
    QPushButton* removeButton;
    QComboBox* outputName;
    QPushButton* chooseButton;
    QTableView* outputTable;
    QCheckBox* separateFile;
    QWidget* overFiles;
    QWidget* overTables;
    QWidget* overTablesBox;
    QComboBox* srcCharset;
    QLabel* srcCharsetLabel;
    QWidget* optionsPage;
    QLabel* optionsPlaceholder;
    QProgressBar* progressBar;
    QPlainTextEdit* logWindow;
    QAction* actionAddFiles;
    QAction* actionRemove;
    QAction* actionQuit;
    QAction* actionHelp;
    QAction* actionReadMe;
    QAction* actionLicense;
    QAction* actionSupport;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    const MainWindowOutlets& outlets() const { return outlets_; }

    // windowShouldClose: a close is refused while this answers false.
    void setCloseGuard(std::function<bool()> shouldClose) { shouldClose_ = std::move(shouldClose); }

    // The frame (position and size) under "frame" in the per-user store.
    void restoreFrame();
    void saveFrame() const;

signals:
    // A close was allowed; the window is about to go.
    void windowWillClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::MainWindow> ui_;
    MainWindowOutlets outlets_;
    std::function<bool()> shouldClose_;
};
