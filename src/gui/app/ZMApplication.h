#pragma once
// Start-up pieces shared by the program and the GUI tests.
#include <QApplication>

// The program's application object. Every event goes through notify, so every
// action, button, menu item, key and deferred step of every window is run under
// the one command guard: an exception shows an error box and the event loop
// goes on.
class TZMApplication : public QApplication {
 public:
  TZMApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// The program's names and version, for the settings, --version and the window
// titles; works before any application object exists.
void SetApplicationNames();
// The desktop entry's id, which is also the name of the installed icon.
inline constexpr const char* kDesktopEntryId = "com.zelmor.ConfigurationBuilder";
// Gives every window the program's icon and ties the windows to the desktop
// entry; needs the application object and the resources.
void SetApplicationIcon();

// Loads the compiled-in resources (help texts, pictures) of the static zmgui library.
void InitZMResources();
// Applies the user's locale to the core's number texts.
void ApplyLocaleToCore();
