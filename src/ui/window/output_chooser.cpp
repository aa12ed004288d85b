#include "output_chooser.h"

#include <QFileInfo>

OutputChooser::OutputChooser(QWidget* parent) : QFileDialog(parent, QStringLiteral("Choose the output file or folder"))
{
    // The widget-based dialog, so that accept() below decides; folder mode
    // without "directories only" lists the files as well.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setFileMode(QFileDialog::Directory);
    setAcceptMode(QFileDialog::AcceptOpen);
    setLabelText(QFileDialog::Accept, QStringLiteral("Choose"));
    setNameFilter(QStringLiteral("Outputs (*.dbf *.xls *.xlsx *.mdb *.csv *.accdb *.sql *.html);;All files (*)"));
}

void OutputChooser::accept()
{
    QStringList files = selectedFiles();
    if (files.size() == 1) {
        QFileInfo info(files.first());
        bool newFileInFolder = !info.exists() && QFileInfo(info.absolutePath()).isDir();
        if (info.isFile() || newFileInFolder) {
            chosen_ = info.absoluteFilePath();
            QDialog::accept();
            return;
        }
        if (info.isDir())
            chosen_ = info.absoluteFilePath();
    }
    QFileDialog::accept();
}

QString outputPathForChoice(const QString& path)
{
    if (path.isEmpty())
        return path;
    if (QFileInfo(path).isDir() && !path.endsWith(u'/'))
        return path + u'/';
    return path;
}
