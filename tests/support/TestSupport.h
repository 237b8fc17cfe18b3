#pragma once
// What every test shares: a temporary data folder made the current directory,
// the supplied installation files copied in on request, and a message-box
// queue that answers boxes and records every one shown.
#include <QByteArray>
#include <QDir>
#include <QLocale>
#include <QtGlobal>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

// A failed comparison of texts shows the texts, not their bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& texts, std::ostream* out) {
  *out << '{' << texts.join("|").toStdString() << '}';
}

// File names as the disk compares them: Windows' disk ignores letter case,
// and a file replaced there may keep its old spelling (BACKUP.MDB).
inline QStringList asTheDiskCompares(QStringList names) {
#ifdef Q_OS_WIN
  for (QString& name : names) name = name.toLower();
#endif
  return names;
}

struct ShownBox {
  QString text;
  int code;
  QString title;
};

// Answers message boxes from a queue (an empty queue answers OK, or Yes for
// a Yes/No or Yes/No/Cancel question) and records every box shown.
class MessageBoxQueue {
 public:
  MessageBoxQueue();
  ~MessageBoxQueue();
  void answer(int reply) { answers_.push_back(reply); }
  const std::vector<ShownBox>& shown() const { return shown_; }
  QStringList texts() const;
  void clear() { shown_.clear(); }

 private:
  std::deque<int> answers_;
  std::vector<ShownBox> shown_;
};

// A fresh temporary folder that is the current directory while it lives.
class DataFolder {
 public:
  DataFolder();
  ~DataFolder();
  QString path() const { return dir_.path(); }
  QString file(const QString& name) const { return dir_.filePath(name); }
  // Copies a supplied file (from install/, or the built empty employee.mdb).
  void install(const QString& name);
  void installAll();  // every file a fresh data folder gets
  void write(const QString& name, const QByteArray& bytes);
  QByteArray read(const QString& name) const;
  bool exists(const QString& name) const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

// Sets an environment variable (a null value unsets it) for the scope, and
// puts it back after.
struct ScopedVariable {
  QByteArray name, before;
  bool was;
  ScopedVariable(const char* n, const QByteArray& value)
      : name(n), before(qgetenv(n)), was(qEnvironmentVariableIsSet(n)) {
    if (value.isNull()) qunsetenv(n); else qputenv(n, value);
  }
  ~ScopedVariable() {
    if (was) qputenv(name.constData(), before); else qunsetenv(name.constData());
  }
};

// Deletes every open window (parentless top-level widget), so one test's
// windows never meet the next test.
void deleteAllWindows();

// Names of the files a data folder gets from the installation.
QStringList installedFileNames();

// Sorted lists follow the user's language: a test of their order speaks
// (American) English while this lives.
class EnglishLocale {
 public:
  EnglishLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
  ~EnglishLocale() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

// The widest entry of a drop-down list as its open list draws it, in pixels.
int widestListEntry(const class QComboBox* list);
// Opens an emptied drop-down list and checks it: as wide as its widest entry,
// at its top, and closed again at the box's designed width.
void expectEmptyListOpensWideAtTheTop(class QComboBox* list);
