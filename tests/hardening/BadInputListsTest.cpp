// Hostile texts through the list windows and the extras window: saved,
// reopened and read back, and read by the windows that offer the lists as
// choices. A double quote, which the files cannot hold, is refused with a
// message that keeps the entries on screen and the file as it was.
#include <QLineEdit>
#include <QTest>
#include <memory>

#include "BadInput.h"
#include "employee/FrmNewEmployee.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "print/FrmPrintFull.h"
#include "support/TestSupport.h"

using namespace badinput;

namespace {
QString box(int n) { return QString("Text%1").arg(n); }

QStringList storableTexts() {
  QStringList out;
  for (const Hostile& h : hostileTexts())
    if (!hasDoubleQuote(h.text)) out << h.text;
  return out;
}

struct ListCase {
  const char* file;
  const char* save;
  std::function<QWidget*()> open;
  const char* employeeList;  // where the employee window offers the entries
  const char* printList;     // and where the print setup does
};

std::vector<ListCase> listCases() {
  return {{"AREAS.IGH", "Command1", [] { return static_cast<QWidget*>(new FrmNewSchedule()); },
           "txtArea2", "txtfindAreas"},
          {"POSITION.IGH", "Command2", [] { return static_cast<QWidget*>(new FrmNewSchedule2()); },
           "txtPosition", "txtFindPosition"}};
}

class BadInputLists : public ::testing::Test {
 protected:
  BadInputLists() { folder.installAll(); }
  ~BadInputLists() override { deleteAllWindows(); }
  DataFolder folder;
  MessageBoxQueue boxes;
};
}  // namespace

TEST_F(BadInputLists, ListEntriesReadBackUnchangedInTheirWindowAndAsChoicesElsewhere) {
  const QStringList texts = storableTexts();
  for (const ListCase& c : listCases()) {
    SCOPED_TRACE(c.file);
    folder.write("AREAS.IGH", "Kitchen\r\n");
    folder.write("POSITION.IGH", "Cook\r\n");
    {
      std::unique_ptr<QWidget> w(c.open());
      for (int i = 0; i < texts.size(); ++i) setShown(w.get(), box(i + 1), texts[i]);
      click(w.get(), c.save);
      EXPECT_FALSE(w->isVisible()) << "the window should close after saving";
    }
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join(" | ").toStdString();
    {
      std::unique_ptr<QWidget> w(c.open());
      for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(shown(w.get(), box(i + 1)), texts[i]) << "box " << i + 1;
      EXPECT_EQ(shown(w.get(), box(texts.size() + 1)), "Empty");
    }
    {
      std::unique_ptr<FrmNewEmployee> employee(new FrmNewEmployee());
      const QStringList offered = entries(employee.get(), c.employeeList);
      for (const QString& t : texts) EXPECT_TRUE(offered.contains(t)) << t.toStdString();
    }
    {
      std::unique_ptr<FrmPrintFull> setup(new FrmPrintFull());
      const QStringList offered = entries(setup.get(), c.printList);
      for (const QString& t : texts) EXPECT_TRUE(offered.contains(t)) << t.toStdString();
    }
    boxes.clear();
    deleteAllWindows();
  }
}

TEST_F(BadInputLists, ADoubleQuoteInAListIsRefusedAndNothingIsLost) {
  for (const ListCase& c : listCases()) {
    SCOPED_TRACE(c.file);
    const QByteArray old = "Kitchen\r\nBar\r\n";
    folder.write(c.file, old);
    std::unique_ptr<QWidget> w(c.open());
    w->show();
    setShown(w.get(), box(2), "Say \"Hi\"");
    setShown(w.get(), box(3), "Patio");
    boxes.clear();
    click(w.get(), c.save);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(boxes.shown()[0].text.contains("Box 2")) << boxes.shown()[0].text.toStdString();
    EXPECT_TRUE(boxes.shown()[0].text.contains("double quote"));
    EXPECT_TRUE(w->isVisible()) << "the window stays open with the entries";
    EXPECT_EQ(shown(w.get(), box(2)), "Say \"Hi\"");
    EXPECT_EQ(shown(w.get(), box(3)), "Patio");
    EXPECT_EQ(folder.read(c.file), old);
  }
}

TEST_F(BadInputLists, ExtrasKeepEveryTextAndRefuseADoubleQuote) {
  const QStringList texts = storableTexts();
  // Sentences 1-4, then Label/Name and the weekdays, in that order.
  const QStringList order = {"Text1", "Text2", "Text3", "Text4", "Text13", "Text6",
                             "Text7", "Text8", "Text9", "Text10"};
  ASSERT_LE(texts.size(), order.size());
  const QString longText = QString("Long ") + QString(295, u'w');
  {
    std::unique_ptr<FrmExtras> w(new FrmExtras());
    w->show();
    for (int i = 0; i < texts.size(); ++i)
      if (texts[i] != longText) setShown(w.get(), order[i], texts[i]);
    // The long text typed into a sentence box: the box takes no more than
    // a sentence can hold, and what it shows is what is saved.
    auto* sentence5 = child<QLineEdit>(w.get(), "Text5");
    QTest::keyClicks(sentence5, longText);
    EXPECT_EQ(sentence5->text(), longText.left(75));
    click(w.get(), "Command2");
    EXPECT_FALSE(w->isVisible());
  }
  EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join(" | ").toStdString();
  {
    std::unique_ptr<FrmExtras> w(new FrmExtras());
    for (int i = 0; i < texts.size(); ++i) {
      if (texts[i] == longText) continue;
      // A box left empty is kept as the placeholder, and shows it.
      EXPECT_EQ(shown(w.get(), order[i]), texts[i].isEmpty() ? QString("NOTHING") : texts[i])
          << order[i].toStdString();
    }
    EXPECT_EQ(shown(w.get(), "Text5"), longText.left(75));

    const QByteArray saved = folder.read("extras.txt");
    setShown(w.get(), "Text11", "Say \"Hi\"");
    click(w.get(), "Command2");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].title, "Opps!");
    EXPECT_TRUE(boxes.shown()[0].text.contains("double quote"));
    EXPECT_TRUE(boxes.shown()[0].text.contains("Saturday")) << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(shown(w.get(), "Text11"), "Say \"Hi\"");
    EXPECT_EQ(folder.read("extras.txt"), saved);
  }
}
