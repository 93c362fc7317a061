#pragma once
// Find on the View page: the platform's find dialog over the view's table.
// Each "Find Next" walks the view from the search position; a match becomes
// the table's current cell, an exhausted search says "<text> not found."
// and closes the dialog.
#include "analyzer/find.h"
#include "analyzer/logview.h"

#include <QObject>

class QTableView;

namespace ui {
struct FindOptions;
}

namespace pellard {

class ViewFinder : public QObject {
    Q_OBJECT
public:
    // `grid` shows `view` through a model whose row i is view row i + 1.
    ViewFinder(QTableView* grid, const LogView& view, QObject* parent);

    // "Find": opens the dialog; the search starts at the current cell.
    void FindItemShow();
    // One "Find Next"; false when the dialog is to close.
    bool FindItemFind(const ui::FindOptions& options);
    void FindItemClose();

    const ViewSearch& Search() const { return search_; }

private:
    QTableView* grid_;
    const LogView& view_;
    ViewSearch search_;
    FindOptions last_;
};

}  // namespace pellard
