#pragma once
// TfmErrorMessages: the list of problems found while the configuration grid was built.
#include <QDialog>
#include <QPointer>
#include <string>

class QListWidget;
class QPushButton;

class TfmErrorMessages : public QDialog {
  Q_OBJECT

 public:
  // `owner` is the window it is centred on; the form has no Qt parent so that
  // its keeper decides its lifetime.
  explicit TfmErrorMessages(QWidget* owner = nullptr);

  void Clear();
  void Add(const std::string& message);
  int Count() const;

  QListWidget* lbxErrors;
  QPushButton* btnOK;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QPointer<QWidget> FOwner;
};
