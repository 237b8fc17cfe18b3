#pragma once
// What the area window and the job description window share: twenty boxes in
// two columns, the instructions, the status bar and the help dialog, loading
// the list file into the boxes and saving it back. The two windows add their
// own buttons and layout.
#include <QRect>
#include <QWidget>
#include <array>

#include "lists/ListBoxes.h"

class CommonDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class StatusBar;

// The layout of one list window, in twips.
struct ListWindowDesign {
  const char* objectName;
  const char* caption;
  const char* fileName;
  int leftColumnLeft, leftColumnWidth;
  int rightColumnLeft, rightColumnWidth;
  int firstTop, step;
  QRect label;  // Label1
  bool labelBold;
  const char* instructions;
  const char* boxName;         // a box is said as "Area 7"
  const char* boxDescription;  // and what to type into it
  int windowHelp, boxHelp;
  std::array<bool, kListBoxCount> boxHasHelp;
  int clientWidth, clientHeight;  // the area above the status bar
};

class ListWindow : public QWidget {
  Q_OBJECT
 public:
  QString fileName() const { return fileName_; }
  QStringList boxTexts() const;
  void setBoxTexts(const QStringList& texts);

 protected:
  ListWindow(const ListWindowDesign& design, QWidget* parent);

  QPushButton* addButton(const char* name, const char* caption, int left, int top, int width,
                         int height);
  // Tab order: the boxes, then the buttons as given (the label and status bar
  // take no focus).
  void setButtonTabOrder(std::initializer_list<QWidget*> buttons);

  void Form_Load();
  void saveList();    // Save: writes the file, then closes; on a refusal or failure stays open
  void cancelList();  // Cancel: closes, the file untouched
  void showHelp();
  // Escape: the window closes as its title bar's close button closes it.
  void closeByEscape();

  std::array<QLineEdit*, kListBoxCount> Text{};  // Text1..Text20
  QLabel* Label1 = nullptr;
  StatusBar* StatusBar1 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;

 private:
  void closeAndShowMainWindow();
  QString fileName_;
};
