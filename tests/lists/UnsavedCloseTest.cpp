// Closing the area, job description and extras windows by the title bar (or
// Alt+F4, or Escape) with typing not yet saved: a question, never a silent
// loss. Their own Cancel buttons keep discarding, as they always did.
#include <gtest/gtest.h>

#include <QTest>
#include <functional>
#include <memory>

#include "ListsTestSupport.h"
#include "lists/FrmExtras.h"
#include "lists/FrmNewSchedule.h"
#include "lists/FrmNewSchedule2.h"
#include "platform/MessageBox.h"
#include "support/TestSupport.h"

namespace {
constexpr int kYesNoCancelQuestion = msg::YesNoCancel + msg::Question;

struct ListWindowKind {
  const char* what;
  std::function<std::unique_ptr<QWidget>()> open;
  const char* file;
  const char* cancelButton;
};

const ListWindowKind kWindows[] = {
    {"areas", [] { return std::unique_ptr<QWidget>(new FrmNewSchedule); }, "AREAS.IGH",
     "Command2"},
    {"job descriptions", [] { return std::unique_ptr<QWidget>(new FrmNewSchedule2); },
     "POSITION.IGH", "Command1"},
    {"extras", [] { return std::unique_ptr<QWidget>(new FrmExtras); }, "extras.txt", "Command1"},
};
}  // namespace

TEST(UnsavedClose, TheTitleBarAsksToSaveDiscardOrStayWhenABoxDiffersFromTheFile) {
  struct Answer {
    int reply;
    bool saved, closed;
  };
  const Answer answers[] = {{msg::Yes, true, true}, {msg::No, false, true}, {msg::Cancel, false, false}};
  for (const ListWindowKind& kind : kWindows) {
    for (const Answer& a : answers) for (const bool byEscape : {false, true}) {
      SCOPED_TRACE(std::string(kind.what) + " answered " + std::to_string(a.reply) +
                   (byEscape ? " after Escape" : " after the title bar"));
      DataFolder folder;
      MessageBoxQueue boxes;
      auto w = kind.open();
      w->show();
      type(*w, "Text1", "Kitchen, O'Brien's");
      boxes.answer(a.reply);
      if (byEscape) QTest::keyClick(control<QLineEdit>(*w, "Text1"), Qt::Key_Escape);
      else w->close();
      ASSERT_EQ(boxes.shown().size(), 1u);
      EXPECT_EQ(boxes.shown()[0].title, "Warning question");
      EXPECT_EQ(boxes.shown()[0].code, kYesNoCancelQuestion);
      EXPECT_EQ(folder.exists(kind.file), a.saved);
      if (a.saved) EXPECT_TRUE(folder.read(kind.file).contains("Kitchen, O'Brien's"));
      EXPECT_EQ(w->isVisible(), !a.closed);
      EXPECT_EQ(textOf(*w, "Text1"), "Kitchen, O'Brien's");  // staying keeps the typing
    }
  }
  deleteAllWindows();
}

TEST(UnsavedClose, NothingChangedClosesWithoutAQuestionAndCancelStillDiscards) {
  for (const ListWindowKind& kind : kWindows) {
    SCOPED_TRACE(kind.what);
    DataFolder folder;
    MessageBoxQueue boxes;
    {
      auto w = kind.open();
      w->show();
      type(*w, "Text1", "Bar");
      type(*w, "Text1", textOf(*w, "Text2"));  // typed back as it was loaded
      w->close();
      EXPECT_FALSE(w->isVisible());
    }
    {
      auto w = kind.open();
      w->show();
      type(*w, "Text1", "Bar");
      QTest::mouseClick(control<QPushButton>(*w, kind.cancelButton), Qt::LeftButton);
      EXPECT_FALSE(w->isVisible());
    }
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(folder.exists(kind.file));
  }
  deleteAllWindows();
}
