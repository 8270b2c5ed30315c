#include "walkthrough/fmWalkThroughPrint.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextDocument>

#include "common/ZMSafeFile.h"
#include "walkthrough/fmWalkThroughReports.h"

namespace {
TWalkPrintServices& Installed() {
  static TWalkPrintServices services;
  return services;
}

bool PlatformHasDefaultPrinter() { return !QPrinterInfo::defaultPrinter().isNull(); }

bool PlatformChooseTarget(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QObject::tr("Print"));
  return dialog.exec() == QDialog::Accepted;
}

// The folder offered for a PDF file: the user's documents folder, or the home
// folder when there is none (the documents folder is named even when it does
// not exist, and a file cannot be written there then).
QString PdfFolder() {
  const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  const QFileInfo folder(docs);
  return !docs.isEmpty() && folder.isDir() && folder.isWritable() ? docs : QDir::homePath();
}

bool PrinterFailed(const QPrinter& printer) {
  return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

// Prints into a file: first into a temporary file, then the finished file
// replaces the target in one step, so a failed job leaves no half-written
// file and an earlier file of that name is never mistaken for the output.
TPrintOutcome PrintToFile(const QTextDocument& document, QPrinter& printer, std::string* failure) {
  const QString target = printer.outputFileName();
  QTemporaryDir folder;
  if (!folder.isValid()) return TPrintOutcome::Failed;
  const QString scratch = folder.filePath(QStringLiteral("report.pdf"));
  printer.setOutputFileName(scratch);
  document.print(&printer);
  printer.setOutputFileName(target);
  QFile file(scratch);
  if (PrinterFailed(printer) || !file.open(QIODevice::ReadOnly) || file.size() == 0)
    return TPrintOutcome::Failed;
  const QByteArray bytes = file.readAll();
  try {
    WriteFileSafely(target.toStdString(), std::string(bytes.constData(), size_t(bytes.size())));
  } catch (const std::exception& e) {
    if (failure) *failure = e.what();
    return TPrintOutcome::Failed;
  }
  return TPrintOutcome::Printed;
}

TPrintOutcome PrintOn(const QTextDocument& document, QPrinter& printer, std::string* failure) {
  if (!printer.outputFileName().isEmpty()) return PrintToFile(document, printer, failure);
  document.print(&printer);
  return PrinterFailed(printer) ? TPrintOutcome::Failed : TPrintOutcome::Printed;
}
}  // namespace

TWalkPrintServices PlatformPrintServices() {
  return {PlatformHasDefaultPrinter, PlatformChooseTarget};
}

TWalkPrintServices SetWalkPrintServices(TWalkPrintServices services) {
  TWalkPrintServices before = Installed();
  Installed() = std::move(services);
  return before;
}

QString PrintFileNameFor(const QString& title) {
  QString name = title;
  for (QChar& c : name)
    if (QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('-');
  return name.trimmed();
}

char LocaleDateSeparator() {
  const QString format = QLocale().dateFormat(QLocale::ShortFormat);
  for (QChar c : format)
    if (c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-'))
      return c.toLatin1();
  return '/';
}

std::string TodayReportDate() {
  const QDate today = QDate::currentDate();
  return ReportDateText(today.year(), today.month(), today.day(), LocaleDateSeparator());
}

TPrintOutcome PrintWalkDocument(const QTextDocument& document, const QString& title,
                                QWidget* parent, std::string* failure) {
  const TWalkPrintServices& installed = Installed();
  const auto hasDefault =
      installed.HasDefaultPrinter ? installed.HasDefaultPrinter : PlatformHasDefaultPrinter;
  const auto choose = installed.ChooseTarget ? installed.ChooseTarget : PlatformChooseTarget;

  if (hasDefault()) {
    QPrinter printer(QPrinterInfo::defaultPrinter());
    printer.setDocName(title);
    return PrintOn(document, printer, failure);
  }
  // No default printer: let the user pick one, or a PDF file named after the report.
  QPrinter printer;
  printer.setDocName(title);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QDir(PdfFolder()).filePath(PrintFileNameFor(title) + ".pdf"));
  if (!choose(printer, parent)) return TPrintOutcome::Cancelled;
  printer.setDocName(title);
  return PrintOn(document, printer, failure);
}
