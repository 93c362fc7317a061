#include "ui/printerselect.h"

#include <QPrinterInfo>

namespace ui {

PrinterComboBox::PrinterComboBox(QWidget* parent) : QComboBox(parent) {
    Refill();
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int) { emit PrinterChosen(Printer()); });
}

void PrinterComboBox::Refill() {
    const QSignalBlocker block(this);
    clear();
    const QString def = QPrinterInfo::defaultPrinterName();
    addItems(QPrinterInfo::availablePrinterNames());
    const int at = findText(def);
    if (at >= 0) setCurrentIndex(at);
}

QString PrinterComboBox::Printer() const { return currentText(); }

std::vector<QPageSize> StandardPaperSizes() {
    return {QPageSize(QPageSize::Letter),    QPageSize(QPageSize::Legal),
            QPageSize(QPageSize::A4),        QPageSize(QPageSize::A5),
            QPageSize(QPageSize::Executive), QPageSize(QPageSize::B5),
            QPageSize(QPageSize::Tabloid),   QPageSize(QPageSize::Envelope10)};
}

PaperComboBox::PaperComboBox(QWidget* parent) : QComboBox(parent) {
    FillFor({}, QPageSize(QPageSize::Letter));
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int) { emit PaperChosen(Paper()); });
}

void PaperComboBox::FillFor(const QString& printer, const QPageSize& current) {
    const QSignalBlocker block(this);
    clear();
    sizes_.clear();
    if (!printer.isEmpty()) {
        for (const QPageSize& s : QPrinterInfo::printerInfo(printer).supportedPageSizes())
            if (s.isValid()) sizes_.push_back(s);
    }
    if (sizes_.empty()) sizes_ = StandardPaperSizes();
    for (const QPageSize& s : sizes_) addItem(s.name());
    SelectPaper(current);
}

QPageSize PaperComboBox::Paper() const {
    const int i = currentIndex();
    return i >= 0 && i < int(sizes_.size()) ? sizes_[std::size_t(i)] : QPageSize(QPageSize::Letter);
}

void PaperComboBox::SelectPaper(const QPageSize& size) {
    for (std::size_t i = 0; i < sizes_.size(); ++i)
        if (sizes_[i].isEquivalentTo(size) || sizes_[i].id() == size.id()) {
            const QSignalBlocker block(this);
            setCurrentIndex(int(i));
            return;
        }
}

}  // namespace ui
