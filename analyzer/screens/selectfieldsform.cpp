#include "analyzer/screens/selectfieldsform.h"

#include "analyzer/screens/fieldlist.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellard {

TSelectFieldsForm::TSelectFieldsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("SelectFieldsForm");
    setWindowTitle("Select Fields");
    SelectFields = new QListWidget(this);
    SelectFields->setObjectName("SelectFields");
    SelectFields->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* up = new QPushButton("Move Up", this);
    up->setObjectName("RMoveUpBtn");
    auto* down = new QPushButton("Move Down", this);
    down->setObjectName("RMoveDownBtn");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKValueBtn");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelBtn");

    auto* side = new QVBoxLayout;
    side->addWidget(up);
    side->addWidget(down);
    side->addStretch(1);
    side->addWidget(ok);
    side->addWidget(cancel);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(SelectFields, 1);
    layout->addLayout(side);
    resize(320, 300);

    connect(up, &QPushButton::clicked, this, [this] { MoveFieldListEntry(*SelectFields, true); });
    connect(down, &QPushButton::clicked, this,
            [this] { MoveFieldListEntry(*SelectFields, false); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TSelectFieldsForm::SetFields(const std::vector<FieldEntry>& fields) {
    FillFieldList(*SelectFields, fields);
}

std::vector<FieldEntry> TSelectFieldsForm::Fields() const { return ReadFieldList(*SelectFields); }

}  // namespace pellard
