#include "analyzer/screens/gridmodel.h"

#include "ui/text.h"

#include <QBrush>
#include <QMouseEvent>

namespace pellard {

GridModel::GridModel(Source source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)) {}

void GridModel::Reload() {
    beginResetModel();
    endResetModel();
}

void GridModel::Repaint() {
    const int rows = rowCount(), cols = columnCount();
    if (cols > 0) emit headerDataChanged(Qt::Horizontal, 0, cols - 1);
    if (rows > 0 && cols > 0)
        emit dataChanged(index(0, 0), index(rows - 1, cols - 1), {Qt::BackgroundRole});
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, source_.rowCount() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : source_.colCount();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return ui::ToQ(source_.cell(index.column(), index.row() + 1));
    if (role == Qt::BackgroundRole && source_.color) {
        const QColor c = source_.color(index.column(), index.row() + 1);
        if (c.isValid()) return QBrush(c);
    }
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) return ui::ToQ(source_.cell(section, 0));
    if (role == Qt::BackgroundRole && source_.color) {
        const QColor c = source_.color(section, 0);
        if (c.isValid()) return QBrush(c);
    }
    return {};
}

ColorBox::ColorBox(const QString& name, const QColor& color, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setFixedSize(36, 18);
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(tr("Click to choose a colour"));
    SetColor(color);
}

void ColorBox::SetColor(const QColor& color) {
    color_ = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void ColorBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QLabel::mousePressEvent(event);
}

}  // namespace pellard
