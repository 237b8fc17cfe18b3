#include "support/Workspace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <stdexcept>

#include "platform/CommonDialog.h"
#include "platform/MessageBox.h"
#include "print/AreaSettings.h"

namespace bench {
namespace {
[[noreturn]] void fail(const QString& why) { throw std::runtime_error(why.toStdString()); }

void copyReplacing(const QString& from, const QString& to) {
  QFile::remove(to);
  if (!QFile::copy(from, to)) fail(QString("cannot copy %1 to %2").arg(from, to));
  QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
}  // namespace

Workspace::Workspace(int employees)
    : facts_(businessFacts(employees)), business_(businessFolder(employees)),
      previous_(QDir::currentPath()) {
  if (!dir_.isValid()) fail("no temporary folder");
  const QDir source(business_);
  for (const QString& name : source.entryList(QDir::Files)) {
    if (name == "save-base.mdb" || name == "stamp") continue;
    copyReplacing(source.filePath(name), dir_.filePath(name));
  }
  QDir::setCurrent(dir_.path());
}

Workspace::~Workspace() { QDir::setCurrent(previous_); }

void Workspace::restoreDatabase(const QString& source) {
  for (const QString& leftover : {"Backup.mdb", "Backup.mdb.previous", "compact.mdb"})
    QFile::remove(dir_.filePath(leftover));
  copyReplacing(QDir(business_).filePath(source), dir_.filePath("employee.mdb"));
}

void Workspace::handOverArea(const QString& area) {
  if (!writePrintFile(areaSettingsFileName(area))) fail("cannot write PRINT.IGH");
}

Answers::Answers() {
  setMessageBoxHandler([this](const QString& text, int code, const QString&) {
    texts << text;
    return (code & 0x7) == msg::YesNo ? int(msg::Yes) : int(msg::Ok);
  });
}

Answers::~Answers() { setMessageBoxHandler({}); }

bool Answers::saw(const QString& text) const { return texts.contains(text); }

std::unique_ptr<PrinterChoice> printToPdf(const QString& path) {
  QFile::remove(path);
  return PrinterChoice::pdfFile(path);
}

int pdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QByteArray bytes = f.readAll();
  // Qt writes each page as "/Type /Page" (the tree as "/Type /Pages").
  int pages = 0;
  for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
    if (at + 11 < bytes.size() && bytes[at + 11] != 's') ++pages;
  return pages;
}

void press(QWidget* window, const QString& button) {
  auto* b = window ? window->findChild<QAbstractButton*>(button) : nullptr;
  if (!b) fail("no button " + button);
  b->click();
}

void closeWindow(QWidget* window) {
  delete window;
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void closeAllWindows() {
  QList<QPointer<QWidget>> windows;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!w->parentWidget()) windows << w;
  for (const QPointer<QWidget>& w : windows) delete w.data();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace bench
