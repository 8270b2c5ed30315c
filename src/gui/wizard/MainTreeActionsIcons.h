#pragma once
// The twelve 32 by 32 pictures of the tree page's tool bar, SVG files compiled
// into the program (resources/toolbar):
// 0 add battery, 1 add string, 2 add current probe, 3 add temperature sensor,
// 4 add cell, 5 delete, 6 alarms, 7 configure string, 8 add control unit,
// 9 delete control unit, 10 control unit, 11 units per DCM channel.
// They load through Qt's SVG image plugin, which must be present at run time.
#include <QIcon>
#include <QPixmap>
#include <QString>

inline constexpr int kTreeToolbarPictureCount = 12;
inline constexpr int kTreeToolbarPictureSize = 32;

// The resource path of the picture with this index; empty outside 0 to 11.
QString TreeToolbarPicturePath(int index);
// The picture at 32 by 32; a null pixmap outside 0 to 11 or when it cannot load.
QPixmap TreeToolbarPicture(int index);
QIcon TreeToolbarIcon(int index);

// The program's own icon (window icon and desktop icon).
QString ApplicationIconPath();
QIcon ApplicationIcon();
