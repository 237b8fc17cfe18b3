#include "data/ServerAddress.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QUrl>
#include <QRegularExpression>
#include <QUrlQuery>

#include "data/DbError.h"
#include "data/ServerSecurity.h"
#include "data/TableRules.h"

namespace db {
namespace {
QHash<QString, ServerAddress>& known() {
  static QHash<QString, ServerAddress> addresses;
  return addresses;
}

QString readSetting(const QDir& folder, QString* where) {
  const QString fromEnvironment = qEnvironmentVariable(kServerVariable.toUtf8().constData()).trimmed();
  if (!fromEnvironment.isEmpty()) {
    *where = "the setting " + kServerVariable;
    return fromEnvironment;
  }
  QFile file(folder.filePath(kServerFile));
  if (!file.exists()) return {};
  *where = kServerFile;
  if (!file.open(QIODevice::ReadOnly))
    throw DbError(QString("%1 in the data folder cannot be read (%2).")
                      .arg(kServerFile, file.errorString())
                      .toStdString());
  // The first line that says something; lines starting with # are notes.
  for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
    const QString text = line.trimmed();
    if (!text.isEmpty() && !text.startsWith('#')) return text;
  }
  throw DbError(QString("%1 in the data folder is empty; it should hold the address of the "
                        "database server, postgresql://user@host:port/dbname.")
                    .arg(kServerFile)
                    .toStdString());
}
}  // namespace

QString ServerAddress::display() const {
  return QString("%1:%2/%3").arg(host.isEmpty() ? QString("localhost") : host).arg(port).arg(database);
}

QString ServerAddress::key() const {
  return QString("postgresql://%1@%2:%3/%4?%5").arg(user, host).arg(port).arg(database, options);
}

std::optional<ServerAddress> parseServerUri(const QString& text, QString* error) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || (scheme != "postgresql" && scheme != "postgres")) {
    *error = "it is not a PostgreSQL address of the form postgresql://user@host:port/dbname";
    return std::nullopt;
  }
  ServerAddress a;
  a.host = url.host();
  a.port = url.port(5432);
  a.user = url.userName();
  a.password = url.password();
  a.database = url.path().mid(1);
  if (a.database.isEmpty() || a.database.contains('/')) {
    *error = "it names no database (postgresql://user@host:port/dbname)";
    return std::nullopt;
  }
  QStringList options;
  bool timeout = false;
  for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
    if (key == "host") {
      a.host = value;  // a folder: the server's local socket
      continue;
    }
    if (key == "port") {
      a.port = value.toInt();
      continue;
    }
    if (key.isEmpty() || key.contains(QRegularExpression("[^A-Za-z0-9_]"))) {
      *error = QString("its setting \"%1\" is not one a database server knows").arg(key);
      return std::nullopt;
    }
    QString quotedValue = value;
    quotedValue.replace('\\', "\\\\").replace('\'', "\\'");
    options << QString("%1='%2'").arg(key, quotedValue);
    timeout = timeout || key == "connect_timeout";
  }
  // A server that is down is reported in seconds, not after minutes.
  if (!timeout) options << "connect_timeout=5";
  a.options = withDefaultSslMode(a.host, options.join(' '));
  return a;
}

std::optional<ServerAddress> configuredServer(const QDir& folder) {
  QString where;
  const QString setting = readSetting(folder, &where);
  if (setting.isEmpty()) return std::nullopt;
  QString why;
  std::optional<ServerAddress> a = parseServerUri(setting, &why);
  if (!a)
    throw DbError(QString("The database server named in %1 cannot be used: %2.")
                      .arg(where, why)
                      .toStdString());
  if (where == kServerFile) refusePasswordOthersCanRead(folder.filePath(kServerFile), *a);
  known().insert(a->key(), *a);
  return a;
}

std::optional<ServerAddress> serverFor(const QString& databaseName) {
  const QFileInfo info(databaseName);
  const QString home = programDatabase().file;
  if (home.isEmpty() || info.fileName().compare(home, Qt::CaseInsensitive) != 0)
    return std::nullopt;
  return configuredServer(info.absoluteDir());
}

std::optional<ServerAddress> serverByKey(const QString& key) {
  auto it = known().constFind(key);
  if (it == known().cend()) return std::nullopt;
  return *it;
}

}  // namespace db
