#pragma once
// An editable drop-down list whose list opens as wide as its longest entry
// (the box itself keeps its designed width, so "10:30A.M." and "12:30A.M."
// never look alike in a narrow box), highlighting the entry the box shows,
// or from its top when the box shows none of them.
#include <QComboBox>

// Without a meta-object of its own, it is the catalogue's ComboBox to
// everything that asks for its class.
class ChoiceList : public QComboBox {
 public:
  explicit ChoiceList(QWidget* parent = nullptr);
  void showPopup() override;

  // The width the open list needs for its longest entry, in pixels.
  int listWidthNeeded() const;
};
