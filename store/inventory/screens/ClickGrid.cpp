#include "store/inventory/screens/ClickGrid.h"

#include "ui/text.h"
#include "ui/widgets.h"

#include <QHeaderView>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

namespace brenvik {

namespace {
constexpr int kCaptionWidth = 170;
}

ClickGrid::ClickGrid(QWidget* parent) : QTableWidget(parent) {
    setColumnCount(2);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setStretchLastSection(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setWordWrap(false);
    setColumnWidth(0, kCaptionWidth);
}

QSize ClickGrid::sizeHint() const {
    // Every row shows, and values have room beside their captions.
    int height = 2 * frameWidth();
    for (int r = 0; r < rowCount(); ++r) height += rowHeight(r);
    const int width = 2 * frameWidth() + columnWidth(0) + std::max(200, sizeHintForColumn(1));
    return {width, height};
}

void ClickGrid::Fill(const std::vector<std::string>& captions,
                     const std::vector<std::string>& values, const std::vector<bool>& editable) {
    setRowCount(static_cast<int>(captions.size()));
    for (int r = 0; r < rowCount(); ++r) {
        auto* name = new QTableWidgetItem(ui::ToQ(captions[static_cast<std::size_t>(r)]));
        name->setFlags(Qt::ItemIsEnabled);
        name->setBackground(palette().button());
        setItem(r, 0, name);
        auto* value = new QTableWidgetItem(r < static_cast<int>(values.size())
                                               ? ui::ToQ(values[static_cast<std::size_t>(r)])
                                               : QString());
        bool canEdit =
            r < static_cast<int>(editable.size()) && editable[static_cast<std::size_t>(r)];
        value->setFlags(canEdit ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        setItem(r, 1, value);
    }
    // The caption width is a minimum: longer captions widen the column.
    resizeColumnToContents(0);
    setColumnWidth(0, std::max(columnWidth(0), kCaptionWidth));
    updateGeometry();
    // The dialog's size is a minimum too: it grows until the last row shows.
    if (!isWindow()) ui::GrowToContents(window());
}

std::string ClickGrid::Value(int row) const {
    const QTableWidgetItem* it = item(row, 1);
    return it ? ui::FromQ(it->text()) : std::string();
}

void ClickGrid::SetValue(int row, const std::string& value) {
    if (QTableWidgetItem* it = item(row, 1)) it->setText(ui::ToQ(value));
}

std::vector<std::string> ClickGrid::Values() const {
    std::vector<std::string> values;
    for (int r = 0; r < rowCount(); ++r) values.push_back(Value(r));
    return values;
}

int ClickGrid::RowOf(const std::string& caption) const {
    const QString wanted = ui::ToQ(caption);
    int found = -1;
    for (int r = 0; r < rowCount(); ++r)
        if (item(r, 0) && item(r, 0)->text().compare(wanted, Qt::CaseInsensitive) == 0) found = r;
    return found;
}

void ClickGrid::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || state() == EditingState || (event->modifiers() & ~Qt::KeypadModifier)) {
        QTableWidget::keyPressEvent(event);
        return;
    }
    // Enter walks down the rows instead of reaching the dialog's OK with
    // the item half filled; after the last row it moves on to OK, where
    // the next Enter saves.
    if (currentRow() + 1 < rowCount()) {
        setCurrentCell(currentRow() + 1, 1);
    } else if (QWidget* dialog = window()) {
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->isDefault() && b->isEnabled()) b->setFocus(Qt::TabFocusReason);
    }
    event->accept();
}

void ClickGrid::mousePressEvent(QMouseEvent* event) {
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        emit MouseDown(index.row(), event->button(), event->globalPosition().toPoint());
}

}  // namespace brenvik
