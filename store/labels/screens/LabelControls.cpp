#include "store/labels/screens/LabelControls.h"

#include "store/labels/screens/labelpages.h"
#include "ui/previewwidget.h"
#include "ui/printerselect.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QComboBox>
#include <QCursor>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace brenvik {

// ---------------------------------------------------------------- content

LabelContentBox::LabelContentBox(const QString& title, bool uniqueTags, QWidget* parent)
    : QGroupBox(title, parent), uniqueTags_(uniqueTags) {
    list_ = new QListWidget(this);
    list_->setObjectName("Fields");
    QPushButton* add = ui::NamedButton(this, "AddBtn", tr("Add"));
    remove_ = ui::NamedButton(this, "RemoveBtn", tr("Remove"));
    QPushButton* up = ui::NamedButton(this, "MoveUpBtn", tr("Move Up"));
    QPushButton* down = ui::NamedButton(this, "MoveDownBtn", tr("Move Down"));
    remove_->setEnabled(false);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, remove_, up, down}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    auto guarded = [this](void (LabelContentBox::*handler)()) {
        return [this, handler] { ui::Guarded([&] { (this->*handler)(); }); };
    };
    connect(add, &QPushButton::clicked, this, guarded(&LabelContentBox::AddBtnClick));
    connect(remove_, &QPushButton::clicked, this, guarded(&LabelContentBox::RemoveBtnClick));
    connect(up, &QPushButton::clicked, this, guarded(&LabelContentBox::MoveUpBtnClick));
    connect(down, &QPushButton::clicked, this, guarded(&LabelContentBox::MoveDownBtnClick));
}

bool LabelContentBox::InList(std::int32_t tag) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [tag](const LabelEntry& e) { return e.tag == tag; });
}

std::vector<ui::MenuEntry> LabelContentBox::MenuItems() const {
    std::vector<ui::MenuEntry> items;
    for (const LabelEntry& e : menu_)
        items.push_back({ui::ToQ(e.caption), !uniqueTags_ || !InList(e.tag)});
    return items;
}

void LabelContentBox::SetEntries(const std::vector<LabelEntry>& entries) {
    entries_.clear();
    for (const LabelEntry& e : entries)
        if (!uniqueTags_ || !InList(e.tag)) entries_.push_back(e);
    Show(entries_.empty() ? -1 : 0);
    emit Changed();
}

void LabelContentBox::Show(int current) {
    list_->clear();
    for (const LabelEntry& e : entries_) list_->addItem(ui::ToQ(e.caption));
    if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
    remove_->setEnabled(!entries_.empty());
}

void LabelContentBox::AddBtnClick() {
    OnItemClick(ui::platform().PopupMenu(QCursor::pos(), MenuItems()));
}

void LabelContentBox::OnItemClick(int menuIndex) {
    if (menuIndex < 0 || menuIndex >= int(menu_.size())) return;
    const LabelEntry& e = menu_[std::size_t(menuIndex)];
    if (uniqueTags_ && InList(e.tag)) return;
    entries_.push_back(e);
    Show(int(entries_.size()) - 1);
    emit Changed();
}

void LabelContentBox::RemoveBtnClick() {
    const int at = list_->currentRow();
    if (at < 0 || at >= int(entries_.size())) return;
    entries_.erase(entries_.begin() + at);
    Show(std::min(at, int(entries_.size()) - 1));
    emit Changed();
}

void LabelContentBox::Move(int by) {
    const int at = list_->currentRow();
    const int to = at + by;
    if (at < 0 || to < 0 || to >= int(entries_.size())) return;
    std::swap(entries_[std::size_t(at)], entries_[std::size_t(to)]);
    Show(to);
    emit Changed();
}

void LabelContentBox::MoveUpBtnClick() { Move(-1); }
void LabelContentBox::MoveDownBtnClick() { Move(1); }

// ---------------------------------------------------------------- font

namespace {

const char* const SystemFont = "System";

QList<int> SizesFor(const QString& name) {
    const QString family = name == SystemFont ? QGuiApplication::font().family() : name;
    QList<int> sizes = QFontDatabase::pointSizes(family);
    if (sizes.isEmpty()) sizes = QFontDatabase::standardSizes();
    return sizes;
}

}  // namespace

LabelFontBox::LabelFontBox(QWidget* parent) : QWidget(parent) {
    font_ = new QComboBox(this);
    font_->setObjectName("FontBox");
    font_->addItem(SystemFont);
    font_->addItems(QFontDatabase::families());
    size_ = new QComboBox(this);
    size_->setObjectName("FontSize");
    size_->setEditable(true);
    colorBtn_ = ui::NamedButton(this, "FontColor", tr("Choose..."));
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(tr("Font Type"), font_);
    form->addRow(tr("Font Size"), size_);
    form->addRow(tr("Font Color"), colorBtn_);
    RefillSizes();
    size_->setCurrentIndex(0);
    SetColor(Qt::black);
    connect(font_, &QComboBox::currentIndexChanged, this,
            [this] { ui::Guarded([this] { FontBoxChange(); }); });
    connect(size_, &QComboBox::currentTextChanged, this,
            [this] { ui::Guarded([this] { FontSizeChange(); }); });
    connect(colorBtn_, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { FontColorChange(); }); });
}

std::string LabelFontBox::FontName() const { return ui::FromQ(font_->currentText()); }
std::string LabelFontBox::SizeText() const { return ui::FromQ(size_->currentText()); }
QFont LabelFontBox::Font() const { return LabelFont(FontName(), SizeText()); }

void LabelFontBox::RefillSizes() {
    const QString keep = size_->currentText();
    const QSignalBlocker block(size_);
    size_->clear();
    for (int s : SizesFor(font_->currentText())) size_->addItem(QString::number(s));
    // A size the font does not offer gives way to its first size.
    const int at = size_->findText(keep);
    size_->setCurrentIndex(at >= 0 ? at : 0);
}

void LabelFontBox::SetColor(const QColor& color) {
    color_ = color;
    QPixmap swatch(16, 16);
    swatch.fill(color);
    colorBtn_->setIcon(QIcon(swatch));
}

void LabelFontBox::SetFont(const std::string& name, const std::string& sizeText,
                           const QColor& color) {
    quiet_ = true;
    {
        const QSignalBlocker block(font_);
        const QString qname = ui::ToQ(name);
        int at = font_->findText(qname, Qt::MatchFixedString);
        if (at < 0) {
            // A font of another computer: kept by name, drawn with a substitute.
            font_->addItem(qname);
            at = font_->count() - 1;
        }
        font_->setCurrentIndex(at);
    }
    RefillSizes();
    size_->setCurrentText(ui::ToQ(sizeText));
    SetColor(color);
    quiet_ = false;
    emit Changed();
}

void LabelFontBox::FontBoxChange() {
    RefillSizes();
    if (!quiet_) emit Changed();
}

void LabelFontBox::FontSizeChange() {
    if (!quiet_) emit Changed();
}

void LabelFontBox::FontColorChange() {
    if (auto c = ui::platform().ChooseColor(color_)) {
        SetColor(*c);
        emit Changed();
    }
}

// ---------------------------------------------------------------- preview

LabelPreviewPage::LabelPreviewPage(QWidget* parent) : QWidget(parent) {
    preview_ = new ui::PreviewWidget(this);
    preview_->setObjectName("PreviewPages");
    printers_ = new ui::PrinterComboBox(this);
    printers_->setObjectName("PrinterBox");
    papers_ = new ui::PaperComboBox(this);
    papers_->setObjectName("PaperBox");
    pageNumber_ = new QLabel(this);
    pageNumber_->setObjectName("PageNumber");
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Printer"), this), 0, 0);
    grid->addWidget(printers_, 0, 1);
    grid->addWidget(new QLabel(tr("Paper"), this), 0, 2);
    grid->addWidget(papers_, 0, 3);
    grid->addWidget(pageNumber_, 0, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->addWidget(preview_, 1, 0, 1, 5);

    if (!printers_->Printer().isEmpty()) printer_.setPrinterName(printers_->Printer());
    papers_->FillFor(printers_->Printer(), QPageSize(QPageSize::A4));
    connect(printers_, &ui::PrinterComboBox::PrinterChosen, this, [this](const QString& name) {
        printer_.setPrinterName(name);
        papers_->FillFor(name, preview_->Document().Setup().paper);
        emit PrinterChanged();
    });
    connect(papers_, &ui::PaperComboBox::PaperChosen, this, [this] { emit PrinterChanged(); });
    // The preview's own page buttons change the page shown.
    for (QToolButton* b : preview_->findChildren<QToolButton*>())
        connect(b, &QToolButton::clicked, this, [this] { UpdatePageNumber(); });
}

void LabelPreviewPage::Show(const LabelRun& run) {
    preview_->SetComposer([run](ui::PageDocument& doc) { ComposeLabelPages(doc, run); });
    UpdatePageNumber();
}

void LabelPreviewPage::UpdatePageNumber() {
    const int count = preview_->Document().PageCount();
    pageNumber_->setText(tr("%1 of %2").arg(count ? preview_->CurrentPage() + 1 : 0).arg(count));
}

void LabelPreviewPage::Print(const QString& jobName) {
    const int count = preview_->Document().PageCount();
    if (count == 0) return;
    printer_.setFromTo(1, count);
    if (!ui::platform().PrintDialog(printer_)) return;
    ui::PrintDocument(printer_, preview_->Document(), jobName);
}

bool LabelPreviewPage::PrinterSetup() { return ui::platform().PrinterSetup(printer_); }

}  // namespace brenvik
