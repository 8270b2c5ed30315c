#pragma once
// The standard file dialogs behind the core's IFileDialogs.
#include <QString>

#include "common/ZMUserInterface.h"

// "Configuration Files|*.cfg|All files|*.*" as Qt writes a filter list:
// "Configuration Files (*.cfg);;All files (*.*)".
QString ToQtFilter(const std::string& filter);

class TQtFileDialogs : public IFileDialogs {
 public:
  bool SaveFileName(const TFileDialogOptions& options, std::string& fileName) override;
  bool OpenFileName(const TFileDialogOptions& options, std::string& fileName) override;
};
