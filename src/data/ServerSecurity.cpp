#include "data/ServerSecurity.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <libpq-fe.h>

#include "data/DbError.h"
#include "platform/FileOps.h"

namespace db {
namespace {
QHash<QString, QString>& securityByServer() {
  static QHash<QString, QString> known;
  return known;
}

bool isLoopbackAddress(const QString& host) {
  static const QRegularExpression ipv4Loopback("^127(\\.\\d{1,3}){3}$");
  return ipv4Loopback.match(host).hasMatch() || host == "::1" || host == "[::1]" ||
         host.compare("0:0:0:0:0:0:0:1", Qt::CaseInsensitive) == 0;
}

bool hasSetting(const QString& options, const QString& key) {
  return QRegularExpression("(^|\\s)" + key + "\\s*=").match(options).hasMatch();
}
}  // namespace

bool isThisPc(const QString& host) {
  for (const QString& h : host.split(',')) {
    const QString one = h.trimmed();
    const bool local = one.isEmpty() || one.startsWith('/') || one.startsWith('@') ||
                       one.compare("localhost", Qt::CaseInsensitive) == 0 || isLoopbackAddress(one);
    if (!local) return false;
  }
  return true;
}

QString withDefaultSslMode(const QString& host, const QString& options) {
  if (isThisPc(host) || hasSetting(options, "sslmode") || hasSetting(options, "requiressl") ||
      !qEnvironmentVariable("PGSSLMODE").isEmpty())
    return options;
  return options.isEmpty() ? QStringLiteral("sslmode=require") : options + " sslmode=require";
}

void refusePasswordOthersCanRead(const QString& file, const ServerAddress& address) {
  if (address.password.isEmpty() && !hasSetting(address.options, "password")) return;
  int mode = 0;
  if (!fileops::othersHaveAccess(file, &mode)) return;
  const QString path = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
  throw DbError(
      QString("%1 holds the password of the database server, and other users of this PC may read "
              "it (its permissions are %2), so it is not used.  Make it yours alone with\n"
              "    chmod 600 \"%3\"\nor take the password out of the address and put it in "
              "~/.pgpass (one line host:port:database:user:password; chmod 600 ~/.pgpass), as "
              "the database programs themselves want it.")
          .arg(QFileInfo(file).fileName(), QString::number(mode, 8).rightJustified(4, '0'), path)
          .toStdString());
}

void noteConnectionSecurity(const ServerAddress& address, pg_conn* connection) {
  if (!connection) return;
  QString state = "not encrypted";
  if (PQsslInUse(connection)) {
    const char* protocol = PQsslAttribute(connection, "protocol");
    state = protocol ? QString("encrypted (%1)").arg(QString::fromUtf8(protocol)) : QString("encrypted");
  }
  securityByServer().insert(address.key(), state);
}

QString connectionSecurity(const ServerAddress& address) {
  return securityByServer().value(address.key());
}

QString serverConnectionNote(const QDir& folder) {
  std::optional<ServerAddress> server;
  try {
    server = configuredServer(folder);
  } catch (const DbError&) {
    return {};  // said at start-up
  }
  if (!server) return {};
  const QString state = connectionSecurity(*server);
  return QString("Server %1: %2.")
      .arg(server->display(), state.isEmpty() ? QString("not connected") : state);
}

QString connectionFailure(const ServerAddress& address, const QString& reason) {
  const QString where = address.display();
  if (reason.contains("does not support SSL", Qt::CaseInsensitive))
    return QString("The database server %1 does not offer an encrypted connection (TLS), and the "
                   "program does not send the staff list over the network unencrypted.  Best, "
                   "turn TLS on at the server (ssl = on, with a certificate) and give each PC "
                   "its root certificate (see the README).  Only on a network you trust, add "
                   "?sslmode=disable to the address in %2 to connect without it.")
        .arg(where, kServerFile);
  if (reason.contains("certificate", Qt::CaseInsensitive))
    return QString("The database server %1 cannot be reached: its encrypted connection could not "
                   "be set up or its certificate could not be trusted (%2).  Please check the "
                   "server's certificate and the sslrootcert named in %3.")
        .arg(where, reason, kServerFile);
  return QString("The database server %1 cannot be reached (%2).").arg(where, reason);
}
}  // namespace db
