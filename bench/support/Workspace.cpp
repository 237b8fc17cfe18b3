#include "support/Workspace.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "data/PgEngine.h"
#include "db/EmployeeFields.h"
#include "db/ServerTable.h"
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
  if (const QString admin = qEnvironmentVariable("ROTAWISE_BENCH_PG_URI"); !admin.isEmpty())
    useServer(admin);
}

Workspace::~Workspace() {
  QDir::setCurrent(previous_);
  if (serverDatabase_.isEmpty()) return;
  closeAllWindows();
  QString why;
  db::ServerConnection admin(*db::parseServerUri(adminUri_, &why));
  admin.run("DROP DATABASE IF EXISTS " + serverDatabase_ + " WITH (FORCE)");
}

namespace {
QString templateOf(const QString& source) {
  return source == "employee.mdb" ? "generated_all" : "generated_save_base";
}
}  // namespace

// The generated tables are kept on the server under names of their own, and
// copied into the Employees table by the server itself before each run.
void Workspace::useServer(const QString& adminUri) {
  QString why;
  const auto admin = db::parseServerUri(adminUri, &why);
  if (!admin) fail("ROTAWISE_BENCH_PG_URI: " + why);
  static int made = 0;
  adminUri_ = adminUri;
  serverDatabase_ = QString("rotawise_bench_%1_%2").arg(QCoreApplication::applicationPid()).arg(++made);
  db::ServerConnection(*admin).run("CREATE DATABASE " + serverDatabase_);
  db::ServerAddress server = *admin;
  server.database = serverDatabase_;
  for (const QString source : {"employee.mdb", "save-base.mdb"}) {
    db::createServerTable(server, db::fileEmployees(QDir(business_).filePath(source)));
    db::ServerConnection(server).run("ALTER TABLE \"Employees\" RENAME TO " + templateOf(source));
  }
  QFile url(dir_.filePath("database.url"));
  if (!url.open(QIODevice::WriteOnly)) fail("cannot write database.url");
  url.write(QString("postgresql://%1@%2:%3/%4\n")
                .arg(server.user, server.host)
                .arg(server.port)
                .arg(serverDatabase_)
                .toUtf8());
  url.close();
  restoreDatabase();
}

void Workspace::restoreDatabase(const QString& source) {
  for (const QString& leftover : {"Backup.mdb", "Backup.mdb.previous", "compact.mdb"})
    QFile::remove(dir_.filePath(leftover));
  if (serverDatabase_.isEmpty()) {
    copyReplacing(QDir(business_).filePath(source), dir_.filePath("employee.mdb"));
    return;
  }
  const auto server = db::configuredServer(QDir(dir_.path()));
  db::ServerConnection c(*server);
  QStringList fields;
  for (const QString& f : fields::allFields()) fields << '"' + f + '"';
  c.run("DROP TABLE IF EXISTS \"Employees\"");
  c.run(db::serverTableStatement());
  c.run(QString("INSERT INTO \"Employees\" (%1) SELECT %1 FROM %2 ORDER BY row_id")
            .arg(fields.join(", "), templateOf(source)));
  c.run("VACUUM ANALYZE \"Employees\"");
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

// A closing box may go on after its first sentence (the shifts no time lists).
bool Answers::saw(const QString& text) const {
  return std::any_of(texts.cbegin(), texts.cend(), [&](const QString& t) { return t.startsWith(text); });
}

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
