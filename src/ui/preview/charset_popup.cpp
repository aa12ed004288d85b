#include "charset_popup.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "options/charsets.h"

void fillCharsetPopup(QComboBox* pop, int selected)
{
    const QSignalBlocker quiet(pop);
    pop->clear();
    for (int i = 0; i < kCharsetCount; ++i)
        pop->addItem(charsetNameAtIndex(i), i);
    pop->setCurrentIndex(pop->findData(selected));
}
