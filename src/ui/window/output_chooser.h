#pragma once
// The panel behind "Choose…": one file or one folder. Selecting a folder
// and confirming takes the folder; a file, or a new name typed into an
// existing folder, takes that file.

#include <QFileDialog>

class OutputChooser : public QFileDialog {
    Q_OBJECT
public:
    explicit OutputChooser(QWidget* parent = nullptr);

    // The chosen path after exec() returned Accepted.
    QString chosenPath() const { return chosen_; }

    void accept() override;

private:
    QString chosen_;
};

// The output text for a chosen path: a folder ends with "/" so that it
// reads as a folder in the output box.
QString outputPathForChoice(const QString& path);
