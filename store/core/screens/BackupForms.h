#pragma once
// The main menu's "Backup" and "Restore", and the start-up backup.
#include "store/core/backup.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QTreeWidget;

namespace brenvik {

// The list of backups (date, items, customers, invoices), newest first, to
// choose the one to restore.
class TRestoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TRestoreForm(std::vector<BackupInfo> backups, QWidget* parent = nullptr);

    QTreeWidget* BackupList() const { return list_; }
    // The backup chosen when the form was accepted, or null.
    const BackupInfo* Chosen() const;
    // Accepts a backup that can be read; says why otherwise.
    void OKBtnClick();

private:
    std::vector<BackupInfo> backups_;
    QTreeWidget* list_ = nullptr;
};

// At start, before anything is written: the day's backup when there is none
// yet. A failure is shown and the start goes on.
void StartupBackup(const std::string& folder);

// What the main menu lends: its save of the whole store (false when a file
// could not be written; the error is shown) and its ending without that save.
using SaveStore = std::function<bool()>;
using EndWithoutSaving = std::function<void()>;

// "Backup": saves what the windows hold, writes a backup now and says where.
void BackupMenuClick(const std::string& folder, const SaveStore& save);
// "Restore": the list of backups, a confirmation, the store saved and kept in
// a backup, the chosen files restored; then the program starts again on them
// and this one ends without its exit save.
void RestoreMenuClick(const std::string& folder, const SaveStore& save, const EndWithoutSaving& end,
                      QWidget* parent);

}  // namespace brenvik
