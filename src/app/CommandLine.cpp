#include "app/CommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "platform/FileSystem.h"

namespace {
const char* const kVersion = ROTAWISE_VERSION;

QString helpText() {
  return QString(
      "Usage: rotawise [FOLDER]\n"
      "       rotawise --export OUTFOLDER [FOLDER]\n"
      "Plans and prints the weekly staff schedules of a small business.\n"
      "\n"
      "The program works in the data folder FOLDER; without one, in the folder\n"
      "named by the environment variable ROTAWISE_DATA, else in %1.\n"
      "A folder that does not exist yet is made and given the supplied files\n"
      "(the choice lists, pictures, help and an empty employee.mdb); a file\n"
      "already there is never replaced, and a folder that holds an employee.mdb\n"
      "is used as it is.\n"
      "\n"
      "With --export, the program opens no window: it writes a calendar file per\n"
      "employee, week.xlsx and week.csv into OUTFOLDER and ends.\n"
      "\n"
      "Options:\n"
      "  -h, --help     Show this help and end.\n"
      "  -v, --version  Show the version and end.\n")
      .arg(QDir::toNativeSeparators(filesystem::documentsFolderInWords() + "/Rotawise"));
}

// Qt's own options, which QApplication takes out of the arguments later.
void letQtOptionsThrough(QCommandLineParser& parser) {
  for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "display",
                           "geometry", "qwindowgeometry", "qwindowicon", "qwindowtitle", "session",
                           "style", "stylesheet", "name", "title"}) {
    QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
  for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
    QCommandLineOption option(QString::fromLatin1(name));
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
  }
}

CommandLine mistake(const QString& what) {
  CommandLine c;
  c.finished = true;
  c.exitCode = 2;
  c.answer = QStringLiteral("rotawise: %1\nTry \"rotawise --help\" for more.\n").arg(what);
  return c;
}
}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's options have one dash ("-platform offscreen"); so may ours ("-help").
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help({"h", "help", "?"}, QString());
  const QCommandLineOption version({"v", "version"}, QString());
  parser.addOption(help);
  parser.addOption(version);
  letQtOptionsThrough(parser);
  if (!parser.parse(arguments)) return mistake(parser.errorText());

  CommandLine c;
  if (parser.isSet(help)) {
    c.finished = true;
    c.answer = helpText();
    return c;
  }
  if (parser.isSet(version)) {
    c.finished = true;
    c.answer = QStringLiteral("rotawise %1\n").arg(QLatin1String(kVersion));
    return c;
  }
  const QStringList folders = parser.positionalArguments();
  if (folders.size() > 1)
    return mistake(QStringLiteral("only one data folder can be named, not %1").arg(folders.size()));
  if (!folders.isEmpty() && folders.first().trimmed().isEmpty())
    return mistake(QStringLiteral("the data folder named is empty"));
  if (!folders.isEmpty()) c.dataFolder = folders.first();
  return c;
}

CommandLine readCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  CommandLine c = parseCommandLine(arguments);
  if (!c.answer.isEmpty()) {
    std::FILE* terminal = c.exitCode ? stderr : stdout;
    std::fputs(c.answer.toLocal8Bit().constData(), terminal);
    std::fflush(terminal);
  }
  return c;
}
