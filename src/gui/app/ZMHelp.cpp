#include "app/ZMHelp.h"

#include <QApplication>
#include <QCursor>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {
constexpr int kTopicRole = Qt::UserRole + 1;

const THelpTopic* TopicOfItem(const QListWidgetItem* item) {
  if (!item) return nullptr;
  return HelpTopicById(item->data(kTopicRole).toString().toStdString());
}
}  // namespace

QUrl HelpTopicUrl(const THelpTopic& topic) {
  return QUrl(QStringLiteral("qrc:/helptopics/") + QString::fromStdString(topic.Id));
}

void SetHelpContext(QWidget* widget, int context) { widget->setProperty(kHelpContextProperty, context); }

int HelpContextOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    bool ok = false;
    const int context = w->property(kHelpContextProperty).toInt(&ok);
    if (ok && context > 0) return context;
  }
  return 0;
}

// ---------------------------------------------------------------------------

TfmHelpViewer::TfmHelpViewer(QWidget* parent) : QDialog(parent, Qt::Window) {
  setObjectName("fmHelpViewer");
  setWindowTitle("Configuration Builder Help");
  setModal(false);

  auto* left = new QWidget(this);
  auto* searchLabel = new QLabel("&Type a word to look for:", left);
  edSearch = new QLineEdit(left);
  edSearch->setObjectName("edSearch");
  edSearch->setClearButtonEnabled(true);
  searchLabel->setBuddy(edSearch);
  lstTopics = new QListWidget(left);
  lstTopics->setObjectName("lstTopics");
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(searchLabel);
  leftLayout->addWidget(edSearch);
  leftLayout->addWidget(lstTopics);

  txtTopic = new QTextBrowser(this);
  txtTopic->setObjectName("txtTopic");
  txtTopic->setOpenExternalLinks(false);
  txtTopic->setOpenLinks(true);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(left);
  splitter->addWidget(txtTopic);
  splitter->setStretchFactor(1, 3);
  splitter->setSizes({200, 520});

  btnContents = new QPushButton("&Contents", this);
  btnContents->setObjectName("btnContents");
  btnBack = new QPushButton("&Back", this);
  btnBack->setObjectName("btnBack");
  btnBack->setEnabled(false);
  btnClose = new QPushButton("Close", this);
  btnClose->setObjectName("btnClose");
  // Enter belongs to the search line and the index, never to a button.
  for (QPushButton* button : {btnContents, btnBack, btnClose}) button->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnContents);
  buttons->addWidget(btnBack);
  buttons->addStretch();
  buttons->addWidget(btnClose);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter);
  layout->addLayout(buttons);

  connect(edSearch, &QLineEdit::textChanged, this, &TfmHelpViewer::edSearchChanged);
  connect(edSearch, &QLineEdit::returnPressed, this, &TfmHelpViewer::OpenSelected);
  connect(lstTopics, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    lstTopics->setCurrentItem(item);
    OpenSelected();
  });
  connect(txtTopic, &QTextBrowser::sourceChanged, this, &TfmHelpViewer::txtTopicSourceChanged);
  connect(txtTopic, &QTextBrowser::backwardAvailable, btnBack, &QPushButton::setEnabled);
  connect(btnBack, &QPushButton::clicked, txtTopic, &QTextBrowser::backward);
  connect(btnContents, &QPushButton::clicked, this, [this] { ShowTopic(ContentsTopic()); });
  connect(btnClose, &QPushButton::clicked, this, &QDialog::close);

  FillIndex(SearchHelpTopics({}));
  resize(760, 520);
}

void TfmHelpViewer::FillIndex(const std::vector<const THelpTopic*>& topics) {
  lstTopics->clear();
  for (const THelpTopic* topic : topics) {
    auto* item = new QListWidgetItem(QString::fromStdString(topic->Title), lstTopics);
    item->setData(kTopicRole, QString::fromStdString(topic->Id));
  }
  if (lstTopics->count() > 0) lstTopics->setCurrentRow(0);
}

void TfmHelpViewer::edSearchChanged(const QString& text) { FillIndex(SearchHelpTopics(text.toStdString())); }

void TfmHelpViewer::OpenSelected() {
  if (const THelpTopic* topic = TopicOfItem(lstTopics->currentItem())) ShowTopic(*topic);
}

void TfmHelpViewer::txtTopicSourceChanged(const QUrl& url) {
  // Links between topics lead here too: keep the current topic in step.
  FCurrent = HelpTopicById(url.fileName().toStdString());
  if (FCurrent) setWindowTitle("Configuration Builder Help - " + QString::fromStdString(FCurrent->Title));
}

void TfmHelpViewer::ShowTopic(const THelpTopic& topic) {
  const QUrl url = HelpTopicUrl(topic);
  if (txtTopic->source() == url)
    txtTopicSourceChanged(url);
  else
    txtTopic->setSource(url);
  BringUp();
}

void TfmHelpViewer::ShowPopup(const THelpTopic& topic) {
  FPopupText = QString::fromStdString(topic.Title + "\n\n" + topic.Summary);
  QWhatsThis::showText(QCursor::pos(), FPopupText);
}

void TfmHelpViewer::ShowIndex(const std::string& key, const std::vector<const THelpTopic*>& matches) {
  {
    const QSignalBlocker block(edSearch);
    edSearch->setText(QString::fromStdString(key));
  }
  FillIndex(matches);
  BringUp();
  edSearch->setFocus();
  edSearch->selectAll();
}

void TfmHelpViewer::BringUp() {
  QWidget* modal = QApplication::activeModalWidget();
  Qt::WindowModality wanted = Qt::NonModal;
  if (modal == this)
    wanted = windowModality();
  else if (modal)
    wanted = Qt::ApplicationModal;
  if (windowModality() != wanted) {
    hide();
    setWindowModality(wanted);
  }
  show();
  raise();
  activateWindow();
}

// ---------------------------------------------------------------------------

TZMHelp::TZMHelp(THelpSystem& help, QObject* parent)
    : QObject(parent), FHelp(help), FViewer(new TfmHelpViewer) {
  FViewer->setAttribute(Qt::WA_QuitOnClose, false);
  FHelp.SetHelpFile(kApplicationHelpFile);
  FHelp.InstallPopupOpensFullTopicHook();
  FHelp.SetViewer(FViewer.data());
  qApp->installEventFilter(this);
}

TZMHelp::~TZMHelp() {
  qApp->removeEventFilter(this);
  if (FHelp.Viewer() == FViewer.data()) FHelp.SetViewer(nullptr);
  delete FViewer.data();
}

bool TZMHelp::ContextHelp(int context) {
  return context > 0 ? FHelp.HelpContext(context) : FHelp.HelpContents();
}

bool TZMHelp::WidgetHelp(const QWidget* widget) { return ContextHelp(HelpContextOf(widget)); }

bool TZMHelp::FocusedWidgetHelp() {
  const QWidget* widget = QApplication::focusWidget();
  return WidgetHelp(widget ? widget : QApplication::activeWindow());
}

bool TZMHelp::eventFilter(QObject* watched, QEvent* event) {
  const bool keyPress = event->type() == QEvent::KeyPress;
  if ((keyPress || event->type() == QEvent::ShortcutOverride) && watched->isWidgetType()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
      // F1 stays a key press even where a menu item has it as its shortcut.
      if (!keyPress) {
        key->accept();
        return true;
      }
      // A key press goes to the focused widget first.
      WidgetHelp(static_cast<QWidget*>(watched));
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}
