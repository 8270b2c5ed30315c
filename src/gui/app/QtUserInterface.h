#pragma once
// Qt implementations of the core's user interfaces: message boxes and beeps.
#include <QString>

#include "common/ZMUserInterface.h"

class QWidget;

// Converts the program's message texts ('\r' as line break, UTF-8) for Qt.
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

class TQtUserMessages : public IUserMessages {
 public:
  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons,
                  const std::string& caption) override;
  void Beep(TBeepKind kind) override;
};
