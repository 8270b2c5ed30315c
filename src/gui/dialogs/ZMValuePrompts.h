#pragma once
// The Qt value prompts and error list behind the core's IValuePrompts and IErrorList.
#include <QPointer>
#include <QWidget>
#include <memory>

#include "common/ZMUserInterface.h"

class TfmErrorMessages;

// Moves `window` to the centre of `over`, or of the screen when `over` is null.
void CentreWindow(QWidget* window, const QWidget* over);

// Each prompt window is created for its call. The integer and yes/no prompts are
// centred on `owner` (the main window), or on the active window when none is given.
class TQtValuePrompts : public IValuePrompts {
 public:
  explicit TQtValuePrompts(QWidget* owner = nullptr) : FOwner(owner) {}
  bool GetNumber(const std::string& prompt, const std::string& caption, double& value) override;
  bool GetText(const std::string& prompt, const std::string& caption, std::string& text) override;
  bool GetInteger(const std::string& prompt, int& value, int minimum, int maximum) override;
  bool GetBool(const std::string& prompt, bool& value) override;

 private:
  QWidget* Owner() const;
  QPointer<QWidget> FOwner;
};

// The one error list window of the program and the messages it holds.
class TQtErrorList : public IErrorList {
 public:
  explicit TQtErrorList(QWidget* owner = nullptr);
  ~TQtErrorList() override;
  void Clear() override;
  void Add(const std::string& message) override;
  int Count() const override;
  void Show() override;
  TfmErrorMessages* Form() const { return FForm.get(); }

 private:
  std::unique_ptr<TfmErrorMessages> FForm;
};
