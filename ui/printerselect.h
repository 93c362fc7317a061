#pragma once
// Printer and paper lists: the installed printers as Qt sees them (CUPS
// printers included) and the paper sizes of the chosen printer.
#include <QComboBox>
#include <QPageSize>
#include <QString>

#include <vector>

namespace ui {

// The installed printers, the default one first selected.
class PrinterComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PrinterComboBox(QWidget* parent = nullptr);
    void Refill();
    QString Printer() const;  // empty when there is none
signals:
    void PrinterChosen(const QString& name);
};

// The paper sizes of a printer; the standard sizes when it names none.
class PaperComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PaperComboBox(QWidget* parent = nullptr);
    void FillFor(const QString& printer, const QPageSize& current);
    QPageSize Paper() const;
    void SelectPaper(const QPageSize& size);
signals:
    void PaperChosen(const QPageSize& size);

private:
    std::vector<QPageSize> sizes_;
};

// The usual paper sizes, Letter first.
std::vector<QPageSize> StandardPaperSizes();

}  // namespace ui
