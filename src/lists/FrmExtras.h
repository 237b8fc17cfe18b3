#pragma once
// "Schedule Extras": the five sentences for the bottom of every schedule and
// the label with its one entry per weekday (extras.txt).
#include <QWidget>
#include <array>

class CommonDialog;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmExtras : public QWidget {
  Q_OBJECT
 public:
  explicit FrmExtras(QWidget* parent = nullptr);

  void Command1_Click();  // Cancel
  void Command2_Click();  // Save
  void Command3_Click();  // Help

  // The thirteen values in the order of extras.txt.
  QStringList valuesInFileOrder() const;

  std::array<QLineEdit*, 13> Text{};  // Text1..Text13
  std::array<QLabel*, 10> Label{};    // Label1..Label10
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  CommonDialog* CommonDialog1 = nullptr;

 private:
  void Form_Load();
  QLineEdit* box(int number) const { return Text[number - 1]; }
  QLineEdit* boxOfLine(int fileLine) const;
  void closeAndShowMainWindow();
  void closeByEscape();
};
