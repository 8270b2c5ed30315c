#pragma once
// Printing of the walk-through reports. A report goes to the default printer
// when there is one; otherwise the print dialog lets the user choose a printer
// or a PDF file, so that the Print button never pretends to have printed.
#include <QString>
#include <functional>
#include <string>

class QPrinter;
class QTextDocument;
class QWidget;

enum class TPrintOutcome { Printed, Cancelled, Failed };

// Where printing goes. Tests replace these to print into a file without a
// modal dialog.
struct TWalkPrintServices {
  // Whether a default printer exists.
  std::function<bool()> HasDefaultPrinter;
  // Lets the user set up `printer` (a printer, or a file); false when cancelled.
  std::function<bool(QPrinter& printer, QWidget* parent)> ChooseTarget;
};

// The platform's services: the system's default printer and the print dialog.
TWalkPrintServices PlatformPrintServices();
// Installs services; returns the ones installed before. Empty members fall
// back to the platform's.
TWalkPrintServices SetWalkPrintServices(TWalkPrintServices services);

// Prints `document` as one job titled `title`. When a chosen file cannot be
// written, `failure` gets the message naming the file and the reason.
TPrintOutcome PrintWalkDocument(const QTextDocument& document, const QString& title,
                                QWidget* parent, std::string* failure = nullptr);

// A file name made from a print title: characters that cannot stand in a file
// name (the date's slashes among them) become '-'.
QString PrintFileNameFor(const QString& title);

// Today's date for the report titles: mm/dd/yyyy with the locale's separator.
std::string TodayReportDate();
// The date separator of the user's locale ('/' when it shows none).
char LocaleDateSeparator();
