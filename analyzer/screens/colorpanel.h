#pragma once
// The colours of one table of the analysis window: header, primary and
// other band colours in clickable boxes, and banding by rows or columns.
// Each page with a table has one.
#include <QColor>
#include <QWidget>

class QRadioButton;

namespace pellard {

class ColorBox;

class ColorPanel : public QWidget {
    Q_OBJECT
public:
    // Object names and captions of the three boxes and the two buttons.
    struct Names {
        const char* header;
        const char* primary;
        const char* other;
        const char* rows;
        const char* columns;
        QString headerCaption = "Header";
        QString primaryCaption = "Primary";
        QString otherCaption = "Other";
    };
    // `stacked`: the boxes one under another (beside a table) rather than
    // in a row (under it).
    ColorPanel(const Names& names, bool stacked, QWidget* parent);

    QColor Header() const;
    // The colour of band `band`: primary when even, other when odd.
    QColor Band(int band) const;
    // The band of a cell: its column when banding by columns, else its row.
    int BandOf(int col, int row) const;
    bool ByColumns() const;
    void SetByColumns(bool columns);

    // Asks for a new colour for one of the boxes (the preset one stays
    // when the dialog is cancelled), then tells that the colours changed.
    void ChooseColor(ColorBox* box);

signals:
    void Changed();

private:
    ColorBox* header_;
    ColorBox* primary_;
    ColorBox* other_;
    QRadioButton* rows_;
    QRadioButton* columns_;
};

}  // namespace pellard
