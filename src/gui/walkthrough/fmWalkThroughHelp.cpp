#include "walkthrough/fmWalkThroughHelp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString LoadWalkthroughHelp(const QString& name, bool* found) {
  if (found) *found = false;
  const QDir folder(QString::fromLatin1(WalkthroughHelpFolder));
  const QStringList entries = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
  for (const QString& entry : entries) {
    if (QFileInfo(entry).completeBaseName().compare(name, Qt::CaseInsensitive) != 0) continue;
    QFile file(folder.filePath(entry));
    if (!file.open(QIODevice::ReadOnly)) break;
    if (found) *found = true;
    return QString::fromUtf8(file.readAll());
  }
  return name;
}
