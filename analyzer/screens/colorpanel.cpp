#include "analyzer/screens/colorpanel.h"

#include "analyzer/screens/gridmodel.h"
#include "ui/platform.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace pellard {

ColorPanel::ColorPanel(const Names& names, bool stacked, QWidget* parent) : QWidget(parent) {
    const QColor window = QApplication::palette().color(QPalette::Base);
    header_ = new ColorBox(names.header, window, this);
    primary_ = new ColorBox(names.primary, window, this);
    other_ = new ColorBox(names.other, window, this);
    rows_ = new QRadioButton("Row", this);
    rows_->setObjectName(names.rows);
    columns_ = new QRadioButton("Column", this);
    columns_->setObjectName(names.columns);
    columns_->setChecked(true);
    const QString captions[] = {names.headerCaption, names.primaryCaption, names.otherCaption};
    ColorBox* boxes[] = {header_, primary_, other_};
    if (stacked) {
        auto* grid = new QGridLayout(this);
        grid->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < 3; ++i) {
            grid->addWidget(new QLabel(captions[i], this), i, 0);
            grid->addWidget(boxes[i], i, 1);
        }
        grid->addWidget(rows_, 3, 0);
        grid->addWidget(columns_, 3, 1);
    } else {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->addStretch(1);
        for (int i = 0; i < 3; ++i) {
            row->addWidget(new QLabel(captions[i], this));
            row->addWidget(boxes[i]);
        }
        row->addSpacing(12);
        row->addWidget(rows_);
        row->addWidget(columns_);
        row->addStretch(1);
    }
    for (ColorBox* box : boxes)
        connect(box, &ColorBox::clicked, this, [this, box] { ChooseColor(box); });
    connect(columns_, &QRadioButton::toggled, this, &ColorPanel::Changed);
}

QColor ColorPanel::Header() const { return header_->Color(); }
QColor ColorPanel::Band(int band) const {
    return band % 2 == 0 ? primary_->Color() : other_->Color();
}
int ColorPanel::BandOf(int col, int row) const { return ByColumns() ? col : row; }
bool ColorPanel::ByColumns() const { return columns_->isChecked(); }

void ColorPanel::SetByColumns(bool columns) { (columns ? columns_ : rows_)->setChecked(true); }

void ColorPanel::ChooseColor(ColorBox* box) {
    if (auto chosen = ui::platform().ChooseColor(box->Color())) box->SetColor(*chosen);
    emit Changed();
}

}  // namespace pellard
