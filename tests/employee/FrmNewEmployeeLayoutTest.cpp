// The employee window as designed: every control with its kind, caption or
// text, bound field, place and visibility; the window shows them all.
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>

#include "EmployeeWindow.h"
#include "data/DataControl.h"
#include "platform/CommonDialog.h"
#include "platform/Geometry.h"
#include "platform/Help.h"

namespace {
struct Designed {
  const char* name;
  const char* kind;  // class name
  const char* caption;
  const char* field;  // DataField, "" when not bound
  int left, top, width, height;
};

// The header, the buttons and the frames, as the window was designed.
const Designed kDesign[] = {
    {"Label1", "QLabel", "Rec #", "", 0, 0, 735, 375},
    {"Text1", "QLineEdit", nullptr, "Number", 720, 0, 735, 375},
    {"Lblfullname", "QLabel", "Employee", "", 120, 480, 1215, 255},
    {"txtFullName", "QLineEdit", nullptr, "Fullname", 1440, 360, 3135, 375},
    {"Label14", "QLabel", "Position", "", 120, 840, 1215, 255},
    {"txtPosition", "QComboBox", nullptr, "position", 1440, 720, 3135, 360},
    {"Label2", "QLabel", "Bldg/Dept", "", 120, 1200, 1215, 255},
    {"txtArea", "QComboBox", nullptr, "area", 1440, 1080, 3135, 360},
    {"Label19", "QLabel", "Bldg/Dept 2", "", 120, 1560, 1215, 255},
    {"Label20", "QLabel", "Bldg/Dept 3", "", 120, 1920, 1215, 255},
    {"Label21", "QLabel", "Bldg/Dept 4", "", 120, 2280, 1215, 255},
    {"txtArea2", "QComboBox", nullptr, "Area2", 1440, 1440, 3135, 360},
    {"txtArea3", "QComboBox", nullptr, "Area3", 1440, 1800, 3135, 360},
    {"txtArea4", "QComboBox", nullptr, "Area4", 1440, 2160, 3135, 360},
    {"CmdAddRecord", "QPushButton", "&Enter New Employee", "", 4800, 0, 2055, 495},
    {"CmdSaveData", "QPushButton", "&Save New Employee", "", 4800, 720, 2055, 495},
    {"CmdCopy", "QPushButton", "&Copy Employee's data", "", 4800, 1440, 2055, 495},
    {"CmdUpdate", "QPushButton", "&Update", "", 4800, 2160, 975, 495},
    {"CmdDelete", "QPushButton", "&Delete", "", 5880, 2160, 975, 495},
    {"CmdCancel", "QPushButton", "e&Xit", "", 7320, 2160, 975, 495},
    {"CmdHelp", "QPushButton", "&Help", "", 8400, 2160, 975, 495},
    {"CmdSearch", "QPushButton", "&Load/Update search lists", "", 7080, 720, 2415, 375},
    {"Lable34", "QLabel", "     &Find/Search Employee Name", "", 7080, 1200, 2415, 255},
    {"txtFind", "QComboBox", nullptr, "", 7080, 1440, 2415, 315},
    {"Image1", "QLabel", nullptr, "", 7920, 120, 540, 540},
    {"Label3", "QLabel", "        Work Days/Hours:", "", 1560, 2520, 2295, 255},
    {"ProgressBar1", "QProgressBar", nullptr, "", 120, 2520, 4455, 255},
    {"Label26", "QLabel",
     "    ^---- (Short Cut)  Click on any of the blue Mon - Fri abbreviations above to copy "
     "information from one day to another.",
     "", 0, 6600, 9615, 375},
    {"Frame1", "QGroupBox", "Choose day?", "", 600, 3360, 5415, 2655},
    {"Label15", "QLabel",
     "Choose which day you would like to copy the scheduling information FROM.  It will be "
     "copied into the day you clicked on.  If you want to copy all days, use the copy employee "
     "data command.",
     "", 120, 360, 3855, 855},
    {"Ok", "QPushButton", "&Ok", "", 3480, 1680, 735, 735},
    {"Quiter", "QPushButton", "&Quit", "", 4440, 1680, 855, 735},
    {"Frame2", "QGroupBox", "Choose Employee", "", 720, 480, 4215, 1695},
    {"Label25", "QLabel",
     "Use the list box and choose the employee name you would like to copy data from.  To "
     "update this list with new employee's use the Load/Update search list command button.",
     "", 240, 240, 3735, 855},
    {"Choose", "QComboBox", nullptr, "", 120, 1200, 2535, 315},
    {"CmdQuitter", "QPushButton", "&Quit", "", 3120, 1080, 855, 495},
};

QString captionOf(const QWidget* w) {
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  return {};
}
}  // namespace

class EmployeeLayoutTest : public EmployeeWindowTest {};

TEST_F(EmployeeLayoutTest, EveryDesignedControlHasItsKindCaptionFieldAndPlace) {
  QFile::remove(folder.file("clouds.bmp"));  // the grey shows where there is no picture
  open();
  for (const Designed& d : kDesign) {
    SCOPED_TRACE(d.name);
    QWidget* w = find<QWidget>(d.name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), d.kind);
    if (d.caption) EXPECT_EQ(captionOf(w), QString(d.caption));
    EXPECT_EQ(w->property("DataField").toString(), QString(d.field));
    EXPECT_EQ(w->geometry(), twipsRect(d.left, d.top, d.width, d.height));
    if (auto* c = qobject_cast<QComboBox*>(w)) EXPECT_TRUE(c->isEditable());
  }
  auto* data = find<DataControl>("Data1");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->caption(), "<Back      Forward>");
  EXPECT_EQ(data->Connect, "Access");
  EXPECT_EQ(data->geometry(), twipsRect(1440, 0, 3135, 375));
  auto* dialog = window->findChild<CommonDialog*>("CommonDialog1");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->HelpFile.toLower(), "employee.hlp");
  EXPECT_EQ(window->windowTitle(), "Employee Data");
  EXPECT_EQ(window->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(EmployeeLayoutTest, WeekGridHasSixtyThreeBoundListsInRowsAndColumns) {
  open();
  struct Column {
    const char* heading;
    const char* caption;
    int left, width;
  };
  const Column columns[] = {
      {"Label5", "Week Day", 600, 615},      {"Label6", "Start Hours", 1320, 855},
      {"Label7", "End Hours", 2280, 855},    {"Label23", "Bldg/Area", 3240, 1095},
      {"Label17", "Split Start", 4440, 855}, {"Label16", "Split End", 5400, 855},
      {"Label24", "Bldg/Area", 6360, 1095},  {"Label18", "Special", 7560, 735},
      {"Label22", "Bldg/Area", 8400, 1095}};
  const char* dayLabels[] = {"Label4",  "Label8",  "Label9", "Label10",
                             "Label11", "Label12", "Label13"};
  const char* dayCaptions[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
  // Control names and fields of Wednesday's and Tuesday's rows, written out.
  const QStringList wednesday = {"txtwednesday", "txtwedstart",      "txtwedstop",
                                 "txtWedBldg1",  "txtWedSplitStart", "txtWedSplitStop",
                                 "txtWedBldg2",  "txtWedSpecial",    "txtWedBldg"};
  EXPECT_EQ(find<QComboBox>("txttuesday")->property("DataField").toString(), "Tuesday");
  EXPECT_EQ(find<QComboBox>("txtTueSplitStop")->property("DataField").toString(), "TueSplitStop");
  int cells = 0;
  for (int c = 0; c < 9; ++c) {
    QLabel* h = find<QLabel>(columns[c].heading);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->text(), columns[c].caption);
    // "Week Day" reaches to the next column so that its caption is not clipped.
    const int width = c == 0 ? 705 : columns[c].width;
    EXPECT_EQ(h->geometry(), twipsRect(columns[c].left, 2880, width, 255));
    EXPECT_EQ(h->palette().color(QPalette::Window), QColor(0, 255, 0));
  }
  for (int day = 0; day < 7; ++day) {
    const int top = 3240 + 480 * day;
    QLabel* l = find<QLabel>(dayLabels[day]);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(), dayCaptions[day]);
    EXPECT_EQ(l->geometry(), twipsRect(0, top, 495, 375));
    EXPECT_EQ(l->palette().color(QPalette::Window), QColor(0, 0, 255));
    const QStringList block = fields::dayBlock(day);
    for (int k = 0; k < 9; ++k) {
      QComboBox* cell = window->dayCell(day, fields::DayField(k));
      ASSERT_NE(cell, nullptr);
      ++cells;
      EXPECT_EQ(cell->property("DataField").toString(), block[k]);
      EXPECT_EQ(cell->geometry(), twipsRect(columns[k].left, top, columns[k].width, 315));
      if (day == 2) EXPECT_EQ(cell->objectName(), wednesday[k]);
    }
  }
  EXPECT_EQ(cells, 63);
  // A time wider than its narrow box shows whole under the mouse.
  find<QComboBox>("txtwedstart")->setEditText("12:30P.M.");
  EXPECT_EQ(find<QComboBox>("txtwedstart")->toolTip(), "12:30P.M.");
  EXPECT_EQ(find<QComboBox>("txtmonday")->property("DataField").toString(), "monday");
  EXPECT_EQ(window->data1()->boundControls().size(), 70);  // 7 header fields + 63 day fields
}

TEST_F(EmployeeLayoutTest, FramesAndProgressBarAreHiddenAndTheDayChoicesAreThere) {
  open();
  EXPECT_TRUE(find<QGroupBox>("Frame1")->isHidden());
  EXPECT_TRUE(find<QGroupBox>("Frame2")->isHidden());
  EXPECT_TRUE(find<QProgressBar>("ProgressBar1")->isHidden());
  EXPECT_FALSE(find<QLabel>("Label26")->isHidden());
  const char* captions[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                            "Friday", "Saturday", "Sunday"};
  const int lefts[] = {120, 1320, 2400, 3720, 120, 1320, 2400};
  const int tops[] = {1200, 1200, 1200, 1200, 1800, 1800, 1800};
  for (int i = 0; i < 7; ++i) {
    auto* o = find<QRadioButton>(QString("Option%1").arg(i + 1));
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->text(), captions[i]);
    EXPECT_EQ(o->parentWidget()->objectName(), "Frame1");
    EXPECT_EQ(o->geometry().topLeft(), twipsRect(lefts[i], tops[i], 1, 1).topLeft());
    EXPECT_EQ(o->height(), twipsToPixels(375));
    EXPECT_FALSE(o->isChecked());
  }
  EXPECT_EQ(find<QWidget>("Choose")->parentWidget()->objectName(), "Frame2");
  EXPECT_EQ(text("Choose"), "Choose Employee");
}

TEST_F(EmployeeLayoutTest, ColoursFontsAndHelpContextsAsDesigned) {
  open();
  auto back = [&](const char* n) { return find<QWidget>(n)->palette().color(QPalette::Base); };
  auto fore = [&](const char* n) { return find<QWidget>(n)->palette().color(QPalette::Text); };
  EXPECT_EQ(find<QLabel>("Label1")->palette().color(QPalette::Window), QColor(0, 0, 255));
  EXPECT_EQ(find<QLabel>("Label1")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
  EXPECT_EQ(back("Text1"), QColor(255, 255, 192));
  EXPECT_TRUE(find<QWidget>("Text1")->font().bold());
  EXPECT_EQ(back("txtFullName"), QColor(0, 0, 255));
  EXPECT_EQ(fore("txtFullName"), QColor(255, 255, 255));
  EXPECT_DOUBLE_EQ(find<QWidget>("txtFullName")->font().pointSizeF(), 9.75);
  EXPECT_EQ(fore("txtPosition"), QColor(0, 255, 255));
  EXPECT_EQ(fore("txtFind"), QColor(0, 255, 255));
  for (const char* area : {"txtArea", "txtArea2", "txtArea3", "txtArea4"}) {
    EXPECT_EQ(back(area), QColor(0, 0, 255)) << area;
    EXPECT_EQ(fore(area), QColor(255, 255, 255)) << area;
  }
  EXPECT_EQ(find<QLabel>("Lable34")->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(find<QWidget>("Data1")->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_TRUE(find<QWidget>("Data1")->font().bold());
  EXPECT_TRUE(find<QWidget>("Lblfullname")->font().bold());
  EXPECT_TRUE(find<QWidget>("Label4")->font().bold());
  EXPECT_EQ(find<QWidget>("CmdDelete")->font(), buttonFont());
  EXPECT_EQ(find<QWidget>("Frame1")->font().pointSizeF(), 9.75);

  EXPECT_EQ(help::helpContext(window), 600);
  const QList<QPair<const char*, int>> contexts = {
      {"Data1", 601},     {"txtFullName", 602}, {"txtPosition", 603}, {"txtArea", 604},
      {"txtArea2", 604},  {"txtArea3", 604},    {"txtArea4", 604},    {"CmdAddRecord", 605},
      {"CmdSearch", 606}, {"CmdSaveData", 607}, {"CmdUpdate", 608},   {"CmdDelete", 609},
      {"txtmonday", 610}, {"txtFind", 610},     {"CmdCopy", 617}};
  for (const auto& [name, context] : contexts)
    EXPECT_EQ(help::helpContext(find<QWidget>(name)), context) << name;
}

TEST_F(EmployeeLayoutTest, WindowShowsEveryVisibleControlOnASmallScreen) {
  open();
  const QRect client = window->rect();
  for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isHidden() && w->objectName() != "ProgressBar1") continue;
    EXPECT_TRUE(client.contains(w->geometry())) << w->objectName().toStdString();
  }
  EXPECT_LE(window->frameGeometry().width(), 1366);
  EXPECT_LE(window->frameGeometry().height(), 768 - 40);    // room for a task bar
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed single border
}

TEST_F(EmployeeLayoutTest, WithoutADatabaseTheDesignTextsStayAndNothingIsCreated) {
  QFile::remove(folder.file("employee.mdb"));
  open();
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_EQ(boxes.shown()[0].title, "Opps!");
  EXPECT_EQ(boxes.shown()[0].code, 48);
  EXPECT_TRUE(boxes.shown()[0].text.contains("employee.mdb"));
  EXPECT_FALSE(folder.exists("employee.mdb"));
  EXPECT_EQ(text("txtFullName"), "Press Enter Employee to begin");
  EXPECT_EQ(text("txtPosition"), "Enter Employee Position");
  EXPECT_EQ(text("txtArea"), "Enter Work area");
  EXPECT_EQ(text("txtArea2"), "No");
  EXPECT_EQ(text("txtmonday"), "No");
  EXPECT_EQ(text("txtSunBldg"), "No");
  EXPECT_EQ(text("Text1"), "");

  // Commands answer as on an empty table; Enter New Employee creates nothing.
  boxes.clear();
  click("CmdSaveData");
  click("CmdAddRecord");
  EXPECT_FALSE(folder.exists("employee.mdb"));
  ASSERT_EQ(boxes.shown().size(), 2u);
  EXPECT_EQ(boxes.shown()[0].text,
            "Can't use this command now.  You must use Enter New Employee first!");
  EXPECT_EQ(boxes.shown()[1].title, "Opps!");
  EXPECT_EQ(text("Text1"), "");
}

TEST_F(EmployeeLayoutTest, NoTwoVisibleControlsCoverEachOther) {
  QVariantMap pat = employeeRow(1, "O'Brien, Pat");
  pat["position"] = "Waiter";
  pat["area"] = "Restaurant Bar";
  for (int day = 0; day < 5; ++day) {
    const QStringList block = fields::dayBlock(day);
    const QStringList texts = {"YES", "12:30P.M.", "10:30P.M.", "Restaurant Bar", "No",
                               "No",  "No",        "NO",        "Patio"};
    for (int k = 0; k < 9; ++k) pat[block[k]] = texts[k];
  }
  storeEmployees({pat, employeeRow(2, "Lee, Ann"), employeeRow(3, "Stone, Bob")});
  open();
  click("CmdSearch");
  QList<QWidget*> shown;
  for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!w->isHidden()) shown << w;
  for (int i = 0; i < shown.size(); ++i)
    for (int j = i + 1; j < shown.size(); ++j) {
      // One pixel of overlap is the design's (Text1 starts 15 twips inside Label1).
      const QRect both =
          shown[i]->geometry().adjusted(1, 1, -1, -1) & shown[j]->geometry().adjusted(1, 1, -1, -1);
      EXPECT_TRUE(both.isEmpty()) << shown[i]->objectName().toStdString() << " and "
                                  << shown[j]->objectName().toStdString();
    }
  EXPECT_EQ(window->palette().brush(QPalette::Window).style(), Qt::TexturePattern);  // clouds.bmp
  const QPixmap shot = window->grab();
  EXPECT_EQ(shot.deviceIndependentSize().toSize(), window->size());  // at any scale
  // ROTAWISE_SCREENSHOTS names a folder to keep the picture in, for a look.
  const QString keep = qEnvironmentVariable("ROTAWISE_SCREENSHOTS");
  if (!keep.isEmpty()) EXPECT_TRUE(shot.save(keep + "/FrmNewEmployee.png"));
}
