#pragma once
// One cell as a preview table shows it: its text and its alignment.

#include <QString>
#include <Qt>

struct PreviewCell {
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

inline constexpr Qt::Alignment kAlignDefault = Qt::AlignLeft | Qt::AlignVCenter;
inline constexpr Qt::Alignment kAlignRight = Qt::AlignRight | Qt::AlignVCenter;
inline constexpr Qt::Alignment kAlignCentre = Qt::AlignCenter;
