#pragma once
// What the three preview controllers share: a window loaded from the
// interface file of the controller's name, kept (hidden when closed) for as
// long as the controller lives, and its common outlets.

#include <QObject>
#include <QWidget>
#include <QString>

#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QTableView;

class PreviewController : public QObject {
    Q_OBJECT
public:
    ~PreviewController() override;

    // Null when the interface file could not be loaded.
    QWidget* window() const { return window_.get(); }
    const QString& filename() const { return filename_; }
    // The information line's text (empty without a window).
    QString infoText() const;

    // Loads and fills the window once; a second call does nothing.
    void windowDidLoad();
    void showWindow();

protected:
    PreviewController(const QString& interfaceName, const QString& filename, QObject* parent);
    // Fills the loaded window; called once, with window() not null.
    virtual void fillWindow() = 0;

    QComboBox* pop() const { return pop_; }
    QLabel* info() const { return info_; }
    template <class T>
    T* outlet(const char* name) const;

    // A read-only table without selection, one line per row, every row of
    // the same height (the view never measures rows one by one).
    static void setUpTable(QTableView* table);
    // The size of the file in bytes; 0 when it cannot be read.
    static uint64_t fileSizeOrZero(const QString& path);

private:
    QString interfaceName_;
    QString filename_;
    std::unique_ptr<QWidget> window_;
    QComboBox* pop_ = nullptr;
    QLabel* info_ = nullptr;
    bool loaded_ = false;
};

template <class T>
T* PreviewController::outlet(const char* name) const
{
    return window_ ? window_->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}
