// Placeholder: the database layer replaces this with the working control.
#include "platform/DataControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

struct DataControl::Impl {
  QLabel* caption = nullptr;
};

DataControl::DataControl(const QString& name, QWidget* parent)
    : QWidget(parent), d_(std::make_unique<Impl>()) {
  setObjectName(name);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  auto button = [&](const char* t) {
    auto* b = new QToolButton(this);
    b->setText(t);
    row->addWidget(b);
  };
  button("|<");
  button("<");
  d_->caption = new QLabel(name, this);
  row->addWidget(d_->caption, 1);
  button(">");
  button(">|");
}
DataControl::~DataControl() = default;
void DataControl::setCaption(const QString& c) { d_->caption->setText(c); }
QString DataControl::caption() const { return d_->caption->text(); }
void DataControl::Refresh() { throw DbError("not built yet"); }
void DataControl::reopenEmployees() {
  setDatabaseName("Employee.MDB");
  setRecordSource("Employees");
  Refresh();
}
void DataControl::closeRecordset() {}
RecordSet& DataControl::Recordset() { throw DbError("not built yet"); }
bool DataControl::isOpen() const { return false; }
void DataControl::bind(QWidget* control, const QString& field) { control->setProperty("DataField", field); }
QList<QWidget*> DataControl::boundControls() const { return {}; }
void DataControl::MoveFirst() {}
void DataControl::MovePrevious() {}
void DataControl::MoveNext() {}
void DataControl::MoveLast() {}
void DataControl::AddNew() {}
void DataControl::UpdateRecord() {}
void DataControl::showCurrent() {}
