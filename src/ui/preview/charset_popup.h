#pragma once
// The character-set pop-up of the table and text previews: the 100 named
// character sets, item i tagged i.

class QComboBox;

// Replaces the items and selects item `selected` (no selection signal is
// sent).
void fillCharsetPopup(QComboBox* pop, int selected);
