#include "wizard/MainTreeActionsIcons.h"

namespace {
constexpr const char* kPictureNames[kTreeToolbarPictureCount] = {
    "add-battery",     "add-string",       "add-current",         "add-temperature",
    "add-cell",        "delete",           "alarms",              "configure-string",
    "add-control-unit", "delete-control-unit", "control-unit",    "blocks-per-channel",
};
}  // namespace

QString TreeToolbarPicturePath(int index) {
  if (index < 0 || index >= kTreeToolbarPictureCount) return {};
  return QStringLiteral(":/toolbar/%1.svg").arg(QString::fromLatin1(kPictureNames[index]));
}

QPixmap TreeToolbarPicture(int index) {
  return TreeToolbarIcon(index).pixmap(kTreeToolbarPictureSize, kTreeToolbarPictureSize);
}

QIcon TreeToolbarIcon(int index) {
  const QString path = TreeToolbarPicturePath(index);
  return path.isEmpty() ? QIcon() : QIcon(path);
}

QString ApplicationIconPath() { return QStringLiteral(":/icons/ZMConfigWizard.svg"); }

QIcon ApplicationIcon() { return QIcon(ApplicationIconPath()); }
