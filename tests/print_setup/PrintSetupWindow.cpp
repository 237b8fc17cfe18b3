#include "PrintSetupWindow.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "platform/FileOps.h"

PrintSetupTest::PrintSetupTest() = default;

PrintSetupTest::~PrintSetupTest() {
  fileops::setFaultInjector({});
  deleteAllWindows();
}

void PrintSetupTest::prepareFolder(const QStringList& areas, const QStringList& names) {
  for (const char* f : {"AREATIME.IGH", "WEEKDAYS.IGH", "clouds.bmp", "EMPLOYEE.HLP", "employee.mdb"})
    folder.install(f);
  QByteArray areaFile;
  for (const QString& a : areas) areaFile += a.toUtf8() + "\r\n";
  folder.write("AREAS.IGH", areaFile);
  folder.write("POSITION.IGH", "Cook\r\nWaiter\r\nEmpty\r\n");
  addEmployees(names);
}

void PrintSetupTest::addEmployees(const QStringList& names) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "print_setup_test");
    db.setDatabaseName("employee.mdb");
    ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    int number = 0;
    for (const QString& name : names) {
      QSqlQuery q(db);
      q.prepare("INSERT INTO Employees (Number, Fullname, area) VALUES (?, ?, 'Kitchen')");
      q.addBindValue(++number);
      q.addBindValue(name);
      ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase("print_setup_test");
}

FrmPrintFull* PrintSetupTest::open() {
  window = new FrmPrintFull();
  return window;
}

void PrintSetupTest::click(const char* button) const {
  if (QPushButton* b = find<QPushButton>(button)) b->click();
}

void PrintSetupTest::choose(const char* box, const QString& entry) const {
  QComboBox* c = combo(box);
  if (!c) return;
  const int index = c->findText(entry, Qt::MatchExactly);
  ASSERT_GE(index, 0) << box << ": no entry " << entry.toStdString();
  c->setCurrentIndex(index);
  emit c->activated(index);
}

void PrintSetupTest::type(const char* box, const QString& text) const {
  if (QComboBox* c = window->findChild<QComboBox*>(box)) c->setEditText(text);
  else if (QLineEdit* e = edit(box)) e->setText(text);
}

void PrintSetupTest::fillGoodChoices(const QString& area) const {
  type("txtfindAreas", area);
  type("txtDayorWeek", "Weekly");
  type("txtFindTimes1", "7A.M. - 3P.M.");
  type("txtLabel1", "Days");
}

QStringList PrintSetupTest::entries(const char* box) const {
  QStringList out;
  if (QComboBox* c = combo(box))
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}
