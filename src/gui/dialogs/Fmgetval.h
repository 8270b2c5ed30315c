#pragma once
// TfmGetValue: asks for one typed value (text, integer, real number, date, time
// or password) and refuses OK until the entry holds that kind of value.
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

class TfmGetValue : public QDialog {
  Q_OBJECT
  Q_PROPERTY(quint8 typeOfData READ typeOfData WRITE setTypeOfData)
  Q_PROPERTY(QString title READ title WRITE setTitle)
  Q_PROPERTY(QString prompt READ prompt WRITE setPrompt)
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit TfmGetValue(QWidget* parent = nullptr);

  quint8 typeOfData() const { return FTypeOfData; }
  void setTypeOfData(quint8 value);
  QString title() const { return windowTitle(); }
  void setTitle(const QString& value) { setWindowTitle(value); }
  QString prompt() const;
  void setPrompt(const QString& value);
  QString text() const;
  void setText(const QString& value);

  // Client layout (pixels).
  static constexpr int kClientWidth = 350;
  static constexpr int kClientHeight = 93;
  static constexpr int kLabelHeight = 16;

  QLabel* lblPrompt;
  QLineEdit* EntryText;
  QPushButton* btnOK;
  QPushButton* btnCancel;

 public slots:
  void OKBtnClick();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ApplyPromptLayout(bool twoLines);
  quint8 FTypeOfData = 0;
};
