#include "employee/EmployeeChoices.h"

#include "lists/ListFile.h"

EmployeeChoices readEmployeeChoices() {
  EmployeeChoices c;
  bool ok = true;
  const QStringList areas = readChoices("AREAS.IGH", &ok);
  c.allRead = c.allRead && ok;
  c.mainAreas = QStringList{"No", "Special"} + areas;
  c.dayAreas = QStringList{"No"} + areas;

  c.positions = readChoices("POSITION.IGH", &ok);
  c.allRead = c.allRead && ok;

  const ListRead days = readListFile("DAYS.IGH");
  c.dayChoices = days.items;
  c.allRead = c.allRead && days.ok;

  const ListRead times = readListFile("TIMES.IGH");
  c.times = times.items;
  c.allRead = c.allRead && times.ok;
  return c;
}
