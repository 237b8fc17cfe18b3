// Hostile texts through the employee window: entered as a new employee's
// name, position, areas and day texts, saved, the window closed and opened
// again, found through the search list, updated and copied - every text is
// stored and shown back exactly as it was typed.
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "BadInput.h"
#include "db/EmployeeFields.h"
#include "employee/FrmNewEmployee.h"
#include "support/TestSupport.h"

using namespace badinput;

namespace {
// The fields a hostile employee carries its text in (the day fields on
// Monday, with Sunday's flag and third area for good measure); name and
// position are set apart.
QStringList hostileFields() {
  QStringList out = {fields::Area, fields::Area2, fields::Area3, fields::Area4};
  out << fields::dayBlock(0);
  out << fields::dayField(6, fields::DayField::Flag) << fields::dayField(6, fields::DayField::Bldg);
  return out;
}
QString controlOf(const QString& field) {
  if (field == fields::Fullname) return "txtFullName";
  if (field == fields::Area) return "txtArea";
  return "txt" + field;
}

// Every record of employee.mdb, field name to text, in table order.
QList<QMap<QString, QString>> storedRows() {
  QList<QMap<QString, QString>> rows;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "bad-input-reader");
    db.setDatabaseName("employee.mdb");
    db.setConnectOptions("QSQLITE_OPEN_READONLY");
    EXPECT_TRUE(db.open());
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec("SELECT * FROM Employees ORDER BY rowid")) << q.lastError().text().toStdString();
    while (q.next()) {
      QMap<QString, QString> row;
      for (int i = 0; i < q.record().count(); ++i)
        row[q.record().fieldName(i).toLower()] = q.value(i).toString();
      rows << row;
    }
    db.close();
  }
  QSqlDatabase::removeDatabase("bad-input-reader");
  return rows;
}

QMap<QString, QString> storedRowOf(const QString& name) {
  for (const auto& row : storedRows())
    if (row.value("fullname") == name) return row;
  ADD_FAILURE() << "no stored employee " << name.toStdString();
  return {};
}

QString storedField(const QMap<QString, QString>& row, const QString& field) {
  return row.value(field.toLower());
}

class BadInputEmployee : public ::testing::Test {
 protected:
  BadInputEmployee() {
    folder.installAll();
    folder.write("AREAS.IGH", "Kitchen\r\nRestaurant Bar\r\n");
    folder.write("POSITION.IGH", "Cook\r\nWaiter\r\n");
  }
  ~BadInputEmployee() override {
    delete window.data();
    deleteAllWindows();
  }
  FrmNewEmployee* open() {
    delete window.data();
    window = new FrmNewEmployee();
    return window;
  }
  // No box of the whole run may be an error.
  void expectNoError() const {
    for (const ShownBox& b : boxes.shown())
      EXPECT_NE(b.title, "Opps!") << b.text.toStdString();
  }
  // Shows the employee of that name through the search list.
  void find(const QString& name) {
    ASSERT_TRUE(choose(window, "txtFind", name)) << "not in the search list: " << name.toStdString();
    ASSERT_EQ(shown(window, "txtFullName"), name);
  }

  DataFolder folder;
  MessageBoxQueue boxes;
  QPointer<FrmNewEmployee> window;
};
}  // namespace

TEST_F(BadInputEmployee, EveryTextIsStoredFoundAndShownBackAfterReopening) {
  const auto& texts = hostileTexts();
  open();
  for (const Hostile& h : texts) {
    click(window, "CmdAddRecord");
    setShown(window, "txtFullName", h.text);
    setShown(window, "txtPosition", h.text);
    for (const QString& f : hostileFields()) setShown(window, controlOf(f), h.text);
    click(window, "CmdSaveData");
    EXPECT_EQ(shown(window, "txtFullName"), h.text) << h.what;
  }
  click(window, "CmdCancel");
  expectNoError();

  const auto rows = storedRows();
  ASSERT_EQ(rows.size(), int(texts.size()));
  for (int i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(texts[i].what);
    EXPECT_EQ(storedField(rows[i], fields::Number), QString::number(i + 1));
    EXPECT_EQ(storedField(rows[i], fields::Fullname), texts[i].text);
    EXPECT_EQ(storedField(rows[i], fields::Position), texts[i].text);
    for (const QString& f : hostileFields())
      EXPECT_EQ(storedField(rows[i], f), texts[i].text) << f.toStdString();
  }

  open();
  click(window, "CmdSearch");
  for (const Hostile& h : texts) EXPECT_TRUE(entries(window, "txtFind").contains(h.text)) << h.what;
  for (const Hostile& h : texts) {
    SCOPED_TRACE(h.what);
    find(h.text);
    EXPECT_EQ(shown(window, "txtPosition"), h.text);
    for (const QString& f : hostileFields()) EXPECT_EQ(shown(window, controlOf(f)), h.text) << f.toStdString();
  }
  expectNoError();
}

TEST_F(BadInputEmployee, UpdateAndTheEmployeeCopyKeepEveryText) {
  const auto& texts = hostileTexts();
  const int n = int(texts.size());
  auto copyName = [](int i) { return QString("Copy %1").arg(i); };
  open();
  for (const Hostile& h : texts) {
    click(window, "CmdAddRecord");
    setShown(window, "txtFullName", h.text);
    setShown(window, "txtPosition", "Cook");
    setShown(window, "txtArea", "Kitchen");
    setShown(window, "txtMonBldg1", h.text);
    click(window, "CmdSaveData");
  }
  for (int i = 0; i < n; ++i) {
    click(window, "CmdAddRecord");
    setShown(window, "txtFullName", copyName(i));
    setShown(window, "txtPosition", "Cook");
    setShown(window, "txtArea", "Kitchen");
    click(window, "CmdSaveData");
  }
  click(window, "CmdSearch");
  // Each employee takes the next one's text as position and Tuesday's area.
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(texts[i].what);
    find(texts[i].text);
    setShown(window, "txtPosition", texts[(i + 1) % n].text);
    setShown(window, "txtTueBldg1", texts[(i + 1) % n].text);
    click(window, "CmdUpdate");
  }
  auto copy = [&](const QString& from, const QString& into) {
    find(into);
    click(window, "CmdCopy");
    ASSERT_TRUE(choose(window, "Choose", from)) << "not in the copy list: " << from.toStdString();
    EXPECT_EQ(shown(window, "txtFullName"), into);
    EXPECT_EQ(shown(window, "txtMonBldg1"), storedRowOf(from).value("monbldg1"));
    click(window, "CmdUpdate");
  };
  // From each hostile employee into a plain one, then from the plain ones
  // into the hostile ones (each the next one's days).
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(texts[i].what);
    copy(texts[i].text, copyName(i));
  }
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(texts[i].what);
    copy(copyName((i + 1) % n), texts[i].text);
  }
  click(window, "CmdCancel");
  expectNoError();

  const auto rows = storedRows();
  ASSERT_EQ(rows.size(), 2 * n);
  for (int i = 0; i < n; ++i) {
    SCOPED_TRACE(texts[i].what);
    const auto& hostile = rows[i];
    const auto& plain = rows[n + i];
    EXPECT_EQ(storedField(hostile, fields::Fullname), texts[i].text);
    EXPECT_EQ(storedField(hostile, fields::Position), texts[(i + 1) % n].text);
    EXPECT_EQ(storedField(hostile, "MonBldg1"), texts[(i + 1) % n].text);
    EXPECT_EQ(storedField(hostile, "TueBldg1"), texts[(i + 2) % n].text);
    EXPECT_EQ(storedField(plain, fields::Fullname), copyName(i));
    EXPECT_EQ(storedField(plain, fields::Position), "Cook");
    EXPECT_EQ(storedField(plain, "MonBldg1"), texts[i].text);
    EXPECT_EQ(storedField(plain, "TueBldg1"), texts[(i + 1) % n].text);
  }
}
