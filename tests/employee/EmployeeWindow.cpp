#include "EmployeeWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include "data/PgEngine.h"
#include "data/ServerAddress.h"

namespace {
// employee.mdb of a folder that names a server stands for the server's table.
template <class Work>
void withDatabase(const QString& file, Work&& work) {
  if (const auto server = db::serverFor(file)) {
    db::ServerConnection c(*server);
    QSqlDatabase db = c.database();
    work(db);
    return;
  }
  const QString name = "employee-test-reader";
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(file);
    if (!db.open())
      ADD_FAILURE() << "cannot open " << file.toStdString();
    else
      work(db);
    db.close();
  }
  QSqlDatabase::removeDatabase(name);
}
}  // namespace

QList<QVariantMap> storedEmployees(const QString& file) {
  QList<QVariantMap> rows;
  withDatabase(file, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    const bool server = db.driverName() == "QPSQL";
    if (!q.exec(server ? "SELECT * FROM \"Employees\" ORDER BY row_id"
                       : "SELECT * FROM Employees ORDER BY rowid")) {
      ADD_FAILURE() << q.lastError().text().toStdString();
      return;
    }
    while (q.next()) {
      QVariantMap row;
      const QSqlRecord r = q.record();
      for (int i = 0; i < r.count(); ++i)
        if (!server || (r.fieldName(i) != "row_id" && r.fieldName(i) != "version"))
          row[r.fieldName(i)] = r.value(i);
      rows << row;
    }
  });
  return rows;
}

QStringList storedColumn(const QString& field, const QString& file) {
  QStringList out;
  for (const QVariantMap& row : storedEmployees(file)) out << row.value(field).toString();
  return out;
}

void storeEmployees(const QList<QVariantMap>& rows, const QString& file) {
  withDatabase(file, [&](QSqlDatabase& db) {
    for (const QVariantMap& row : rows) {
      QStringList marks(row.size(), "?");
      QStringList names;
      for (const QString& key : row.keys()) names << '"' + key + '"';
      QSqlQuery q(db);
      q.prepare(QString("INSERT INTO \"Employees\" (%1) VALUES (%2)")
                    .arg(names.join(", "), marks.join(", ")));
      for (const QVariant& v : row) q.addBindValue(v);
      if (!q.exec()) ADD_FAILURE() << q.lastError().text().toStdString();
    }
  });
}

void deleteStored(const QString& name, const QString& file) {
  withDatabase(file, [&](QSqlDatabase& db) {
    QSqlQuery q(db);
    q.prepare("DELETE FROM \"Employees\" WHERE \"Fullname\" = ?");
    q.addBindValue(name);
    if (!q.exec()) ADD_FAILURE() << q.lastError().text().toStdString();
  });
}

QVariantMap employeeRow(int number, const QString& name) {
  return {{"Number", number}, {"Fullname", name}, {"position", "Cook"}, {"area", "Kitchen"},
          {"Area2", "No"},    {"Area3", "No"},    {"Area4", "No"}};
}

EmployeeWindowTest::EmployeeWindowTest() {
  folder.installAll();
  folder.write("AREAS.IGH", "Kitchen\r\nRestaurant Bar\r\nPatio\r\n");
  folder.write("POSITION.IGH", "Cook\r\nWaiter\r\n");
}

EmployeeWindowTest::~EmployeeWindowTest() { delete window.data(); }

FrmNewEmployee* EmployeeWindowTest::open() {
  delete window.data();
  window = new FrmNewEmployee();
  return window;
}

QString EmployeeWindowTest::text(const QString& name) const {
  if (auto* e = window->findChild<QLineEdit*>(name, Qt::FindDirectChildrenOnly)) return e->text();
  if (auto* c = window->findChild<QComboBox*>(name)) return c->currentText();
  ADD_FAILURE() << "no text control " << name.toStdString();
  return {};
}

void EmployeeWindowTest::click(const QString& button) const {
  if (QPushButton* b = find<QPushButton>(button)) QTest::mouseClick(b, Qt::LeftButton);
}

void EmployeeWindowTest::clickLabel(const QString& label) const {
  if (QLabel* l = find<QLabel>(label)) QTest::mouseClick(l, Qt::LeftButton);
}

void EmployeeWindowTest::choose(const QString& list, const QString& entry) const {
  QComboBox* c = combo(list);
  if (!c) return;
  const int i = c->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
  ASSERT_GE(i, 0) << entry.toStdString() << " is not in " << list.toStdString();
  c->setCurrentIndex(i);
  emit c->activated(i);
}

void EmployeeWindowTest::type(const QString& control, const QString& text) const {
  QLineEdit* e = window->findChild<QLineEdit*>(control, Qt::FindDirectChildrenOnly);
  if (!e) {
    QComboBox* c = combo(control);
    if (!c) return;
    e = c->lineEdit();
  }
  e->setFocus();
  e->selectAll();  // the first key typed replaces what the field showed
  for (const QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClick(e, char(c.unicode()));
    } else {  // letters no key names: the key event carries the text
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(e, &press);
      QApplication::sendEvent(e, &release);
    }
  }
}

void EmployeeWindowTest::setShown(const QString& control, const QString& text) const {
  if (auto* e = window->findChild<QLineEdit*>(control, Qt::FindDirectChildrenOnly))
    e->setText(text);
  else if (QComboBox* c = combo(control))
    c->setEditText(text);
}

QStringList EmployeeWindowTest::entries(const QString& list) const {
  QStringList out;
  if (QComboBox* c = combo(list))
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}

void EmployeeWindowTest::addEmployee(const QString& name) {
  click("CmdAddRecord");
  type("txtFullName", name);
  click("CmdSaveData");
}
