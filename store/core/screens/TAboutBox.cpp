#include "store/core/screens/TAboutBox.h"

#include "ui/widgets.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brenvik {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("About");
    auto* title = new QLabel("Merivale", this);
    title->setObjectName("ProductName");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel("Version " + QCoreApplication::applicationVersion(), this);
    version->setObjectName("Version");
    version->setAlignment(Qt::AlignCenter);
    auto* what = new QLabel(
        "Inventory, customers, point of sale and invoices\nfor the small retail store.", this);
    what->setAlignment(Qt::AlignCenter);
    auto* ok = ui::NamedButton(this, "OKButton", "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 16);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(8);
    layout->addWidget(what);
    layout->addSpacing(12);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}

}  // namespace brenvik
