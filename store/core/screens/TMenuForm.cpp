#include "store/core/screens/TMenuForm.h"

#include "store/core/screens/BackupForms.h"
#include "store/core/screens/TAboutBox.h"
#include "store/inventory/screens/TView.h"
#include "store/reports/screens/TQuickReportForm.h"
#include "store/sales/screens/TInvoiceHistoryForm.h"
#include "ui/helppage.h"
#include "ui/platform.h"
#include "ui/widgets.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <functional>
#include <map>

namespace brenvik {

namespace {

struct Node {
    const char* caption;
    std::vector<const char*> children;
};

const std::vector<Node>& MenuNodes() {
    static const std::vector<Node> nodes = {
        {"Inventory Control", {}},
        {"Customer List", {}},
        {"Point of Sale", {}},
        {"Invoice History", {}},
        {"Report", {"Inventory Report", "Customer Report"}},
        {"Import", {"Import Customers", "Import Inventory"}},
        {"Export", {"Export All Inventory", "Export Checked Inventory", "Export Invoice History"}},
        {"Setup", {"Set Next Invoice Number", "Set Invoice Font", "Backup", "Restore"}},
        {"Web Publish", {}},
        {"Help", {}},
    };
    return nodes;
}

}  // namespace

TMenuForm::TMenuForm(QWidget* parent) : QWidget(parent) {
    setObjectName("TMenuForm");
    setWindowTitle("Menu");
    resize(420, 520);

    auto* banner = new QLabel("Merivale", this);
    banner->setObjectName("Banner");
    QFont big = banner->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    banner->setFont(big);
    banner->setAlignment(Qt::AlignCenter);
    banner->setContentsMargins(0, 8, 0, 8);

    auto* prompt = new QLabel("Please double click to select function:", this);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("MenuTree");
    tree_->setHeaderHidden(true);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const Node& node : MenuNodes()) {
        auto* item = new QTreeWidgetItem(tree_, QStringList(node.caption));
        for (const char* child : node.children) new QTreeWidgetItem(item, QStringList(child));
    }
    tree_->collapseAll();
    // The first entry stands selected with the focus, so Enter works at
    // once without a click.
    tree_->setCurrentItem(tree_->topLevelItem(0));
    tree_->setFocus();
    // Activation is a double click or Enter on a node.
    connect(tree_, &QTreeWidget::itemActivated, this, [this] { MenuTreeDblClick(); });

    auto* exit = ui::NamedButton(this, "OKButton", "Exit");
    auto* about = ui::NamedButton(this, "BitBtn1", "About");
    connect(exit, &QPushButton::clicked, this, &TMenuForm::OKButtonClick);
    connect(about, &QPushButton::clicked, this, &TMenuForm::BitBtn1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addWidget(prompt);
    layout->addWidget(tree_, 1);
    layout->addLayout(ui::SpreadRow({about}, {exit}));
}

void TMenuForm::SetWindows(TView* view, TInvoiceHistoryForm* invoices) {
    view_ = view;
    invoices_ = invoices;
}

void TMenuForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TMenuForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Without a window manager the window may never become active; load
    // once the window is on screen in any case.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TMenuForm::FormActivate() {
    if (view_) view_->FormActivate();
    if (invoices_) invoices_->FormActivate();
}

bool TMenuForm::FormClose() {
    if (!saveOnClose_ || !view_ || !invoices_) return true;
    // Nothing was loaded, so nothing can have changed: writing now would
    // only replace the stored files with empty tables.
    if (!view_->Loaded() || !invoices_->Loaded()) return true;
    try {
        view_->GetStore().SaveAll();
    } catch (const std::exception& e) {
        ui::ShowError(e);
        return false;
    }
    return true;
}

void TMenuForm::CloseWithoutSaving() {
    saveOnClose_ = false;
    close();
}

void TMenuForm::closeEvent(QCloseEvent* event) {
    if (FormClose()) event->accept();
    else event->ignore();
}

void TMenuForm::MenuTreeDblClick() {
    for (QTreeWidgetItem* item : tree_->selectedItems()) InvokeFunction(item->text(0));
}

void TMenuForm::InvokeFunction(const QString& caption) {
    if (!view_ || !invoices_) return;
    TView& v = *view_;
    const std::map<QString, std::function<void()>> dispatch = {
        {"Inventory Control", [&] { ui::platform().ShowModal(v); }},
        {"Customer List", [&] { v.ViewList1Click(); }},
        {"Point of Sale", [&] { v.GenerateInvoiceClick(); }},
        {"Invoice History", [&] { ui::platform().ShowModal(*invoices_); }},
        {"Inventory Report", [&] { v.AnalyzeBtnClick(); }},
        {"Customer Report", [&] { CustomerReport(); }},
        {"Import Customers", [&] { v.ImportCustomers1Click(); }},
        {"Import Inventory", [&] { v.ImportInventoryItems1Click(); }},
        {"Export All Inventory", [&] { v.Export1Click(); }},
        {"Export Checked Inventory", [&] { v.ExportSelected1Click(); }},
        {"Export Invoice History", [&] { v.ExportBtnClick(); }},
        {"Set Next Invoice Number", [&] { v.SetNextInvoiceNumber1Click(); }},
        {"Set Invoice Font", [&] { v.SetInvoiceFont1Click(); }},
        {"Web Publish", [&] { InvokeWebPublish(); }},
        {"Help", [&] { InvokeHelp(); }},
        {"Backup", [&] { BackupMenuClick(v.GetStore().Folder(), [this] { return FormClose(); }); }},
        {"Restore",
         [&] {
             RestoreMenuClick(
                 v.GetStore().Folder(), [this] { return FormClose(); },
                 [this] { CloseWithoutSaving(); }, this);
         }},
    };
    auto it = dispatch.find(caption);
    if (it != dispatch.end()) ui::Guarded(it->second);
}

void TMenuForm::InvokeWebPublish() { ui::ShowWebPage(kWebPublishUrl); }

void TMenuForm::InvokeHelp() { ui::ShowHelpPage("merivale-help.html"); }

// The table report over the customers is opened here.
void TMenuForm::CustomerReport() { OpenCustomerReport(view_->GetStore(), this); }

void TMenuForm::OKButtonClick() { close(); }

void TMenuForm::BitBtn1Click() {
    TAboutBox about(this);
    ui::platform().ShowModal(about);
}

}  // namespace brenvik
