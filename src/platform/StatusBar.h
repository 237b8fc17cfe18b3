#pragma once
// The status bar of the old common controls: numbered panels. Panels of kind
// Time and Date keep themselves up to date; Text panels show what they are told.
#include <QStatusBar>
#include <QVector>

class QLabel;
class QTimer;

class StatusBar : public QStatusBar {
  Q_OBJECT
 public:
  enum class Panel { Text, Time, Date };
  explicit StatusBar(const QString& name, QWidget* parent = nullptr);

  void addPanel(Panel kind, int minimumWidthTwips = 1200, int stretch = 0);
  int panelCount() const { return panels_.size(); }
  // Panels are numbered from 1, as the old control numbered them.
  QString panelText(int index) const;
  void setPanelText(int index, const QString& text);
  void refreshClockPanels();

 private:
  struct Entry {
    Panel kind;
    QLabel* label;
  };
  QVector<Entry> panels_;
  QTimer* timer_ = nullptr;
};
