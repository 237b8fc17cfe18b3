// The help file EMPLOYEE.HLP as the help viewer reads it: a topic for every
// context number a window, menu item or control carries, a contents page at
// the top that reaches every topic, and no link that leads nowhere.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTest>
#include <map>
#include <memory>
#include <set>

#include "app/FrmAbout.h"
#include "app/FrmStart.h"
#include "app/Frmemployee1.h"
#include "employee/FrmNewEmployee.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "platform/Help.h"
#include "print/FrmPrintFull.h"
#include "print/FrmPrintItBaby.h"
#include "support/TestSupport.h"

namespace {

QString helpFilePath() { return QString(ROTAWISE_INSTALL_DIR) + "/EMPLOYEE.HLP"; }

// What the viewer makes of the file: anchors and links with their places in
// the document, and the heading that follows each anchor.
struct HelpFile {
  std::map<QString, int> anchorAt;       // anchor name -> document position
  std::map<QString, QString> headingOf;  // anchor name -> text of its heading
  std::vector<std::pair<QString, int>> links;  // href -> position
  QString firstBlock;
  std::unique_ptr<QTextDocument> doc;

  int contentsEnd() const {
    int end = INT_MAX;
    for (const auto& [name, at] : anchorAt)
      if (name != "contents") end = std::min(end, at);
    return end;
  }
  // The text from one anchor to the next: what the reader of a topic sees.
  QString topicText(const QString& name) const {
    const int from = anchorAt.at(name);
    int to = doc->characterCount();
    for (const auto& [other, at] : anchorAt)
      if (at > from) to = std::min(to, at);
    QTextCursor c(doc.get());
    c.setPosition(from);
    c.setPosition(to - 1, QTextCursor::KeepAnchor);
    return c.selectedText();
  }
};

HelpFile readHelpFile() {
  HelpFile h;
  QFile file(helpFilePath());
  if (!file.open(QIODevice::ReadOnly)) return h;
  h.doc = std::make_unique<QTextDocument>();
  h.doc->setHtml(QString::fromUtf8(file.readAll()));
  for (QTextBlock b = h.doc->begin(); b.isValid(); b = b.next()) {
    if (h.firstBlock.isEmpty()) h.firstBlock = b.text();
    // The viewer also finds anchors that landed on a block of their own
    // (an anchor before a rule or heading); such a topic has no heading.
    for (const QString& name : b.charFormat().anchorNames()) {
      h.anchorAt.emplace(name, b.position());
      h.headingOf.emplace(name, QString());
    }
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      const QTextCharFormat fmt = f.charFormat();
      for (const QString& name : fmt.anchorNames()) {
        h.anchorAt.emplace(name, f.position());
        h.headingOf.emplace(name, b.blockFormat().headingLevel() ? b.text() : QString());
      }
      if (fmt.isAnchor() && !fmt.anchorHref().isEmpty())
        h.links.emplace_back(fmt.anchorHref(), f.position());
    }
  }
  return h;
}

// Every number handed to setHelpContext in the program's sources as a literal.
std::set<int> contextNumbersInSources() {
  std::set<int> numbers;
  const QRegularExpression call(R"(setHelpContext\s*\(\s*[^;]*?,\s*(\d+)\s*\))");
  QDirIterator it(QString(ROTAWISE_INSTALL_DIR) + "/../src", {"*.cpp", "*.h"}, QDir::Files,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) {
    QFile f(it.next());
    if (!f.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(f.readAll());
    for (auto m = call.globalMatch(text); m.hasNext();) numbers.insert(m.next().captured(1).toInt());
  }
  return numbers;
}

// Every number the built windows carry on themselves, their controls and
// their menu items.
template <class Form>
void collectContexts(std::set<int>& numbers) {
  QPointer<Form> form = new Form();
  form->show();
  QCoreApplication::processEvents();
  if (!form) return;  // a window that closes itself at once carries nothing more
  if (int c = help::helpContext(form)) numbers.insert(c);
  for (QObject* o : form->template findChildren<QObject*>())
    if (int c = help::helpContext(o)) numbers.insert(c);
  delete form.data();
}

// The numbers every window is designed to carry.
std::set<int> designedContextNumbers() {
  std::set<int> n = {1, 2, 3, 4, 5, 6, 100, 200, 300, 400, 1301, 1302, 700, 701, 800, 801, 900};
  for (int c = 600; c <= 617; ++c) n.insert(c);
  for (int c = 1000; c <= 1010; ++c) n.insert(c);
  return n;
}

TEST(HelpFile, HasATopicWithHeadingAndRealTextForEveryContextNumber) {
  const HelpFile h = readHelpFile();
  ASSERT_TRUE(h.doc) << "cannot read " << helpFilePath().toStdString();

  std::set<int> wanted = designedContextNumbers();
  const std::set<int> fromSources = contextNumbersInSources();
  EXPECT_TRUE(fromSources.count(300) && fromSources.count(100)) << "the source scan finds nothing";
  wanted.insert(fromSources.begin(), fromSources.end());
  {
    DataFolder folder;
    folder.installAll();
    MessageBoxQueue boxes;
    std::set<int> carried;
    collectContexts<Frmemployee1>(carried);
    collectContexts<FrmAbout>(carried);
    collectContexts<FrmNewEmployee>(carried);
    collectContexts<FrmNewSchedule>(carried);
    collectContexts<FrmNewSchedule2>(carried);
    collectContexts<FrmExtras>(carried);
    collectContexts<FrmPrintFull>(carried);
    collectContexts<FrmPrintItBaby>(carried);
    EXPECT_TRUE(carried.count(1) && carried.count(6)) << "the menu items carry their numbers";
    wanted.insert(carried.begin(), carried.end());
    for (QWidget* w : QApplication::topLevelWidgets()) w->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  for (int number : wanted) {
    const QString name = QString::number(number);
    ASSERT_TRUE(h.anchorAt.count(name)) << "no topic for context " << number;
    EXPECT_FALSE(h.headingOf.at(name).trimmed().isEmpty())
        << "topic " << number << " does not start with a heading";
    // A placeholder line is not a topic: each one explains something.
    EXPECT_GE(h.topicText(name).size(), 200) << "topic " << number << " is too thin";
  }
}

TEST(HelpFile, ContentsAtTheTopReachesEveryTopicAndEveryLinkResolves) {
  const HelpFile h = readHelpFile();
  ASSERT_TRUE(h.doc);
  EXPECT_EQ(h.firstBlock, "Employee's Rotawise Help") << "contents opens at the top of the file";

  std::set<QString> linkedFromContents;
  for (const auto& [href, at] : h.links) {
    ASSERT_TRUE(href.startsWith('#')) << "link out of the help file: " << href.toStdString();
    EXPECT_TRUE(h.anchorAt.count(href.mid(1))) << "link to a missing topic: " << href.toStdString();
    if (at < h.contentsEnd()) linkedFromContents.insert(href.mid(1));
  }
  for (const auto& [name, at] : h.anchorAt) {
    if (name == "contents") continue;
    EXPECT_TRUE(linkedFromContents.count(name))
        << "topic " << name.toStdString() << " is missing from the contents";
  }
  // The messages of the employee window and the print setup send the user here.
  ASSERT_TRUE(h.anchorAt.count("getting-started"));
  EXPECT_EQ(h.headingOf.at("getting-started"), "Getting Started");
  for (const char* guide : {"setting-up", "entering-employees", "copying", "printing", "roster",
                            "database-care", "backup"})
    EXPECT_TRUE(h.anchorAt.count(guide)) << guide;
}

TEST(HelpFile, ViewerOpensATopicAtItsHeading) {
  DataFolder folder;
  folder.install("EMPLOYEE.HLP");
  ASSERT_TRUE(help::show("EMPLOYEE.HLP", help::Context, 700));
  QTextBrowser* viewer = help::viewer();
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
  help::show("EMPLOYEE.HLP", help::Context, 700);  // scroll again now that it is laid out
  const QString top = viewer->cursorForPosition(QPoint(4, 4)).block().text();
  EXPECT_EQ(top, "The Buildings and work areas window");

  ASSERT_TRUE(help::show("EMPLOYEE.HLP", help::Contents));
  EXPECT_EQ(viewer->verticalScrollBar()->value(), 0);
  EXPECT_EQ(viewer->cursorForPosition(QPoint(4, 4)).block().text(), "Employee's Rotawise Help");
  help::show("EMPLOYEE.HLP", help::Quit);
}

}  // namespace
