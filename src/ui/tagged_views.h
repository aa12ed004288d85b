#pragma once
// Controls of a module's options view are found by an integer "tag"
// property (set in the .ui file as a dynamic property), and radio choices
// are groups of radio buttons whose tags are their codes.

#include <QWidget>

// The view itself when its tag matches, else the first match among its
// children, depth first; null when none.
QWidget* nestedView(QWidget* view, int tag);

// The tag of a widget, or -1 when it has none.
int tagOf(const QObject* object);

// Radio groups: selects the radio button in the given row (0-based, in
// layout order) / answers the tag of the checked button (0 when none).
void selectRadioRow(QWidget* group, int row);
int checkedRadioTag(QWidget* group);
