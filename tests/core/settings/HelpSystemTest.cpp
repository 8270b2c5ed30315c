#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wizard/ZMHelpTopics.h"

namespace {
// Records what the help system asked to show, in order.
class TRecordingViewer : public IHelpViewer {
 public:
  void ShowTopic(const THelpTopic& topic) override { Shown.push_back("topic " + topic.Id); }
  void ShowPopup(const THelpTopic& topic) override { Shown.push_back("popup " + topic.Id); }
  void ShowIndex(const std::string& key, const std::vector<const THelpTopic*>& matches) override {
    Shown.push_back("index '" + key + "' " + std::to_string(matches.size()));
  }
  std::vector<std::string> Shown;
};

std::vector<std::string> Titles(const std::vector<const THelpTopic*>& topics) {
  std::vector<std::string> titles;
  for (const THelpTopic* t : topics) titles.push_back(t->Title);
  return titles;
}
}  // namespace

TEST(HelpTopics, ContextsAndSpecialTopicsHaveTopics) {
  ASSERT_NE(HelpTopicForContext(5), nullptr);
  ASSERT_NE(HelpTopicForContext(21), nullptr);
  EXPECT_NE(HelpTopicForContext(5), HelpTopicForContext(21));
  EXPECT_EQ(HelpTopicForContext(9999), nullptr);
  EXPECT_EQ(ContentsTopic().Title, "Contents");
  EXPECT_EQ(HelpOnHelpTopic().Title, "Using help");
}

TEST(HelpTopics, PartialKeySearchesTitlesAndKeywords) {
  // An empty key lists every topic, in title order.
  const auto all = SearchHelpTopics("");
  ASSERT_EQ(all.size(), HelpTopics().size());
  for (std::size_t i = 1; i < all.size(); ++i) EXPECT_LT(all[i - 1]->Title, all[i]->Title);

  // Case is ignored; a keyword ("limits") finds a topic as well as a title.
  EXPECT_EQ(Titles(SearchHelpTopics("ALARM")), std::vector<std::string>{"Alarm limits"});
  EXPECT_EQ(Titles(SearchHelpTopics("ohmic")), std::vector<std::string>{"Alarm limits"});
  EXPECT_EQ(Titles(SearchHelpTopics("batconfig")), std::vector<std::string>{"Saving the configuration file"});

  // Word starts come before matches inside a word: "unit" starts a word in
  // "Control units" but sits inside no other title.
  const auto control = Titles(SearchHelpTopics("contr"));
  ASSERT_FALSE(control.empty());
  EXPECT_EQ(control.front(), "Control units");

  EXPECT_TRUE(SearchHelpTopics("no such topic").empty());
}

TEST(HelpSystem, CommandsReachTheViewer) {
  THelpSystem help;
  EXPECT_FALSE(help.HelpContents());  // no viewer yet
  TRecordingViewer viewer;
  help.SetViewer(&viewer);
  help.SetHelpFile(kApplicationHelpFile);
  EXPECT_EQ(help.HelpFile(), "C:\\Zelmor\\Source\\Wizards\\Configuration\\TreeBased\\ConfigurationWizard.hlp");

  EXPECT_TRUE(help.HelpCommand(3));
  EXPECT_TRUE(help.HelpCommand(4));
  EXPECT_TRUE(help.HelpSearch(""));
  EXPECT_TRUE(help.HelpSearch("alarm"));
  EXPECT_TRUE(help.HelpContext(5));
  EXPECT_TRUE(help.HelpContext(21));
  EXPECT_TRUE(help.HelpCommand(8, 21));  // without the hook a pop-up is only a pop-up
  EXPECT_FALSE(help.HelpCommand(77));
  EXPECT_EQ(viewer.Shown,
            (std::vector<std::string>{"topic contents.html", "topic usinghelp.html",
                                      "index '' " + std::to_string(HelpTopics().size()), "index 'alarm' 1",
                                      "topic " + HelpTopicForContext(5)->Id, "topic " + HelpTopicForContext(21)->Id,
                                      "popup " + HelpTopicForContext(21)->Id}));

  // A context without a topic of its own still opens something: the contents.
  viewer.Shown.clear();
  EXPECT_FALSE(help.HelpContext(4242));
  EXPECT_EQ(viewer.Shown, std::vector<std::string>{"topic contents.html"});
}

TEST(HelpSystem, PopupRequestFirstOpensTheFullTopic) {
  THelpSystem help;
  TRecordingViewer viewer;
  help.SetViewer(&viewer);
  help.InstallPopupOpensFullTopicHook();
  const std::string main = HelpTopicForContext(21)->Id;

  EXPECT_TRUE(help.HelpPopup(21));
  EXPECT_EQ(viewer.Shown, (std::vector<std::string>{"topic " + main, "popup " + main}));

  // Every other request passes through unchanged.
  viewer.Shown.clear();
  help.HelpContext(21);
  help.HelpContents();
  EXPECT_EQ(viewer.Shown, (std::vector<std::string>{"topic " + main, "topic contents.html"}));
}
