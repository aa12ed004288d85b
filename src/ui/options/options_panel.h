#pragma once
// The options panel: copies the options record into the controls
// (updateOptions) and back (readBack, the first step of saving). Controls of
// the module's options view are found by their "tag" property; a few are
// outlets of the main window.
//
// Controls by kind: check boxes are QCheckBox (on = 1; off and mixed = 0),
// pop-ups QComboBox (item i = value i), text fields QLineEdit, the GO count
// (tag 200) a QSpinBox or a QSlider, its caption (tag 201) a QLabel. A tag
// that the view does not hold, or that sits on a control of another kind,
// is skipped when filling and reads back as 0 or absent; only tag 185
// (backticks) then keeps its field.
//
// A value outside a pop-up's items leaves the pop-up without a selection,
// and a pop-up without a selection leaves its field as it is at the
// read-back, so such a value survives unchanged instead of turning into
// another choice.

#include <QObject>

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

    // Record -> controls, once at start-up after the saved settings and the
    // command line. Also connects the flavour pop-up (tag 50, on a user's
    // choice) to typeChanged and the GO count (tag 200) to valueChanged.
    void updateOptions();
    // Controls -> record, in the saving order. Only for interactive runs:
    // the caller (SaveOptions) checks silent and batch.
    void readBack();

    // The title of the item appended to the true/false pop-up for the
    // command line's own pair.
    static QString logicalPairTitle(const QString& yes, const QString& no);

public slots:
    // Stores the GO count in the record at once and captions it (tag 201).
    void valueChanged();
    // When the sender is the flavour pop-up showing Visual FoxPro, selects
    // the quote style, date pattern and true/false values that suit it.
    // The record learns them at the next read-back.
    void typeChanged();

private:
    QWidget* control(int tag) const;
    void showLogical();
    void showGoCount();

    myOptions& options_;
    PanelControls controls_;
};
