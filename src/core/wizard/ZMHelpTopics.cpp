#include "wizard/ZMHelpTopics.h"

#include <algorithm>
#include <cctype>


namespace {
std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// 0: a word of `text` starts with `key`; 1: `key` is inside `text`; 2: neither.
int MatchRank(const std::string& text, const std::string& key) {
  const std::string t = Lower(text);
  int rank = 2;
  for (std::size_t at = t.find(key); at != std::string::npos; at = t.find(key, at + 1)) {
    if (at == 0 || !std::isalnum(static_cast<unsigned char>(t[at - 1]))) return 0;
    rank = 1;
  }
  return rank;
}

std::vector<THelpTopic> MakeTopics() {
  return {
      {"contents.html", "Contents", "The list of help topics for Configuration Builder.",
       {"contents", "topics", "index"}, {}},
      {"overview.html", "Configuration Builder at a glance",
       "Configuration Builder describes a monitored UPS battery installation and writes the "
       "configuration file for the monitoring equipment.",
       {"overview", "wizard", "pages", "start", "Next", "Back", "Finish"}, {kHelpContextWindow}},
      {"define.html", "Defining the UPS system",
       "Describe the batteries, strings, current probes, temperature sensors and cells of the "
       "installation in the system tree.",
       {"tree", "battery", "batteries", "string", "strings", "cells", "current probe", "temperature sensor",
        "join", "sub-string", "genset"},
       {kHelpContextMain}},
      {"controlunits.html", "Control units",
       "Every string is monitored by one control unit; use the control unit bar to assign them.",
       {"control unit", "assign", "DCM", "inputs", "channels"}, {}},
      {"verify.html", "Verifying the setup",
       "Check the configuration grid built from your description and correct single cells if needed.",
       {"grid", "configuration grid", "edit", "undo", "copy", "paste", "fill", "error list"}, {}},
      {"save.html", "Saving the configuration file",
       "Write the configuration file (BatConfig.cfg) that the monitoring equipment is set up from.",
       {"save", "file", "BatConfig.cfg", "history file", "folder", "InitialDir"}, {}},
      {"alarms.html", "Alarm limits",
       "Set the low and high alarm limits of cells, current probes and temperature sensors.",
       {"alarm", "limits", "ohmic value", "global alarm setting", "defaults", "cell type"}, {}},
      {"walkthrough.html", "Walk-through mode",
       "Answer questions one at a time and let the program fill in the system tree for you.",
       {"walk-through", "walk through", "questions", "hardware list", "print"}, {}},
      {"usinghelp.html", "Using help",
       "How to find topics, search the index and open help for the window you are working in.",
       {"help", "F1", "search", "index", "how to use help"}, {}},
  };
}
}  // namespace

const std::vector<THelpTopic>& HelpTopics() {
  static const std::vector<THelpTopic> topics = MakeTopics();
  return topics;
}

const THelpTopic* HelpTopicById(const std::string& id) {
  for (const THelpTopic& topic : HelpTopics())
    if (topic.Id == id) return &topic;
  return nullptr;
}

const THelpTopic* HelpTopicForContext(int context) {
  for (const THelpTopic& topic : HelpTopics())
    if (std::find(topic.Contexts.begin(), topic.Contexts.end(), context) != topic.Contexts.end()) return &topic;
  return nullptr;
}

const THelpTopic& ContentsTopic() { return *HelpTopicById("contents.html"); }
const THelpTopic& HelpOnHelpTopic() { return *HelpTopicById("usinghelp.html"); }

std::vector<const THelpTopic*> SearchHelpTopics(const std::string& key) {
  const std::string k = Lower(key);
  std::vector<std::pair<int, const THelpTopic*>> found;
  for (const THelpTopic& topic : HelpTopics()) {
    int rank = k.empty() ? 0 : MatchRank(topic.Title, k);
    for (const std::string& keyword : topic.Keywords) rank = std::min(rank, k.empty() ? 0 : MatchRank(keyword, k));
    if (rank < 2) found.emplace_back(rank, &topic);
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return Lower(a.second->Title) < Lower(b.second->Title);
  });
  std::vector<const THelpTopic*> result;
  result.reserve(found.size());
  for (const auto& entry : found) result.push_back(entry.second);
  return result;
}

void THelpSystem::InstallPopupOpensFullTopicHook() {
  SetHook([](THelpSystem& help, const THelpRequest& request) {
    if (request.Command == HELP_CONTEXTPOPUP) help.Help({HELP_CONTEXT, request.Context, {}});
    return true;
  });
}

bool THelpSystem::Help(const THelpRequest& request) {
  if (Hook_ && !Hook_(*this, request)) return false;
  return Carry(request);
}

bool THelpSystem::Carry(const THelpRequest& request) {
  if (!Viewer_) return false;
  switch (request.Command) {
    case HELP_CONTENTS:
      Viewer_->ShowTopic(ContentsTopic());
      return true;
    case HELP_HELPONHELP:
      Viewer_->ShowTopic(HelpOnHelpTopic());
      return true;
    case HELP_PARTIALKEY:
      Viewer_->ShowIndex(request.Key, SearchHelpTopics(request.Key));
      return true;
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP: {
      const THelpTopic* topic = HelpTopicForContext(request.Context);
      const THelpTopic& shown = topic ? *topic : ContentsTopic();
      if (request.Command == HELP_CONTEXT)
        Viewer_->ShowTopic(shown);
      else
        Viewer_->ShowPopup(shown);
      return topic != nullptr;
    }
    default:
      return false;
  }
}

THelpSystem& ApplicationHelp() {
  static THelpSystem help;
  return help;
}
