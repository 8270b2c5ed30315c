#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <QWhatsThis>
#include <set>

#include "GuiTestHelpers.h"
#include "app/ZMHelp.h"

namespace {
QString TopicPage(const THelpTopic& topic) {
  QFile file(":/helptopics/" + QString::fromStdString(topic.Id));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

std::string CurrentId(TZMHelp& help) {
  const THelpTopic* topic = help.Viewer()->CurrentTopic();
  return topic ? topic->Id : std::string("(none)");
}

// A window with the main window's help contexts: 5 on the window, 21 on its
// central panel; a third box sits outside both.
struct TContextWindow {
  QWidget window;
  QFrame* pnlMain = new QFrame(&window);
  QLineEdit* inMain = new QLineEdit(pnlMain);
  QLineEdit* onWindow = new QLineEdit(&window);
  TContextWindow() {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(pnlMain);
    layout->addWidget(onWindow);
    SetHelpContext(&window, 5);
    SetHelpContext(pnlMain, 21);
  }
};
}  // namespace

TEST(HelpTopics, EveryTopicHasAPageAndEveryLinkLeadsToATopic) {
  std::set<std::string> linkedFromContents;
  const QRegularExpression href(R"re(href="([^"]+)")re");
  for (const THelpTopic& topic : HelpTopics()) {
    const QString page = TopicPage(topic);
    ASSERT_FALSE(page.isEmpty()) << "no page for " << topic.Id;
    EXPECT_TRUE(page.contains("<h1>" + QString::fromStdString(topic.Title) + "</h1>")) << topic.Id;
    for (auto it = href.globalMatch(page); it.hasNext();) {
      const std::string target = it.next().captured(1).toStdString();
      EXPECT_NE(HelpTopicById(target), nullptr) << topic.Id << " links to " << target;
      if (topic.Id == ContentsTopic().Id) linkedFromContents.insert(target);
    }
  }
  for (const THelpTopic& topic : HelpTopics())
    if (topic.Id != ContentsTopic().Id) {
      EXPECT_TRUE(linkedFromContents.count(topic.Id)) << topic.Id << " missing from the contents";
    }
}

TEST(HelpViewer, ContentsHelpOnHelpLinksAndBack) {
  THelpSystem system;
  TZMHelp help(system);
  TfmHelpViewer* viewer = help.Viewer();
  EXPECT_FALSE(viewer->isVisible());

  ASSERT_TRUE(system.HelpCommand(HELP_CONTENTS));
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(CurrentId(help), "contents.html");
  EXPECT_TRUE(viewer->txtTopic->toPlainText().contains("Walk-through mode"));

  // A link between topics is followed inside the viewer and becomes the current topic.
  viewer->txtTopic->setSource(QUrl("verify.html"));
  EXPECT_EQ(CurrentId(help), "verify.html");

  ASSERT_TRUE(system.HelpCommand(HELP_HELPONHELP));
  EXPECT_EQ(CurrentId(help), "usinghelp.html");

  ASSERT_TRUE(viewer->btnBack->isEnabled());
  QTest::mouseClick(viewer->btnBack, Qt::LeftButton);
  EXPECT_EQ(CurrentId(help), "verify.html");
  QTest::mouseClick(viewer->btnContents, Qt::LeftButton);
  EXPECT_EQ(CurrentId(help), "contents.html");
  viewer->close();
}

TEST(HelpViewer, SearchWithAnEmptyKeyOpensTheIndex) {
  THelpSystem system;
  TZMHelp help(system);
  TfmHelpViewer* viewer = help.Viewer();
  auto* search = FindNamed<QLineEdit>(viewer, "edSearch");
  auto* list = FindNamed<QListWidget>(viewer, "lstTopics");
  ASSERT_TRUE(search && list);

  search->setText("leftover");
  ASSERT_TRUE(system.HelpSearch(""));
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_TRUE(search->text().isEmpty());
  EXPECT_EQ(list->count(), static_cast<int>(HelpTopics().size()));

  // Typing narrows the index; Enter opens the selected topic.
  QTest::keyClicks(search, "ohmic");
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "Alarm limits");
  QTest::keyClick(search, Qt::Key_Return);
  EXPECT_EQ(CurrentId(help), "alarms.html");
  EXPECT_TRUE(viewer->isVisible());  // Enter did not press a button

  // A search with a key shows it and its matches.
  ASSERT_TRUE(system.HelpSearch("control"));
  EXPECT_EQ(search->text(), "control");
  ASSERT_GE(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "Control units");
  emit list->itemActivated(list->item(0));
  EXPECT_EQ(CurrentId(help), "controlunits.html");
  viewer->close();
}

TEST(HelpViewer, F1OpensTheTopicOfTheNearestHelpContext) {
  THelpSystem system;
  TZMHelp help(system);
  TContextWindow w;
  EXPECT_EQ(HelpContextOf(w.inMain), 21);
  EXPECT_EQ(HelpContextOf(w.onWindow), 5);
  EXPECT_EQ(HelpContextOf(nullptr), 0);
  w.window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));

  QTest::keyClick(w.inMain, Qt::Key_F1);
  EXPECT_EQ(help.Viewer()->CurrentTopic(), HelpTopicForContext(21));
  QTest::keyClick(w.onWindow, Qt::Key_F1);
  EXPECT_EQ(help.Viewer()->CurrentTopic(), HelpTopicForContext(5));

  // A window without any context opens the contents.
  QLineEdit plain;
  plain.show();
  QTest::keyClick(&plain, Qt::Key_F1);
  EXPECT_EQ(CurrentId(help), "contents.html");

  // F1 stays context help where a menu item carries it as its shortcut.
  QAction contents("&Contents", &w.window);
  contents.setShortcut(Qt::Key_F1);
  w.window.addAction(&contents);
  int triggered = 0;
  QObject::connect(&contents, &QAction::triggered, [&] { ++triggered; });
  w.window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
  w.inMain->setFocus();
  help.Viewer()->close();
  QTest::keyClick(w.inMain, Qt::Key_F1);
  EXPECT_EQ(triggered, 0);
  EXPECT_EQ(help.Viewer()->CurrentTopic(), HelpTopicForContext(21));

  help.Viewer()->close();
}

TEST(HelpViewer, F1InAModalWindowGivesAViewerThatCanBeUsed) {
  THelpSystem system;
  TZMHelp help(system);
  QDialog dialog;
  auto* edit = new QLineEdit(&dialog);
  SetHelpContext(&dialog, 5);
  bool viewerModal = false, viewerOnTop = false;
  QTimer::singleShot(0, [&] {
    QTest::keyClick(edit, Qt::Key_F1);
    viewerModal = help.Viewer()->isVisible() && help.Viewer()->windowModality() == Qt::ApplicationModal;
    viewerOnTop = QApplication::activeModalWidget() == help.Viewer();
    help.Viewer()->close();
    dialog.reject();
  });
  dialog.exec();
  EXPECT_TRUE(viewerModal);
  EXPECT_TRUE(viewerOnTop);
  EXPECT_EQ(help.Viewer()->CurrentTopic(), HelpTopicForContext(5));

  // With no modal window open the viewer is an ordinary window again.
  system.HelpContents();
  EXPECT_EQ(help.Viewer()->windowModality(), Qt::NonModal);
  help.Viewer()->close();
}

TEST(HelpViewer, SetsUpTheHelpSystemForItsLifetime) {
  THelpSystem system;
  {
    TZMHelp help(system);
    EXPECT_EQ(system.HelpFile(), kApplicationHelpFile);
    EXPECT_EQ(system.Viewer(), help.Viewer());
    // The pop-up hook is in place: a pop-up request shows the full topic as well.
    ASSERT_TRUE(system.HelpCommand(HELP_CONTEXTPOPUP, 21));
    EXPECT_TRUE(help.Viewer()->isVisible());
    EXPECT_EQ(help.Viewer()->CurrentTopic(), HelpTopicForContext(21));
    EXPECT_TRUE(help.Viewer()->PopupText().startsWith(QString::fromStdString(HelpTopicForContext(21)->Title)));
    QWhatsThis::hideText();
  }
  EXPECT_EQ(system.Viewer(), nullptr);  // no request reaches a deleted viewer
  EXPECT_FALSE(system.HelpContents());
}
