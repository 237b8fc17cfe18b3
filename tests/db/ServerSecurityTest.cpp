// The way to a database server: encrypted unless the address says otherwise
// (against a test server without TLS and one with it), and the main window
// telling whether the connection is encrypted.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "app/Frmemployee1.h"
#include "data/DbError.h"
#include "data/PgEngine.h"
#include "data/ServerAddress.h"
#include "data/ServerSecurity.h"
#include "platform/StatusBar.h"
#include "support/ServerDatabase.h"
#include "support/TestSupport.h"

namespace {
db::ServerAddress parsed(const QString& uri) {
  QString why;
  const auto a = db::parseServerUri(uri, &why);
  EXPECT_TRUE(a.has_value()) << why.toStdString();
  return a.value_or(db::ServerAddress{});
}

// Empty when a connection could be made, else what the user is told.
QString connect(const QString& uri) {
  try {
    db::ServerConnection c(parsed(uri));
  } catch (const DbError& e) {
    return QString::fromUtf8(e.what());
  }
  return {};
}
}  // namespace

TEST(ServerAddress, AnotherComputerIsReachedEncryptedUnlessTheAddressNamesAMode) {
  ScopedVariable noMode("PGSSLMODE", QByteArray());
  const struct {
    const char* uri;
    const char* sslmode;  // as the connection is asked for; "" for libpq's own default
  } cases[] = {
      {"postgresql://rota@db.example.com/rotawise", "require"},
      {"postgresql://rota@10.0.0.5:5433/rotawise", "require"},
      {"postgresql://rota@db.example.com/rotawise?sslmode=verify-full&sslrootcert=/etc/r.crt", "'verify-full'"},
      {"postgresql://rota@db.example.com/rotawise?sslmode=disable", "'disable'"},
      {"postgresql://rota@127.0.0.1/rotawise", ""},
      {"postgresql://rota@127.0.0.2:5433/rotawise", ""},
      {"postgresql://rota@LocalHost/rotawise", ""},
      {"postgresql://rota@[::1]/rotawise", ""},
      {"postgresql:///rotawise?host=/var/run/postgresql", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.uri);
    const QString options = parsed(c.uri).options;
    EXPECT_EQ(options.count("sslmode="), *c.sslmode ? 1 : 0) << options.toStdString();
    if (*c.sslmode) EXPECT_TRUE(options.contains(QString("sslmode=") + c.sslmode)) << options.toStdString();
  }
  // libpq's own setting is the user's choice too.
  ScopedVariable chosen("PGSSLMODE", "verify-full");
  EXPECT_FALSE(parsed("postgresql://rota@db.example.com/rotawise").options.contains("sslmode"));
}

TEST(ServerTls, RequiredEncryptionIsRefusedByAServerWithoutItAndMadeWithOne) {
  ROTAWISE_NEED_SERVER();
  const QString tls = qEnvironmentVariable("ROTAWISE_TEST_PG_TLS_URI");
  const QString root = qEnvironmentVariable("ROTAWISE_TEST_PG_TLS_ROOT");
  ASSERT_FALSE(tls.isEmpty() || root.isEmpty()) << "tools/pg-cluster.sh starts a TLS server beside the other";
  QTemporaryDir home;  // no ~/.postgresql/root.crt of the machine's user
  ScopedVariable noHome("HOME", home.path().toLocal8Bit()), noMode("PGSSLMODE", QByteArray());
  // The test servers are on this PC: "db.test" with hostaddr stands for a
  // server on another computer (and is the name in the TLS certificate).
  auto elsewhere = [](QString uri, const QString& more) {
    return uri.replace("@127.0.0.1:", "@db.test:") + "?hostaddr=127.0.0.1" + more;
  };
  const QString plain = qEnvironmentVariable("ROTAWISE_TEST_PG_URI");

  for (const QString& refused : {plain + "?sslmode=require", elsewhere(plain, "")}) {
    SCOPED_TRACE(refused.toStdString());
    const QString why = connect(refused);
    EXPECT_TRUE(why.contains("does not offer an encrypted connection (TLS)")) << why.toStdString();
    EXPECT_TRUE(why.contains("sslmode=disable")) << why.toStdString();
  }
  const QString clear = elsewhere(plain, "&sslmode=disable");
  EXPECT_EQ(connect(clear), "");
  EXPECT_EQ(db::connectionSecurity(parsed(clear)), "not encrypted");

  for (const QString& made : {tls + "?sslmode=require", elsewhere(tls, ""),
                              elsewhere(tls, "&sslmode=verify-full&sslrootcert=" + root)}) {
    SCOPED_TRACE(made.toStdString());
    EXPECT_EQ(connect(made), "");
    EXPECT_TRUE(db::connectionSecurity(parsed(made)).startsWith("encrypted (TLSv1."))
        << db::connectionSecurity(parsed(made)).toStdString();
  }
  // Verifying needs the server's root certificate.
  const QString unverified = connect(elsewhere(tls, "&sslmode=verify-full"));
  EXPECT_TRUE(unverified.contains("certificate could not be trusted")) << unverified.toStdString();

  // The main window says how it is connected.
  DataFolder folder;
  folder.write("database.url", (elsewhere(tls, "") + "\n").toUtf8());
  EXPECT_EQ(connect(elsewhere(tls, "")), "");
  Frmemployee1 window;
  const QString panel = window.findChild<StatusBar*>("StatusBar1")->panelText(3);
  EXPECT_TRUE(panel.startsWith("Employee's Rotawise Scheduler!  Server db.test:")) << panel.toStdString();
  EXPECT_TRUE(panel.contains(": encrypted (TLSv1.")) << panel.toStdString();
  // ROTAWISE_SCREENSHOTS names a folder to keep the picture in, for a look.
  if (const QString keep = qEnvironmentVariable("ROTAWISE_SCREENSHOTS"); !keep.isEmpty()) {
    window.show();
    EXPECT_TRUE(window.grab().save(keep + "/Frmemployee1-server.png"));
  }
}
