#include "store/customers/screens/buttonrow.h"

#include "store/inventory/screens/DialogParts.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace brenvik {

QHBoxLayout* ButtonRow(QWidget* parent, std::initializer_list<ButtonSpec> buttons) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    bool first = true;
    for (const ButtonSpec& spec : buttons) {
        QPushButton* b = NamedButton(parent, spec.name, spec.caption);
        b->setDefault(first);
        first = false;
        QObject::connect(b, &QPushButton::clicked, parent, spec.action);
        row->addWidget(b);
    }
    return row;
}

}  // namespace brenvik
