#pragma once
// The character-set pop-ups: 100 items, item i titled with entry i of the
// character-set table and carrying i as its tag (item data).

class QComboBox;

void fillCharsetMenu(QComboBox* popup);
// The tag of the selected item, or -1 when none is selected.
int selectedCharsetTag(const QComboBox* popup);
