#pragma once
// The program's help window and its wiring: the viewer that shows the built-in
// help topics for the help system, help context numbers on widgets, and F1.
#include <QDialog>
#include <QPointer>
#include <QUrl>

#include "wizard/ZMHelpTopics.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextBrowser;

// The URL of a topic's page among the program's resources.
QUrl HelpTopicUrl(const THelpTopic& topic);

// Help context numbers of widgets, kept in the dynamic property "helpContext".
inline constexpr const char* kHelpContextProperty = "helpContext";
void SetHelpContext(QWidget* widget, int context);
// The context of `widget` or, when it has none, of its nearest parent that has
// one; 0 when none has.
int HelpContextOf(const QWidget* widget);

// The help window: an index with a search line on the left, the topic on the right.
class TfmHelpViewer : public QDialog, public IHelpViewer {
  Q_OBJECT

 public:
  explicit TfmHelpViewer(QWidget* parent = nullptr);

  QLineEdit* edSearch;
  QListWidget* lstTopics;
  QTextBrowser* txtTopic;
  QPushButton* btnContents;
  QPushButton* btnBack;
  QPushButton* btnClose;

  void ShowTopic(const THelpTopic& topic) override;
  void ShowPopup(const THelpTopic& topic) override;
  void ShowIndex(const std::string& key, const std::vector<const THelpTopic*>& matches) override;

  // The topic on show; nullptr before the first.
  const THelpTopic* CurrentTopic() const { return FCurrent; }
  // The text of the last pop-up.
  const QString& PopupText() const { return FPopupText; }

 private:
  void FillIndex(const std::vector<const THelpTopic*>& topics);
  void edSearchChanged(const QString& text);
  void OpenSelected();
  void txtTopicSourceChanged(const QUrl& url);
  // Shows the window; while another window is modal it becomes modal too, so
  // that it can be read and closed.
  void BringUp();

  const THelpTopic* FCurrent = nullptr;
  QString FPopupText;
};

// The program's help for as long as it lives: sets the help file name, the
// pop-up hook and a viewer on the help system, and answers F1 anywhere in the
// program with the help context of the focused widget.
class TZMHelp : public QObject {
  Q_OBJECT

 public:
  explicit TZMHelp(THelpSystem& help = ApplicationHelp(), QObject* parent = nullptr);
  ~TZMHelp() override;

  THelpSystem& Help() { return FHelp; }
  TfmHelpViewer* Viewer() { return FViewer.data(); }

  // The full topic of a context number; 0 opens the contents.
  bool ContextHelp(int context);
  // The topic of a widget's help context (see HelpContextOf); the contents
  // when it has none. F1 asks this for the widget the key went to.
  bool WidgetHelp(const QWidget* widget);
  bool FocusedWidgetHelp();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  THelpSystem& FHelp;
  QPointer<TfmHelpViewer> FViewer;
};
