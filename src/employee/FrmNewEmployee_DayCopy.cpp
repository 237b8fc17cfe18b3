// The day copy: a click on a weekday heading, then "&Ok" with a source day.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
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
  // The keyboard goes on in the frame, on the day chosen last time.
  dayCopyTarget_ = day;
  QRadioButton* chosen = options_[0];
  for (QRadioButton* option : options_)
    if (option->isChecked()) chosen = option;
  chosen->setFocus(Qt::OtherFocusReason);
}

void FrmNewEmployee::hideDayCopyFrame() {
  const bool hadFocus = Frame1->isAncestorOf(QApplication::focusWidget());
  Frame1->hide();
  // Back to the heading the copy was started from, not to the top of the window.
  if (hadFocus && dayCopyTarget_ >= 0)
    dayLabels_[dayCopyTarget_]->setFocus(Qt::OtherFocusReason);
}

void FrmNewEmployee::Ok_Click() {
  const int target = daycopy::readTarget();
  hideDayCopyFrame();
  if (target < 0) return;
  DayTexts texts = dayTextsShown();
  for (int source = 0; source < fields::DaysInWeek; ++source)
    if (options_[source]->isChecked()) copyDayBlock(texts, source, target);
  showDayTexts(texts);
}

void FrmNewEmployee::Quiter_Click() { hideDayCopyFrame(); }
