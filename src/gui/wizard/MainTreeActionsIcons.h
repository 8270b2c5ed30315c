#pragma once
// The twelve 32 by 32 pictures of the tree page's tool bar, drawn in code:
// 0 add battery, 1 add string, 2 add current probe, 3 add temperature sensor,
// 4 add cell, 5 delete, 6 alarms, 7 configure string, 8 add control unit,
// 9 delete control unit, 10 control unit, 11 units per DCM channel.
#include <QIcon>
#include <QPixmap>

inline constexpr int kTreeToolbarPictureCount = 12;
inline constexpr int kTreeToolbarPictureSize = 32;

// The picture with this index; a null pixmap outside 0 to 11.
QPixmap TreeToolbarPicture(int index);
QIcon TreeToolbarIcon(int index);
