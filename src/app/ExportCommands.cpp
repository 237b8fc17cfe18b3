#include "app/ExportCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "app/DataFolder.h"
#include "data/Connections.h"
#include "data/ServerAddress.h"
#include "export/ExportRun.h"
#include "platform/FileOps.h"
#include "platform/FolderDialog.h"
#include "platform/MessageBox.h"
#include "platform/Pointer.h"

namespace {
constexpr int kBoxListLimit = 15;  // lines per list in the closing box

void print(FILE* stream, const QString& text) {
  const QByteArray bytes = (text + "\n").toUtf8();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}
}  // namespace

void exportFromMenu(QWidget* window) {
  const QString start = QDir::current().absoluteFilePath("export");
  fileops::makeFolder(start);  // so the dialog can open in it; the export makes it anyway
  const QString folder = askForFolder(window, "Export calendars and spreadsheet", start);
  if (folder.isEmpty()) return;
  ExportReport report;
  {
    PointerGuard hourglass(window);
    doEvents();
    try {
      report = exportWeek(folder);
    } catch (const std::exception& e) {
      setMousePointer(window, pointer::Default);
      msgBox(QString::fromUtf8(e.what()), msg::Exclamation, "Opps!");
      return;
    }
  }
  msgBox(report.summary(kBoxListLimit), msg::Exclamation, "Ok!");
}

bool isExportCommand(int argc, char** argv) {
  return argc >= 2 && QByteArray(argv[1]) == "--export";
}

int exportFromCommandLine(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(2);
  if (args.isEmpty() || args.size() > 2) {
    print(stderr,
          "Usage: rotawise --export FOLDER [DATAFOLDER]\n"
          "Writes a calendar file per employee, week.xlsx and week.csv into FOLDER, "
          "from the data folder DATAFOLDER (else the current directory when it holds "
          "employee.mdb or database.url, else ROTAWISE_DATA, else ~/Rotawise).");
    return 2;
  }
  const QString out = QDir::current().absoluteFilePath(args[0]);
  // The data folder as the program finds it at start-up; without one named,
  // the current directory when it is a data folder (its table in
  // employee.mdb, or on the server its database.url names).
  const bool here = !db::findFile(QDir::current().filePath("employee.mdb")).isEmpty() ||
                    QFileInfo::exists(QDir::current().filePath(db::kServerFile));
  const QString data = args.size() == 2 || !here ? datafolder::chosen(args.value(1))
                                                 : QDir::currentPath();
  if (!QFileInfo(data).isDir() || !QDir::setCurrent(data)) {
    print(stderr, QString("The data folder %1 cannot be opened; nothing was exported.")
                      .arg(QDir::toNativeSeparators(data)));
    return 1;
  }
  try {
    print(stdout, exportWeek(out).summary());
    return 0;
  } catch (const std::exception& e) {
    print(stderr, QString::fromUtf8(e.what()));
    return 1;
  }
}
