#pragma once
// The options panel: copies the options record into the controls
// (updateOptions) and back (readBack, the first step of saving). Controls of
// the module's options view are found by tag; a few are outlets of the main
// window.

#include <QObject>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QWidget;
class OutputHistory;
class myOptions;

struct PanelControls {
    QWidget* optionsView = nullptr;  // the module's view (found by tag)
    QCheckBox* separateFile = nullptr;
    QWidget* overFiles = nullptr;    // radio group: buttons tagged 0..4
    QWidget* overTables = nullptr;
    QComboBox* srcCharset = nullptr;
    OutputHistory* output = nullptr;
};

class OptionsPanel : public QObject {
    Q_OBJECT
public:
    OptionsPanel(myOptions& options, const PanelControls& controls, QObject* parent = nullptr);

    // Record -> controls (once at start-up, after saved settings and the
    // command line).
    void updateOptions();
    // Controls -> record, in the saving order.
    void readBack();

public slots:
    void valueChanged();   // the GO-count control (tag 200)
    void typeChanged();    // the DBF-flavour pop-up (tag 50)

private:
    myOptions& options_;
    PanelControls controls_;
};
