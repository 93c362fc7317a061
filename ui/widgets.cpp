#include "ui/widgets.h"

#include "ui/text.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace ui {

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text,
                         const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    if (!tip.isEmpty()) b->setToolTip(tip);
    return b;
}

QPushButton* IconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& tip) {
    QPushButton* b = NamedButton(parent, name, QString(), tip);
    b->setIcon(parent->style()->standardIcon(icon));
    return b;
}

QToolButton* NamedToolButton(QWidget* parent, const QString& name, const QString& text,
                             const QString& tip, bool checkable) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setCheckable(checkable);
    return b;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    return e;
}

QLabel* Label(const QString& text, QWidget* parent, bool bold) {
    auto* l = new QLabel(text, parent);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QFormLayout* FieldRows(std::initializer_list<FieldRow> rows) {
    auto* form = new QFormLayout;
    for (const FieldRow& row : rows) form->addRow(row.label, row.field);
    return form;
}

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

QHBoxLayout* OkCancelRow(QDialog& dialog, std::function<void()> ok,
                         std::initializer_list<QWidget*> left) {
    auto* okBtn = NamedButton(&dialog, "OKBtn", "OK");
    okBtn->setDefault(true);
    auto* cancel = NamedButton(&dialog, "CancelBtn", "Cancel");
    QObject::connect(okBtn, &QPushButton::clicked, &dialog, std::move(ok));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return SpreadRow(left, {okBtn, cancel});
}

QHBoxLayout* SpreadRow(std::initializer_list<QWidget*> left,
                       std::initializer_list<QWidget*> right) {
    auto* row = new QHBoxLayout;
    for (QWidget* w : left) row->addWidget(w);
    row->addStretch();
    for (QWidget* w : right) row->addWidget(w);
    return row;
}

QHBoxLayout* CentredRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch();
    return row;
}

namespace {

template <class View>
void FitHeader(View* view, QHeaderView* header, int minimum) {
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(std::min(minimum, header->minimumSectionSize()));
    // The views hide their overrides; the base class shows them.
    const QAbstractItemView* asView = view;
    QAbstractItemModel* model = view->model();
    if (!model) return;
    for (int c = 0; c < model->columnCount(); ++c) {
        // Only ever wider, so that a column the user widened keeps its width.
        const int wanted =
            std::max({minimum, asView->sizeHintForColumn(c), header->sectionSizeHint(c)});
        if (header->sectionSize(c) < wanted) header->resizeSection(c, wanted);
    }
}

}  // namespace

void FitColumns(QTableView* view, int minimum) {
    view->setWordWrap(false);
    QHeaderView* rows = view->verticalHeader();
    rows->setDefaultSectionSize(
        std::max(rows->minimumSectionSize(), view->fontMetrics().height() + 6));
    FitHeader(view, view->horizontalHeader(), minimum);
}

void FitColumns(QTreeView* view, int minimum) {
    view->setWordWrap(false);
    FitHeader(view, view->header(), minimum);
}

namespace {

template <class View>
void KeepFitted(View* view, int minimum) {
    FitColumns(view, minimum);
    QAbstractItemModel* model = view->model();
    if (!model) return;
    // Many changes in a row fit the columns once, when the events settle.
    auto* timer = new QTimer(view);
    timer->setSingleShot(true);
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, view, [view, minimum] { FitColumns(view, minimum); });
    auto later = [timer] { timer->start(); };
    QObject::connect(model, &QAbstractItemModel::modelReset, timer, later);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, timer, later);
    QObject::connect(model, &QAbstractItemModel::dataChanged, timer, later);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, timer, later);
    QObject::connect(model, &QAbstractItemModel::headerDataChanged, timer, later);
}

}  // namespace

void KeepColumnsFitted(QTableView* view, int minimum) { KeepFitted(view, minimum); }
void KeepColumnsFitted(QTreeView* view, int minimum) { KeepFitted(view, minimum); }

void ShowAllRows(QTableView* view) {
    int height = 2 * view->frameWidth();
    if (!view->horizontalHeader()->isHidden())
        height += view->horizontalHeader()->sizeHint().height();
    for (int r = 0; r < view->model()->rowCount(); ++r) height += view->rowHeight(r);
    view->setMinimumHeight(height);
}

void GrowToContents(QWidget* window) {
    if (QLayout* layout = window->layout()) layout->activate();
    QSize wanted = window->sizeHint().expandedTo(window->size());
    if (const QScreen* screen = window->screen()) {
        const QSize room = screen->availableGeometry().size() * 9 / 10;
        wanted = wanted.boundedTo(room.expandedTo(window->size()));
    }
    if (wanted != window->size()) window->resize(wanted);
}

int TextWidth(const QWidget* widget, const QString& text) {
    // The frame and margins of a line edit or button around the text.
    return widget->fontMetrics().horizontalAdvance(text) + 2 * widget->fontMetrics().height();
}

std::string TextOf(const QLineEdit* edit) { return edit ? FromQ(edit->text()) : std::string(); }

std::string TextOf(const QComboBox* box) { return box ? FromQ(box->currentText()) : std::string(); }

}  // namespace ui
