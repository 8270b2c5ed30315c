#pragma once
// The help texts of the walk-through pages, kept as rich text (HTML) resources
// of the program and looked up by name without regard to case.
#include <QString>

// The folder of the help resources.
inline constexpr const char* WalkthroughHelpFolder = ":/walkthrough/help";

// The rich text of the named help; when there is none, the name itself (as the
// only line of text). `found`, when given, tells which of the two it was.
QString LoadWalkthroughHelp(const QString& name, bool* found = nullptr);
