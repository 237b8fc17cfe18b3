#include "data/Connections.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include "data/PgEngine.h"
#include "data/SqliteBusy.h"
#include "data/SqliteEngine.h"
#include "platform/FileSystem.h"
#include "platform/Installation.h"

namespace db {
namespace {
const char* const kInMaintenance =
    "The database is being compacted or repaired; try again when it is done.";

struct Entry {
  std::shared_ptr<Engine> engine;
  bool server = false;
  int handles = 0;
  bool suspended = false;
  QString brokenReason;  // set when opening again after maintenance failed
  std::shared_ptr<quint64> generation = std::make_shared<quint64>(0);
  QList<Listener*> listeners;
  int transactionDepth = 0;
  bool rollbackOnly = false;  // an inner transaction went without commit
};

QHash<QString, Entry>& registry() {
  static QHash<QString, Entry> entries;
  // Server connections kept open are closed while Qt SQL is still there.
  static const bool closedAtExit = [] {
    qAddPostRoutine([] { registry().clear(); });
    return true;
  }();
  Q_UNUSED(closedAtExit);
  return entries;
}

QString keyOf(const QString& path) {
  if (serverByKey(path)) return path;
  // One file, one key, however its name was typed.
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? QFileInfo(path).absoluteFilePath() : filesystem::spelledOnDisk(canonical);
}

// The URI form lets SQLite refuse a missing file instead of creating it.
QString uriFor(const QString& path, Access access) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         (access == Access::ReadOnly    ? "?mode=ro"
          : access == Access::CreateNew ? "?mode=rwc"
                                        : "?mode=rw");
}

QString displayName(const QString& path) { return QFileInfo(path).fileName(); }

quint64 nextConnectionNumber() {
  static quint64 n = 0;
  return ++n;
}
}  // namespace

QString openFileConnection(const QString& connection, const QString& path, Access access) {
  if (access == Access::CreateNew) {
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
      return QString("%1 is in the way.").arg(displayName(path));
  } else {
    const QString why = notADatabaseReason(path);
    if (!why.isEmpty()) return why;
  }
  QSqlDatabase db = QSqlDatabase::database(connection, false);
  db.setDatabaseName(uriFor(path, access));
  db.setConnectOptions("QSQLITE_OPEN_URI");
  if (!db.open())
    return QString("The database %1 could not be opened (%2).")
        .arg(displayName(path), errorText(db.lastError()));
  waitOutOtherPrograms(sqliteHandle(db));
  // The header looked right; reading the schema proves the rest.
  QSqlQuery probe(db);
  if (!probe.exec("SELECT count(*) FROM sqlite_master")) {
    const QString error = errorText(probe.lastError());
    probe = QSqlQuery();
    db.close();
    if (isBusy(error)) return inUseMessage(displayName(path));
    return QString("The database %1 is damaged and cannot be read (%2).")
        .arg(displayName(path), error);
  }
  return {};
}

QString errorText(const QSqlError& error) {
  return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

sqlite3* sqliteHandle(const QSqlDatabase& connection) {
  const QVariant v = connection.driver()->handle();
  if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
    throw DbError("The database is not an SQLite database connection.");
  sqlite3* h = *static_cast<sqlite3* const*>(v.constData());
  if (!h) throw DbError("The database is not open.");
  return h;
}

QString quoted(const QString& identifier) {
  QString q = identifier;
  q.replace('"', "\"\"");
  return '"' + q + '"';
}

QString findFile(const QString& name) { return findInAnyCase(name); }

bool followLink(QString* path, QString* problem) {
  const QFileInfo info(*path);
  if (!info.isSymLink()) return true;
  const QString target = info.canonicalFilePath();
  if (target.isEmpty() || !QFileInfo(target).isFile()) {
    *problem = QString("%1 is a link to %2, which is not there.  Nothing has been changed.")
                   .arg(info.fileName(), QDir::toNativeSeparators(info.symLinkTarget()));
    return false;
  }
  *path = target;
  return true;
}

QString notADatabaseReason(const QString& path) {
  const QFileInfo info(path);
  const QString name = info.fileName();
  if (!info.exists()) return QString("The database %1 was not found.").arg(name);
  if (!info.isFile()) return QString("%1 is not a file.").arg(name);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return QString("The database %1 cannot be read (%2).").arg(name, file.errorString());
  static const QByteArray magic("SQLite format 3\0", 16);
  if (file.read(16) != magic)
    return QString("%1 is not a database this program can open (it is empty, damaged, or of "
                   "another kind).")
        .arg(name);
  return {};
}

PrivateConnection::PrivateConnection(const QString& path, Access access)
    : name_(QString("rotawise-private-%1").arg(nextConnectionNumber())) {
  QSqlDatabase::addDatabase("QSQLITE", name_);
  const QString why = openFileConnection(name_, path, access);
  if (!why.isEmpty()) {
    QSqlDatabase::removeDatabase(name_);
    throw DbError(why.toStdString());
  }
}

PrivateConnection::~PrivateConnection() {
  QSqlDatabase::database(name_, false).close();
  QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase PrivateConnection::database() const { return QSqlDatabase::database(name_, false); }

Handle::Handle(const QString& path, Listener* listener) : key_(keyOf(path)), listener_(listener) {
  auto& entries = registry();
  auto it = entries.find(key_);
  if (it == entries.end()) {
    Entry entry;
    const std::optional<ServerAddress> server = serverByKey(key_);
    entry.server = server.has_value();
    entry.engine = server ? std::shared_ptr<Engine>(makeServerEngine(*server))
                          : std::shared_ptr<Engine>(makeSqliteEngine(key_));
    const QString why = entry.engine->open();
    if (!why.isEmpty()) throw DbError(why.toStdString());
    it = entries.insert(key_, entry);
  } else if (it->suspended) {
    throw DbError(kInMaintenance);
  } else if (it->handles == 0) {
    // A server connection kept while no window used it: still there?
    const QString why = it->engine->open();
    if (!why.isEmpty()) throw DbError(why.toStdString());
  }
  ++it->handles;
  generation_ = it->generation;
  if (listener_) it->listeners.append(listener_);
}

Handle::~Handle() {
  auto& entries = registry();
  auto it = entries.find(key_);
  if (it == entries.end()) return;
  it->listeners.removeAll(listener_);
  if (--it->handles > 0) return;
  // Connecting to a server takes longer than opening a file: its connection
  // is kept for the next window (and checked when that one comes).
  if (it->server) return;
  entries.erase(it);  // the engine closes its connection as it goes
}

Engine& Handle::engine() const {
  auto it = registry().find(key_);
  if (it == registry().end()) throw DbError("The database is not open.");
  if (it->suspended)
    throw DbError(kInMaintenance);
  if (!it->brokenReason.isEmpty()) {
    // The file could not be opened after maintenance; it may be back by now.
    const QString why = it->engine->open();
    if (!why.isEmpty()) throw DbError(why.toStdString());
    it->brokenReason.clear();
  }
  return *it->engine;
}

Suspension::Suspension(const QString& path) {
  const QString found = findFile(path);
  if (found.isEmpty()) return;
  const QString key = keyOf(found);
  auto it = registry().find(key);
  if (it == registry().end() || it->suspended) return;
  it->suspended = true;
  it->engine->close();
  key_ = key;
}

Suspension::~Suspension() {
  if (key_.isEmpty()) return;
  auto it = registry().find(key_);
  if (it == registry().end()) return;
  it->suspended = false;
  ++*it->generation;
  it->brokenReason = it->engine->open();
  const QList<Listener*> listeners = it->listeners;  // a listener may close itself
  for (Listener* l : listeners) l->databaseReopened();
}

namespace {
Entry& entryOf(const QString& key) {
  auto it = registry().find(key);
  if (it == registry().end()) throw DbError("The database is not open.");
  return *it;
}

void rollBack(Entry& entry) {
  entry.engine->rollback();
  ++*entry.generation;
  const QList<Listener*> listeners = entry.listeners;
  for (Listener* l : listeners) l->transactionRolledBack();
}
}  // namespace

Transaction::Transaction(const QString& path) : handle_(path, nullptr) {
  Engine& engine = handle_.engine();
  Entry& entry = entryOf(handle_.path());
  if (entry.transactionDepth == 0) {
    const QString why = engine.begin();
    if (!why.isEmpty() && isBusy(why)) throw DbError(inUseMessage(engine.name()).toStdString());
    if (!why.isEmpty())
      throw DbError(QString("The database %1 could not start a change (%2); it may be read-only or "
                            "in use.")
                        .arg(engine.name(), why)
                        .toStdString());
    entry.rollbackOnly = false;
  }
  ++entry.transactionDepth;
}

void Transaction::commit() {
  if (finished_) return;
  finished_ = true;
  Entry& entry = entryOf(handle_.path());
  if (--entry.transactionDepth > 0) return;
  if (entry.rollbackOnly) {
    rollBack(entry);
    throw DbError("A part of the change failed, so none of it was saved.");
  }
  const QString why = entry.engine->commit();
  if (!why.isEmpty()) {
    rollBack(entry);
    if (isBusy(why)) throw DbError(inUseMessage(entry.engine->name()).toStdString());
    throw DbError(QString("The change could not be saved in %1 (%2); nothing of it was saved.")
                      .arg(entry.engine->name(), why)
                      .toStdString());
  }
}

Transaction::~Transaction() {
  if (finished_) return;
  auto it = registry().find(handle_.path());
  if (it == registry().end()) return;
  if (--it->transactionDepth > 0) {
    it->rollbackOnly = true;
    return;
  }
  if (!it->suspended) rollBack(*it);
}

int openHandles(const QString& path) {
  std::optional<ServerAddress> server;
  try {
    server = serverFor(path);
  } catch (const DbError&) {
  }
  if (server) {
    auto it = registry().find(server->key());
    return it == registry().end() ? 0 : it->handles;
  }
  const QString found = findFile(path);
  if (found.isEmpty()) return 0;
  auto it = registry().find(keyOf(found));
  return it == registry().end() ? 0 : it->handles;
}

}  // namespace db
