#include "support/Business.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>
#include <array>
#include <random>
#include <stdexcept>

#include "db/EmployeeFields.h"
#include "lists/ListFile.h"
#include "print/AreaSettings.h"

namespace bench {
namespace {
// Bump when the generated data changes, so old folders are made again.
const QString kGeneratorVersion = "business-3";

[[noreturn]] void fail(const QString& why) { throw std::runtime_error(why.toStdString()); }

struct Shift {
  const char* start;
  const char* stop;
};

struct AreaPlan {
  const char* name;
  int weight;                      // share of the staff
  std::array<Shift, 3> shifts;     // the area's usual shifts, printed as its first three times
  std::array<const char*, 3> positions;
};

// A large hotel: twenty areas (the most the area list holds), each with its
// own shifts and jobs. Settings files are named after the first eight
// characters, so no two areas share one.
const std::array<AreaPlan, 20> kAreas = {{
    {"Kitchen", 12, {{{"6A.M.", "2P.M."}, {"2P.M.", "10P.M."}, {"10P.M.", "6A.M."}}}, {"Chef", "Cook", "Dishwasher"}},
    {"Restaurant Bar", 8, {{{"11A.M.", "7P.M."}, {"5P.M.", "11P.M."}, {"6P.M.", "12A.M."}}}, {"Bartender", "Server", "Barback"}},
    {"Front Desk", 8, {{{"7A.M.", "3P.M."}, {"3P.M.", "11P.M."}, {"11P.M.", "7A.M."}}}, {"Receptionist", "Night Auditor", "Concierge"}},
    {"Housekeeping", 14, {{{"7A.M.", "3P.M."}, {"8A.M.", "4P.M."}, {"3P.M.", "11P.M."}}}, {"Room Attendant", "Supervisor", "Houseman"}},
    {"Banquets", 6, {{{"6A.M.", "2P.M."}, {"2P.M.", "10P.M."}, {"10A.M.", "6P.M."}}}, {"Server", "Captain", "Houseman"}},
    {"Room Service", 4, {{{"6A.M.", "2P.M."}, {"2P.M.", "10P.M."}, {"10P.M.", "6A.M."}}}, {"Server", "Cook", "Supervisor"}},
    {"Laundry", 4, {{{"7A.M.", "3P.M."}, {"3P.M.", "11P.M."}, {"9A.M.", "5P.M."}}}, {"Attendant", "Supervisor", "Houseman"}},
    {"Maintenance", 4, {{{"7A.M.", "3P.M."}, {"3P.M.", "11P.M."}, {"11P.M.", "7A.M."}}}, {"Engineer", "Painter", "Supervisor"}},
    {"Spa & Wellness", 3, {{{"9A.M.", "5P.M."}, {"10A.M.", "6P.M."}, {"12P.M.", "8P.M."}}}, {"Therapist", "Receptionist", "Attendant"}},
    {"Pool Deck", 3, {{{"7A.M.", "3P.M."}, {"10A.M.", "6P.M."}, {"12P.M.", "8P.M."}}}, {"Lifeguard", "Server", "Attendant"}},
    {"Gift Shop", 2, {{{"9A.M.", "5P.M."}, {"12P.M.", "8P.M."}, {"10A.M.", "6P.M."}}}, {"Cashier", "Supervisor", "Attendant"}},
    {"Valet", 3, {{{"7A.M.", "3P.M."}, {"3P.M.", "11P.M."}, {"11P.M.", "7A.M."}}}, {"Valet", "Supervisor", "Doorman"}},
    {"Security", 4, {{{"7A.M.", "3P.M."}, {"3P.M.", "11P.M."}, {"11P.M.", "7A.M."}}}, {"Officer", "Supervisor", "Dispatcher"}},
    {"Café Lobby", 3, {{{"6A.M.", "2P.M."}, {"6A.M.", "12P.M."}, {"12P.M.", "6P.M."}}}, {"Barista", "Cashier", "Cook"}},
    {"Night Club", 4, {{{"6P.M.", "12A.M."}, {"4P.M.", "12A.M."}, {"5P.M.", "11P.M."}}}, {"Bartender", "Doorman", "Server"}},
    {"Conference Centre", 4, {{{"7A.M.", "3P.M."}, {"8A.M.", "4P.M."}, {"2P.M.", "10P.M."}}}, {"Coordinator", "Houseman", "Technician"}},
    {"Bakery", 3, {{{"6A.M.", "2P.M."}, {"10P.M.", "6A.M."}, {"6A.M.", "12P.M."}}}, {"Baker", "Pastry Chef", "Cashier"}},
    {"Catering", 3, {{{"7A.M.", "3P.M."}, {"10A.M.", "6P.M."}, {"2P.M.", "10P.M."}}}, {"Cook", "Driver", "Server"}},
    {"Reservations", 3, {{{"8A.M.", "4P.M."}, {"9A.M.", "5P.M."}, {"12P.M.", "8P.M."}}}, {"Agent", "Supervisor", "Coordinator"}},
    {"Patio Grill", 3, {{{"11A.M.", "7P.M."}, {"12P.M.", "8P.M."}, {"5P.M.", "11P.M."}}}, {"Cook", "Server", "Host"}},
}};

const QStringList kPositions = {
    "Chef",     "Cook",        "Dishwasher", "Bartender",  "Server",      "Barback",    "Receptionist",
    "Concierge", "Room Attendant", "Supervisor", "Houseman", "Captain",   "Engineer",   "Therapist",
    "Lifeguard", "Cashier",    "Valet",      "Officer",    "Coordinator", "Baker"};

// Surnames and given names of a mixed workforce: apostrophes, hyphens,
// accents and the odd comma-free compound among them.
const QStringList kSurnames = {
    "Garcia", "Smith", "Johnson", "Williams", "Brown", "Jones", "Miller", "Davis", "Rodriguez",
    "Martinez", "Hernández", "Lopez", "Gonzalez", "Wilson", "Anderson", "Thomas", "Taylor",
    "Moore", "Jackson", "Martin", "Lee", "Pérez", "Thompson", "White", "Harris", "Sanchez",
    "Clark", "Ramirez", "Lewis", "Robinson", "Walker", "Young", "Allen", "King", "Wright",
    "Scott", "Torres", "Nguyen", "Hill", "Flores", "Green", "Adams", "Nelson", "Baker", "Hall",
    "Rivera", "Campbell", "Mitchell", "Carter", "Roberts", "O'Brien", "O'Connor", "D'Angelo",
    "Smith-Jones", "Müller", "Núñez", "Björk", "Kowalski", "Nowak", "Okafor", "Patel", "Singh",
    "Kim", "Tanaka", "Yilmaz", "Al-Sayed", "Dubois", "MacLeod", "Silva", "Rossi", "Novak",
    "Murphy", "Kelly", "Chen", "Wang", "Ivanova", "Schmidt", "Fischer", "Haddad", "Mensah"};
const QStringList kGivenNames = {
    "Maria", "James", "Li", "Fatima", "Tomasz", "Chloé", "Samuel", "Rebecca", "Diego", "Aisha",
    "Connor", "Yuki", "Olivia", "Mehmet", "Sarah", "Ahmed", "Emily", "Lucas", "Grace", "Robert",
    "Ana", "John", "Mei", "Omar", "Zoë", "Liam", "Noah", "Emma", "Ava", "Sophia", "Mia", "Ethan",
    "Isabella", "Mason", "Lucía", "Mateo", "Amara", "Kwame", "Priya", "Arjun", "Hana", "Sven",
    "Ingrid", "Pierre", "Anaïs", "Jürgen", "Paulo", "Joana", "Kofi", "Nadia"};

QString nameOf(int k) {
  // Every name differs: surname, given name and a middle initial.
  const int surnames = int(kSurnames.size()), given = int(kGivenNames.size());
  const int s = k % surnames;
  const int g = (k / surnames) % given;
  const int m = k / (surnames * given);  // below 26 for every size we make
  return QString("%1, %2 %3.").arg(kSurnames[s], kGivenNames[g], QChar('A' + m % 26));
}

struct Day {
  QString flag = "No";
  QVariant start, stop, mainArea, splitStart, splitStop, splitArea, special = "No", firstArea;
};

struct Person {
  QString name, position;
  std::array<QString, 4> areas = {"", "No", "No", "No"};
  std::array<Day, 7> days;
};

Person makePerson(int k, std::mt19937& random) {
  auto chance = [&](int percent) { return int(random() % 100) < percent; };
  static const int totalWeight = [] {
    int t = 0;
    for (const AreaPlan& a : kAreas) t += a.weight;
    return t;
  }();
  int pick = int(random() % totalWeight), a = 0;
  while (pick >= kAreas[a].weight) pick -= kAreas[a++].weight;
  const AreaPlan& home = kAreas[a];

  Person p;
  p.name = nameOf(k);
  p.position = home.positions[random() % 3];
  p.areas[0] = home.name;
  const AreaPlan& other = kAreas[(a + 1 + random() % 19) % 20];
  if (chance(30)) p.areas[1] = other.name;
  if (chance(10)) p.areas[2] = kAreas[(a + 3) % 20].name;
  if (chance(5)) p.areas[3] = kAreas[(a + 7) % 20].name;

  // A full week: five or six days in a row, on one of the area's shifts.
  const int workDays = chance(20) ? 6 : 5;
  const int firstDay = int(random() % 7);
  const Shift& usual = home.shifts[random() % 3];
  const bool splits = chance(15);
  const bool onCall = chance(8);
  for (int n = 0; n < workDays; ++n) {
    const int d = (firstDay + n) % 7;
    Day& day = p.days[d];
    day.flag = "Yes";
    const bool weekend = d >= 5;
    if (weekend && chance(10)) {  // a long weekend day also covers the late shift
      day.start = "9A.M.";
      day.stop = "11P.M.";
    } else {
      day.start = usual.start;
      day.stop = usual.stop;
    }
    day.mainArea = home.name;
    day.firstArea = home.name;
    if (splits && n < 2) {
      const Shift& split = (p.areas[1] != "No" ? other : home).shifts[(random() % 2) + 1];
      day.splitStart = split.start;
      day.splitStop = split.stop;
      day.splitArea = p.areas[1] != "No" ? p.areas[1] : p.areas[0];
    }
  }
  if (onCall) {  // on call on the first day off
    Day& day = p.days[(firstDay + workDays) % 7];
    day.special = "Yes";
    day.firstArea = home.name;
  }
  return p;
}

void insertPeople(const QString& databasePath, int from, int to, std::mt19937& random) {
  const QString connection = "bench-business-writer";
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", connection);
    db.setDatabaseName(databasePath);
    if (!db.open()) fail("cannot open " + databasePath);
    QStringList names = fields::allFields();
    names.removeAll(fields::Key);  // the database gives each new record its key
    const QStringList marks(names.size(), "?");
    if (!db.transaction()) fail("no transaction");
    QSqlQuery q(db);
    if (!q.prepare("INSERT INTO Employees (" + names.join(", ") + ") VALUES (" + marks.join(", ") +
                   ")"))
      fail(q.lastError().text());
    for (int k = from; k < to; ++k) {
      const Person p = makePerson(k, random);
      q.addBindValue(k + 1);
      q.addBindValue(p.name);
      q.addBindValue(p.position);
      for (const QString& area : p.areas) q.addBindValue(area);
      for (const Day& d : p.days)
        for (const QVariant& v : {QVariant(d.flag), d.start, d.stop, d.mainArea, d.splitStart,
                                  d.splitStop, d.splitArea, d.special, d.firstArea})
          q.addBindValue(v);
      if (!q.exec()) fail(q.lastError().text());
    }
    if (!db.commit()) fail("commit failed");
  }
  QSqlDatabase::removeDatabase(connection);
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    fail("cannot write " + path);
}

void copyInstalled(const QDir& folder) {
  for (const QString& name : {"DAYS.IGH", "TIMES.IGH", "AREATIME.IGH", "WEEKDAYS.IGH",
                              "EMPLOYEE.HLP", "clouds.bmp", "employee.bmp"}) {
    QFile::remove(folder.filePath(name));
    if (!QFile::copy(QString(ROTAWISE_INSTALL_DIR) + "/" + name, folder.filePath(name)))
      fail(QString("cannot copy %1").arg(name));
  }
}

QString range(const Shift& s) { return QString("%1 - %2").arg(s.start, s.stop); }

// The list files and hand-over files, written by the program's own writers
// in the current directory (the folder being made).
void writeSetupFiles(const Facts& facts) {
  QStringList areaLines, positionLines;
  for (const AreaPlan& a : kAreas) areaLines << a.name;
  for (const QString& p : kPositions) positionLines << p;
  if (!writeListLines("AREAS.IGH", areaLines) || !writeListLines("POSITION.IGH", positionLines))
    fail("cannot write the lists");
  for (const AreaPlan& a : kAreas) {
    AreaSettings s;
    s.area = a.name;
    s.position = a.positions[0];
    s.dayOrWeek = "Weekly";
    s.number = "1";
    for (int k = 0; k < 3; ++k) s.times[k] = range(a.shifts[k]);
    s.times[3] = "SPECIAL";
    s.labels = {"Early", "Late", "Night", "On call"};
    if (!writeAreaSettings(areaSettingsFileName(a.name), s)) fail("cannot write area settings");
  }
  AreaSettings all;
  all.area = "All_Areas";
  all.position = "Supervisor";
  all.dayOrWeek = "Weekly";
  all.times = {"7A.M. - 3P.M.", "3P.M. - 11P.M.", "11P.M. - 7A.M.", "SPECIAL"};
  all.labels = {"Days", "Evenings", "Nights", "On call"};
  if (!writeAreaSettings(areaSettingsFileName("All_Areas"), all)) fail("cannot write ALL_AREA.IGH");
  if (!writePrintFile(areaSettingsFileName(facts.printedArea))) fail("cannot write PRINT.IGH");
  // A few staff on holiday, padded as the print setup writes them.
  QStringList away;
  for (int k : {3, 40, 200, 333}) away << nameOf(k).leftJustified(30);
  if (!writeExemptFile(away)) fail("cannot write EXEMPT.IGH");
  if (!writeListLines("extras.txt",
                      {"Manager on duty", "R. Miller", "O. Brown", "M. Gonzalez", "R. Miller",
                       "O. Brown", "M. Gonzalez", "NOTHING",
                       "Staff meeting Thursday at 2 P.M. in the banquet room.",
                       "Uniforms are picked up from housekeeping on Mondays.", "NOTHING",
                       "Swap a shift only with your manager's written approval.", "NOTHING"}))
    fail("cannot write extras.txt");
}

Facts factsFor(int employees) {
  Facts f;
  f.employees = employees;
  f.findName = nameOf(employees * 3 / 4);
  f.deletePosition = employees / 2;
  f.printedArea = kAreas[0].name;
  for (const AreaPlan& a : kAreas) f.areas << a.name;
  return f;
}

void makeBusiness(const QString& path, int employees) {
  QDir(path).removeRecursively();
  if (!QDir().mkpath(path)) fail("cannot make " + path);
  const QDir folder(path);
  copyInstalled(folder);
  const QString saveBase = folder.filePath("save-base.mdb");
  const QString full = folder.filePath("employee.mdb");
  if (!QFile::copy(ROTAWISE_EMPTY_DB, saveBase)) fail("no empty database at " ROTAWISE_EMPTY_DB);
  QFile::setPermissions(saveBase, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  std::mt19937 random(20240601u + unsigned(employees));
  insertPeople(saveBase, 0, employees - 1, random);
  if (!QFile::copy(saveBase, full)) fail("cannot copy " + saveBase);
  insertPeople(full, employees - 1, employees, random);

  const Facts facts = factsFor(employees);
  const QString previous = QDir::currentPath();
  QDir::setCurrent(path);
  try {
    writeSetupFiles(facts);
  } catch (...) {
    QDir::setCurrent(previous);
    throw;
  }
  QDir::setCurrent(previous);
  QString text;
  QTextStream out(&text);
  out << "employees=" << employees << "\nfind=" << facts.findName
      << "\ndelete_rowid=" << facts.deletePosition + 1 << "\narea=" << facts.printedArea
      << "\nnewcomer=" << kNewcomerName << "\n";
  writeFile(folder.filePath("facts.txt"), text.toUtf8());
  writeFile(folder.filePath("stamp"), kGeneratorVersion.toUtf8());
}
}  // namespace

QString businessFolder(int employees) {
  const QString path = QString(ROTAWISE_BENCH_DATA_DIR) + "/" + QString::number(employees);
  QFile stamp(path + "/stamp");
  if (!stamp.open(QIODevice::ReadOnly) || stamp.readAll() != kGeneratorVersion.toUtf8())
    makeBusiness(path, employees);
  return path;
}

Facts businessFacts(int employees) { return factsFor(employees); }

}  // namespace bench
