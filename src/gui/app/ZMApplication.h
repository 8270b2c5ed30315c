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

// Loads the compiled-in resources (help texts, pictures) of the static zmgui library.
void InitZMResources();
// Applies the user's locale to the core's number texts.
void ApplyLocaleToCore();
