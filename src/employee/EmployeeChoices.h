#pragma once
// The choices the employee window offers in its drop-down lists, read from the
// list files of the data folder when the window opens.
#include <QStringList>

struct EmployeeChoices {
  QStringList mainAreas;   // "No", "Special", then the areas of AREAS.IGH
  QStringList dayAreas;    // "No", then the areas of AREAS.IGH
  QStringList positions;   // the job descriptions of POSITION.IGH
  QStringList dayChoices;  // every line of DAYS.IGH (day flags and special markers)
  QStringList times;       // every line of TIMES.IGH (all four time columns)
  bool allRead = true;     // false when any of the four files could not be read
};

// Area and job lists skip their "Empty" placeholder lines; DAYS.IGH and
// TIMES.IGH are taken line for line. A file that cannot be read gives no
// entries and clears allRead.
EmployeeChoices readEmployeeChoices();
