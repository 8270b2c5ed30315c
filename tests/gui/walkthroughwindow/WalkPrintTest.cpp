#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "WalkWindowFixture.h"
#include "common/ZMSafeFile.h"
#include "walkthrough/fmWalkThroughPrint.h"
#include "WriteFaults.h"

namespace {
// Print services without a default printer whose dialog picks `file` (or
// cancels when it is empty), remembering what the dialog was offered.
struct PrintToFile {
  QString file;
  QString offeredName;
  QString title;
  int dialogs = 0;
  TWalkPrintServices before;

  explicit PrintToFile(QString target) : file(std::move(target)) {
    before = SetWalkPrintServices({[] { return false; }, [this](QPrinter& printer, QWidget*) {
                                     ++dialogs;
                                     offeredName = printer.outputFileName();
                                     title = printer.docName();
                                     if (file.isEmpty()) return false;
                                     printer.setOutputFileName(file);
                                     return true;
                                   }});
  }
  ~PrintToFile() { SetWalkPrintServices(before); }
};

QString Today() { return QDate::currentDate().toString("MM/dd/yyyy"); }

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(WalkPrintNames, FileNamesDropTheDateSlashes) {
  EXPECT_EQ(PrintFileNameFor("Configuration Wizard - Hardware Setup -12/08/2026"),
            "Configuration Wizard - Hardware Setup -12-08-2026");
  EXPECT_EQ(PrintFileNameFor("a\\b:c*d?e\"f<g>h|i"), "a-b-c-d-e-f-g-h-i");
}

TEST_F(WalkWindow, PrintWithoutADefaultPrinterWritesThePdfChosenInTheDialog) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString pdf = folder.filePath("battery.pdf");
  PrintToFile printing(pdf);
  Run([&] {
    WalkToBatteryVerification();
    ASSERT_EQ(heading->text(), "Verify battery setup");
    const QString expected = "Configuration Wizard - " +
                             QString::fromStdString(system.GetBattery(0)->Name()) + " - " + Today();
    EXPECT_EQ(window.PrintTitle(), expected);
    Click(print);
    EXPECT_EQ(printing.dialogs, 1);
    EXPECT_EQ(printing.title, expected);
    // The dialog offers a PDF file named after the report.
    EXPECT_EQ(QFileInfo(printing.offeredName).fileName(), PrintFileNameFor(expected) + ".pdf");
    const QByteArray bytes = Contents(pdf);
    EXPECT_GT(bytes.size(), 100);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    // Printing leaves the page as it was.
    EXPECT_EQ(heading->text(), "Verify battery setup");
    EXPECT_TRUE(services.messages.messages.empty());

    Click(next);
    Click(next);
    ASSERT_EQ(heading->text(), "Verify system configuration");
    EXPECT_EQ(window.PrintTitle(), "Configuration Wizard - Hardware Setup -" + Today());
    QFile::remove(pdf);
    Click(print);
    EXPECT_EQ(printing.title, "Configuration Wizard - Hardware Setup -" + Today());
    EXPECT_TRUE(Contents(pdf).startsWith("%PDF"));
  });
}

TEST_F(WalkWindow, PrintCancelledInTheDialogWritesNothingAndAFailureIsReported) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  Run([&] {
    WalkToBatteryVerification();
    ASSERT_EQ(heading->text(), "Verify battery setup");
    {
      PrintToFile cancelled{QString()};
      Click(print);
      EXPECT_EQ(cancelled.dialogs, 1);
      EXPECT_TRUE(QDir(folder.path()).isEmpty());
      EXPECT_TRUE(services.messages.messages.empty());
    }
    {
      // A folder that does not exist: the job cannot be written, and says so.
      PrintToFile failing(folder.filePath("missing/report.pdf"));
      Click(print);
      EXPECT_EQ(failing.dialogs, 1);
      EXPECT_FALSE(QFileInfo::exists(failing.file));
      ASSERT_EQ(services.messages.messages.size(), 1u);
      EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
      EXPECT_NE(services.messages.messages[0].text.find("could not be printed"), std::string::npos);
    }
  });
}

TEST_F(WalkWindow, PdfGoesToTheHomeFolderWhenThereIsNoDocumentsFolder) {
  QTemporaryDir home;  // a home folder without Documents
  ASSERT_TRUE(home.isValid());
  struct HomeAt {
    QByteArray before = qgetenv("HOME");
    explicit HomeAt(const QString& path) { qputenv("HOME", path.toLocal8Bit()); }
    ~HomeAt() { qputenv("HOME", before); }
  } homeAt(home.path());
  // The user takes the file the print dialog offers.
  QString offered;
  struct Restore {
    TWalkPrintServices before;
    ~Restore() { SetWalkPrintServices(before); }
  } restore{SetWalkPrintServices({[] { return false; }, [&offered](QPrinter& printer, QWidget*) {
                                    offered = printer.outputFileName();
                                    return true;
                                  }})};
  Run([&] {
    WalkToBatteryVerification();
    ASSERT_EQ(heading->text(), "Verify battery setup");
    Click(print);
    EXPECT_EQ(QFileInfo(offered).absolutePath(), QDir(home.path()).absolutePath());
    EXPECT_TRUE(Contents(offered).startsWith("%PDF"));
    EXPECT_TRUE(services.messages.messages.empty()) << services.messages.LastText();
  });
}

TEST_F(WalkWindow, APdfThatCannotBeWrittenKeepsTheEarlierFileAndSaysWhy) {
  Run([&] {
    WalkToBatteryVerification();
    ASSERT_EQ(heading->text(), "Verify battery setup");
    for (const auto& fault : kWriteFaults) {
      SCOPED_TRACE(std::strerror(fault.error));
      QTemporaryDir folder;
      ASSERT_TRUE(folder.isValid());
      const QString pdf = folder.filePath("battery.pdf");
      {
        QFile earlier(pdf);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("%PDF earlier report");
      }
      services.messages.messages.clear();
      PrintToFile printing(pdf);
      {
        TSafeWriteFault failing(fault.step, fault.error);
        Click(print);
      }
      EXPECT_EQ(printing.dialogs, 1);
      EXPECT_EQ(Contents(pdf), QByteArray("%PDF earlier report"));
      EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"battery.pdf"});
      ASSERT_EQ(services.messages.messages.size(), 1u);
      EXPECT_EQ(services.messages.messages[0].kind, TMsgKind::Error);
      const std::string text = services.messages.LastText();
      EXPECT_NE(text.find(pdf.toStdString()), std::string::npos) << text;
      EXPECT_NE(text.find(std::strerror(fault.error)), std::string::npos) << text;
      EXPECT_EQ(heading->text(), "Verify battery setup");
    }
  });
}
