#include "store/core/screens/BackupForms.h"

#include "ui/platform.h"
#include "ui/text.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace brenvik {

namespace {

QString Count(int n) { return n < 0 ? QString("?") : QString::number(n); }

QString Amount(int n, const QString& word) { return Count(n) + " " + word + (n == 1 ? "" : "s"); }

QString Describe(const BackupInfo& b) {
    return QString::fromStdString(b.when) + " (" + Amount(b.items, "item") + ", " +
           Amount(b.customers, "customer") + ", " + Amount(b.invoices, "invoice") + ")";
}

}  // namespace

TRestoreForm::TRestoreForm(std::vector<BackupInfo> backups, QWidget* parent)
    : QDialog(parent), backups_(std::move(backups)) {
    setObjectName("TRestoreForm");
    setWindowTitle("Restore");
    resize(640, 420);
    auto* prompt = new QLabel("Choose the backup to restore:", this);
    list_ = new QTreeWidget(this);
    list_->setObjectName("BackupList");
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({"Date", "Items", "Customers", "Invoices", "Backup"});
    for (const BackupInfo& b : backups_) {
        QString note = b.beforeRestore ? "before a restore" : "";
        if (!b.problem.empty()) note = "damaged";
        auto* row = new QTreeWidgetItem(
            list_,
            {QString::fromStdString(b.when), Count(b.items), Count(b.customers), Count(b.invoices),
             note.isEmpty() ? QString::fromStdString(b.name)
                            : QString::fromStdString(b.name) + " (" + note + ")"});
        for (int col = 1; col <= 3; ++col) row->setTextAlignment(col, Qt::AlignRight);
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemActivated, this, [this] { OKBtnClick(); });

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton("Restore...", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    auto* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &TRestoreForm::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(list_, 1);
    layout->addWidget(buttons);
}

const BackupInfo* TRestoreForm::Chosen() const {
    if (result() != QDialog::Accepted) return nullptr;
    int row = list_->indexOfTopLevelItem(list_->currentItem());
    return row < 0 ? nullptr : &backups_[static_cast<std::size_t>(row)];
}

void TRestoreForm::OKBtnClick() {
    int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0) return;
    const BackupInfo& b = backups_[static_cast<std::size_t>(row)];
    if (!b.problem.empty()) {
        ui::platform().ShowMessage(MsgKind::Error,
                                   ui::ToQ(b.problem) + "\nThis backup cannot be restored.",
                                   MsgButtons::Ok);
        return;
    }
    accept();
}

void StartupBackup(const std::string& folder) {
    try {
        EnsureDailyBackup(folder, BackupTimeNow());
    } catch (const std::exception& e) {
        ui::platform().ShowMessage(
            MsgKind::Error,
            ui::ToQ(e.what()) +
                "\nToday's backup of the store could not be made. The store "
                "starts anyway; use Backup in the menu once the cause is mended.",
            MsgButtons::Ok);
    }
}

void BackupMenuClick(const std::string& folder, const SaveStore& save) {
    // The backup is of the store as the windows hold it; the exit save shows
    // its own error when it fails.
    if (!save()) return;
    const std::string path = WriteBackup(folder, BackupName(BackupKind::Manual, BackupTimeNow()));
    ui::platform().ShowMessage(MsgKind::Information,
                               "The backup of the store was written to\n" + ui::PathToQ(path),
                               MsgButtons::Ok);
}

void RestoreMenuClick(const std::string& folder, const SaveStore& save, const EndWithoutSaving& end,
                      QWidget* parent) {
    ui::Platform& p = ui::platform();
    std::vector<BackupInfo> backups = ListBackups(folder);
    if (backups.empty()) {
        p.ShowMessage(MsgKind::Information,
                      "There are no backups in " + ui::PathToQ(BackupFolder(folder)) + " yet.",
                      MsgButtons::Ok);
        return;
    }
    TRestoreForm form(std::move(backups), parent);
    if (p.ShowModal(form) != QDialog::Accepted || !form.Chosen()) return;
    const BackupInfo chosen = *form.Chosen();
    if (p.ShowMessage(MsgKind::Confirmation,
                      "Restore the backup of " + Describe(chosen) +
                          "?\n\nThe store's files as they are now are kept in a backup first. "
                          "The store then starts again on the restored files.",
                      MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    if (!save()) return;  // what the windows hold would be lost
    const std::string before = RestoreBackup(folder, chosen.path, BackupTimeNow());
    p.ShowMessage(
        MsgKind::Information,
        "The backup of " + QString::fromStdString(chosen.when) + " was restored." +
            (before.empty() ? QString()
                            : "\nThe files as they were are kept in\n" + ui::PathToQ(before)) +
            "\n\nThe store starts again now.",
        MsgButtons::Ok);
    if (!p.StartProgram(QCoreApplication::applicationFilePath(), {}, QDir::currentPath()))
        p.ShowMessage(MsgKind::Information, "Start the store again to work on the restored files.",
                      MsgButtons::Ok);
    end();
}

}  // namespace brenvik
