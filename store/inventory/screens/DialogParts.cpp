#include "store/inventory/screens/DialogParts.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace brenvik {

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QHBoxLayout* OkCancelRow(QDialog& dialog, std::function<void()> ok,
                         std::initializer_list<QWidget*> left) {
    auto* okBtn = NamedButton(&dialog, "OKBtn", "OK");
    okBtn->setDefault(true);
    auto* cancel = NamedButton(&dialog, "CancelBtn", "Cancel");
    QObject::connect(okBtn, &QPushButton::clicked, &dialog, std::move(ok));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    for (QWidget* w : left) row->addWidget(w);
    row->addStretch();
    row->addWidget(okBtn);
    row->addWidget(cancel);
    return row;
}

}  // namespace brenvik
