#pragma once
// The program's help: its topics, the partial-key search over their titles and
// keywords, and the help system that carries out the numbered help commands
// (contents, context topic, context pop-up, partial-key search, help on help)
// through a viewer the user interface provides.
#include <functional>
#include <string>
#include <vector>

// Help context numbers of the main window and of its pages (tree and grid).
inline constexpr int kHelpContextWindow = 5;
inline constexpr int kHelpContextMain = 21;

// The application's help file name, set at start-up. The topics themselves
// are built into the program; the name identifies the help the window asks for.
inline constexpr const char* kApplicationHelpFile =
    "C:\\Zelmor\\Source\\Wizards\\Configuration\\TreeBased\\ConfigurationWizard.hlp";

// Help command numbers.
enum THelpCommandNumber : unsigned {
  HELP_CONTEXT = 1,       // the full topic of a context number
  HELP_CONTENTS = 3,      // the contents topic
  HELP_HELPONHELP = 4,    // how to use help
  HELP_CONTEXTPOPUP = 8,  // a context topic as a pop-up
  HELP_PARTIALKEY = 261,  // search the index for a key; an empty key opens the index search
};

struct THelpTopic {
  std::string Id;        // file name of the topic's page, e.g. "contents.html"
  std::string Title;
  std::string Summary;   // one sentence, shown in pop-ups
  std::vector<std::string> Keywords;
  std::vector<int> Contexts;  // help context numbers that open this topic
};

// Every topic, in the order of the contents.
const std::vector<THelpTopic>& HelpTopics();
// nullptr when there is none.
const THelpTopic* HelpTopicById(const std::string& id);
const THelpTopic* HelpTopicForContext(int context);
const THelpTopic& ContentsTopic();
const THelpTopic& HelpOnHelpTopic();

// The topics whose title or one of whose keywords contains `key`, ignoring
// case; those with a word starting with the key come first, each group in
// title order. An empty key gives every topic in title order.
std::vector<const THelpTopic*> SearchHelpTopics(const std::string& key);

// What the help system needs the user interface to show.
class IHelpViewer {
 public:
  virtual ~IHelpViewer() = default;
  virtual void ShowTopic(const THelpTopic& topic) = 0;
  // A short pop-up with the topic's summary.
  virtual void ShowPopup(const THelpTopic& topic) = 0;
  // The index search with `key` typed in and the topics it matches.
  virtual void ShowIndex(const std::string& key, const std::vector<const THelpTopic*>& matches) = 0;
};

struct THelpRequest {
  unsigned Command = 0;
  int Context = 0;   // HELP_CONTEXT, HELP_CONTEXTPOPUP
  std::string Key;   // HELP_PARTIALKEY
};

class THelpSystem {
 public:
  // Sees every request first; returning false keeps it from the viewer.
  using THelpHook = std::function<bool(THelpSystem&, const THelpRequest&)>;

  void SetHelpFile(std::string name) { HelpFile_ = std::move(name); }
  const std::string& HelpFile() const { return HelpFile_; }

  void SetViewer(IHelpViewer* viewer) { Viewer_ = viewer; }
  IHelpViewer* Viewer() const { return Viewer_; }

  void SetHook(THelpHook hook) { Hook_ = std::move(hook); }
  // The window's hook: a context pop-up request first opens the full topic
  // of the same context, then goes on as a pop-up.
  void InstallPopupOpensFullTopicHook();

  // Carries out a help command. Returns false when there is no viewer, the
  // command is unknown, the hook stopped it, or a context number has no topic
  // of its own (the contents are shown then).
  bool Help(const THelpRequest& request);
  bool HelpCommand(unsigned command, int context = 0) { return Help({command, context, {}}); }
  bool HelpContext(int context) { return Help({HELP_CONTEXT, context, {}}); }
  bool HelpPopup(int context) { return Help({HELP_CONTEXTPOPUP, context, {}}); }
  bool HelpContents() { return Help({HELP_CONTENTS, 0, {}}); }
  bool HelpOnHelp() { return Help({HELP_HELPONHELP, 0, {}}); }
  bool HelpSearch(const std::string& key) { return Help({HELP_PARTIALKEY, 0, key}); }

 private:
  bool Carry(const THelpRequest& request);

  std::string HelpFile_;
  IHelpViewer* Viewer_ = nullptr;
  THelpHook Hook_;
};

// The application's one help system.
THelpSystem& ApplicationHelp();
