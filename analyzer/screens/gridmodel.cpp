#include "analyzer/screens/gridmodel.h"

#include "ui/text.h"

#include <QBrush>
#include <QMouseEvent>

#include <cmath>

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
        emit dataChanged(index(0, 0), index(rows - 1, cols - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, source_.rowCount() - 1);
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : source_.colCount();
}

QString GridModel::Text(int col, int row) const {
    const std::string_view text = source_.cell(col, row);
    if (source_.utf8 && source_.utf8())
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return ui::ToQ(text);
}

namespace {
double Luminance(const QColor& c) {
    auto channel = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
}  // namespace

QColor GridModel::TextColorOn(const QColor& background) {
    const double l = Luminance(background);
    // Contrast ratios against black and against white.
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? QColor(Qt::black) : QColor(Qt::white);
}

QVariant GridModel::Colors(int col, int row, int role) const {
    if ((role != Qt::BackgroundRole && role != Qt::ForegroundRole) || !source_.color) return {};
    const QColor c = source_.color(col, row);
    if (!c.isValid()) return {};
    if (role == Qt::BackgroundRole) return QBrush(c);
    return QBrush(TextColorOn(c));
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::DisplayRole) return Text(index.column(), index.row() + 1);
    return Colors(index.column(), index.row() + 1, role);
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) return Text(section, 0);
    return Colors(section, 0, role);
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
