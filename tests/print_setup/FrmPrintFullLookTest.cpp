// How the print setup window looks once filled in: every control inside the
// window, none over another, no caption cut off. Set ROTAWISE_SCREENSHOTS to
// a folder to keep a picture of the window there.
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>

#include "PrintSetupWindow.h"

namespace {
QString withoutAccessKeys(QString caption) {
  caption.replace("&&", "\x01");
  caption.remove('&');
  caption.replace("\x01", "&");
  return caption;
}
}  // namespace

TEST_F(PrintSetupTest, FilledInEveryControlShowsWholeAndApartFromTheOthers) {
  prepareFolder({"Kitchen", "Restaurant Bar"}, {"Ann Lee", "bob Stone", "Carmen Ortega-Vázquez"});
  open();
  choose("txtfindAreas", "Restaurant Bar");
  type("txtFindPosition", "Cook");
  type("txtDayorWeek", "Weekly");
  type("txtFindTimes1", "7A.M. - 3P.M.");
  type("txtLabel1", "Mornings");
  type("txtFindTimes2", "3P.M. - 11P.M.");
  type("txtLabel2", "Evenings");
  type("txtFindTimes3", "SPECIAL");
  type("txtLabel3", "Special");
  choose("txtStaffVacation", "Carmen Ortega-Vázquez" + QString(9, ' '));
  choose("txtStaffVacation", "Ann Lee" + QString(23, ' '));

  const QRect inside = window->rect();
  QList<QWidget*> controls;
  for (QWidget* w : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    if (w->isVisible() && !w->objectName().isEmpty()) controls << w;
  ASSERT_GE(controls.size(), 30);
  for (QWidget* w : controls) {
    SCOPED_TRACE(w->objectName().toStdString());
    EXPECT_TRUE(inside.contains(w->geometry()));
    // The design lets a label and the list below it share one pixel row.
    for (QWidget* other : controls) {
      const QRect shared = w->geometry() & other->geometry();
      if (other != w)
        EXPECT_FALSE(shared.width() > 1 && shared.height() > 1) << other->objectName().toStdString();
    }
    if (auto* label = qobject_cast<QLabel*>(w)) {
      // A wrapped caption needs no more height than the label has.
      const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                           : label->fontMetrics().height();
      EXPECT_LE(needed, label->height());
      if (!label->wordWrap())
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    }
    if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      const int margin = 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
      EXPECT_LE(button->fontMetrics().horizontalAdvance(withoutAccessKeys(button->text())) + margin,
                button->width());
    }
  }

  // The data control's caption between its arrows.
  if (auto* caption = window->findChild<QWidget*>("Data1")->findChild<QLabel*>("Caption"))
    EXPECT_LE(caption->fontMetrics().horizontalAdvance(caption->text()), caption->width());

  if (const QByteArray dir = qgetenv("ROTAWISE_SCREENSHOTS"); !dir.isEmpty())
    EXPECT_TRUE(window->grab().save(QString::fromLocal8Bit(dir) + "/FrmPrintFull.png"));
}
