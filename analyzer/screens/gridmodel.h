#pragma once
// Table views of the analysis window: a read-only model over any table of
// texts (row 0 of the table is the header, rows 1.. the model's rows), with
// the cell colours worked out by the window; and the small clickable colour
// boxes that choose those colours.
#include <QAbstractTableModel>
#include <QColor>
#include <QLabel>

#include <functional>
#include <string_view>

namespace pellard {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Source {
        std::function<int()> rowCount;  // table rows, header included
        std::function<int()> colCount;
        std::function<std::string_view(int col, int row)> cell;
        std::function<QColor(int col, int row)> color;  // invalid: default
        std::function<bool()> utf8;                     // texts are UTF-8 (else the code page)
    };
    GridModel(Source source, QObject* parent);

    // The table changed shape or content: the view reads it again.
    void Reload();
    // Only the colours changed.
    void Repaint();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Black or white, whichever reads better on `background`.
    static QColor TextColorOn(const QColor& background);

private:
    QString Text(int col, int row) const;
    QVariant Colors(int col, int row, int role) const;

    Source source_;
};

// A box showing a colour; a click asks for a new one.
class ColorBox : public QLabel {
    Q_OBJECT
public:
    ColorBox(const QString& name, const QColor& color, QWidget* parent);
    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor color_;
};

}  // namespace pellard
