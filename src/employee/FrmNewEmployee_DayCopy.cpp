// The day copy: a click on a weekday heading, then "&Ok" with a source day.
#include <QGroupBox>
#include <QRadioButton>

#include "employee/FrmNewEmployee.h"
#include "platform/MessageBox.h"

void FrmNewEmployee::DayLabel_Click(int day) {
  QString error;
  if (!daycopy::writeTarget(day, &error)) {
    // Without the file, "&Ok" would copy into the day clicked before.
    oops(QString("The day you clicked could not be noted in %1 (%2), so no day can be copied "
                 "now.")
             .arg(daycopy::FileName, error));
    return;
  }
  Frame1->show();
  Frame1->raise();
}

void FrmNewEmployee::Ok_Click() {
  const int target = daycopy::readTarget();
  Frame1->hide();
  if (target < 0) return;
  DayTexts texts = dayTextsShown();
  for (int source = 0; source < fields::DaysInWeek; ++source)
    if (options_[source]->isChecked()) copyDayBlock(texts, source, target);
  showDayTexts(texts);
}

void FrmNewEmployee::Quiter_Click() { Frame1->hide(); }
