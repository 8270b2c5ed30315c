#pragma once
// Start-up pieces shared by the program and the GUI tests.
class QApplication;

// Loads the compiled-in resources (help texts, pictures) of the static zmgui library.
void InitZMResources();
// Applies the user's locale to the core's number texts.
void ApplyLocaleToCore();
