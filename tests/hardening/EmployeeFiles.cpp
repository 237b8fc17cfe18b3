#include "EmployeeFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace hardening {
namespace {
// Runs `body` on a private connection that is gone again afterwards.
template <typename Body>
void withConnection(const QString& path, bool readOnly, Body body) {
  const QString name = "hardening-" + QString::number(quintptr(&body));
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(path);
    if (readOnly) db.setConnectOptions("QSQLITE_OPEN_READONLY");
    if (db.open()) body(db);
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
}
}  // namespace

QByteArray foreignDatabase(DataFolder& folder) {
  const QString path = folder.file("foreign.db");
  withConnection(path, false, [](QSqlDatabase& db) {
    QSqlQuery(db).exec("CREATE TABLE Customers (Name TEXT)");
    QSqlQuery(db).exec("INSERT INTO Customers VALUES ('Nowak')");
  });
  const QByteArray bytes = folder.read("foreign.db");
  QFile::remove(path);
  EXPECT_FALSE(bytes.isEmpty());
  return bytes;
}

QString employeeName(int i) { return QString("Employee %1 ").arg(i) + QString(60, u'x'); }

QByteArray populatedDatabase(DataFolder& folder, int count) {
  folder.install("employee.mdb");
  withConnection(folder.file("employee.mdb"), false, [&](QSqlDatabase& db) {
    db.transaction();
    QSqlQuery q(db);
    q.prepare("INSERT INTO Employees (Number, Fullname, position, area) VALUES (?, ?, ?, ?)");
    for (int i = 1; i <= count; ++i) {
      q.addBindValue(i);
      q.addBindValue(employeeName(i));
      q.addBindValue("Cook");
      q.addBindValue("Kitchen");
      EXPECT_TRUE(q.exec());
    }
    db.commit();
  });
  return folder.read("employee.mdb");
}

QStringList employeeNames(const QString& path, bool* ok) {
  QStringList names;
  bool read = false;
  withConnection(path, true, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    read = q.exec("SELECT Fullname FROM Employees ORDER BY rowid");
    while (read && q.next()) names << q.value(0).toString();
    read = read && !q.lastError().isValid();
  });
  if (ok) *ok = read;
  return read ? names : QStringList();
}

QList<int> employeeNumbers(const QString& path) {
  QList<int> numbers;
  withConnection(path, true, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    if (q.exec("SELECT Number FROM Employees ORDER BY rowid"))
      while (q.next()) numbers << q.value(0).toInt();
  });
  return numbers;
}
}  // namespace hardening
