#include "analyzer/screens/finditem.h"

#include "ui/platform.h"
#include "ui/text.h"

#include <QPointer>
#include <QTableView>

namespace pellard {

ViewFinder::ViewFinder(QTableView* grid, const LogView& view, QObject* parent)
    : QObject(parent), grid_(grid), view_(view) {}

void ViewFinder::FindItemShow() {
    const QModelIndex current = grid_->currentIndex();
    const int col = current.isValid() ? current.column() : 0;
    const int row = current.isValid() ? current.row() + 1 : 0;
    if (auto moveTo = search_.Start(col, row); moveTo && view_.DataRowCount() >= *moveTo)
        grid_->setCurrentIndex(grid_->model()->index(*moveTo - 1, col));

    ui::FindOptions initial;
    initial.text = ui::ToQ(last_.text);
    initial.down = last_.down;
    initial.wholeWord = last_.wholeWord;
    initial.matchCase = last_.matchCase;
    // The dialog may outlive the window it searches.
    QPointer<ViewFinder> self(this);
    ui::platform().ShowFind(
        initial, [self](const ui::FindOptions& o) { return self && self->FindItemFind(o); },
        [self] {
            if (self) self->FindItemClose();
        });
}

bool ViewFinder::FindItemFind(const ui::FindOptions& options) {
    last_.text = ui::FromQ(options.text);
    last_.down = options.down;
    last_.wholeWord = options.wholeWord;
    last_.matchCase = options.matchCase;
    auto match = search_.Next(last_, view_.ColCount(), view_.DataRowCount(),
                              [this](int c, int r) { return view_.Cell(c, r); });
    if (match) {
        const QModelIndex at = grid_->model()->index(match->row - 1, match->col);
        grid_->setCurrentIndex(at);
        grid_->scrollTo(at);
        return true;
    }
    ui::platform().ShowMessage(brenvik::MsgKind::Information, options.text + " not found.",
                               brenvik::MsgButtons::Ok);
    return false;
}

void ViewFinder::FindItemClose() {
    search_.Close();
    grid_->viewport()->update();
}

}  // namespace pellard
