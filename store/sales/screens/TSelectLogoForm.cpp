#include "store/sales/screens/TSelectLogoForm.h"

#include "ui/fontconv.h"
#include "ui/pictureloader.h"
#include "ui/platform.h"
#include "ui/richtext.h"
#include "ui/text.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace brenvik {

using namespace brenvik;

bool ChooseInvoiceFont(FontRecord& font) {
    const auto chosen = ui::platform().ChooseFont(ui::ToQFont(font));
    if (!chosen) return false;
    // The font dialog chooses no colour: the stored one (often the system's
    // window text colour) stays exactly as it was.
    const std::int32_t color = font.color;
    font = ui::FromQFont(*chosen, QColor(), font);
    font.color = color;
    return true;
}

namespace {

const struct {
    const char* name;
    QRgb rgb;
} Colours[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},     {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},  {"White", 0xFFFFFF}};

QList<int> SizesFor(const QString& family) {
    QList<int> sizes = QFontDatabase::pointSizes(family);
    if (sizes.isEmpty()) sizes = QFontDatabase::standardSizes();
    return sizes;
}

}  // namespace

TSelectLogoForm::TSelectLogoForm(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), font_(settings.font), logoAtOpen_(settings.logo) {
    setObjectName("SelectLogoForm");
    setWindowTitle(tr("Invoice Setup"));
    auto* layout = new QVBoxLayout(this);
    book_ = new QTabWidget(this);
    book_->setObjectName("SetupBook");
    book_->addTab(BuildLogoPage(), tr("Header Logo"));
    book_->addTab(
        BuildTextPage(header_, "", "HeaderText", "BitBtn1", tr("Copy "), "BitBtn2", tr("Paste")),
        tr("Header Text"));
    book_->addTab(
        BuildTextPage(footer_, "2", "FooterText", "BitBtn3", tr("Copy "), "BitBtn4", tr("Paste  ")),
        tr("Footer Text"));
    layout->addWidget(book_, 1);

    auto* row = new QHBoxLayout;
    auto* fontBtn = ui::NamedButton(this, "InvoiceFont", tr("Invoice Font"));
    auto* save = ui::NamedButton(this, "SaveChangesBtn", tr("Save and Close"));
    auto* cancel = ui::NamedButton(this, "CancelChangesBtn", tr("Cancel"));
    row->addWidget(fontBtn);
    row->addStretch();
    row->addWidget(save);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(fontBtn, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { InvoiceFontClick(); }); });
    connect(save, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { SaveChangesBtnClick(); }); });
    connect(cancel, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { CancelChangesBtnClick(); }); });

    ui::LoadRichEdit(*header_.edit, settings_.header);
    ui::LoadRichEdit(*footer_.edit, settings_.footer);
    for (TextPage* page : {&header_, &footer_}) FillSizes(*page, false);

    const QString path = ui::PathToQ(settings_.logo);
    std::optional<QImage> logo;
    if (!path.isEmpty() && QFileInfo(path).isFile()) logo = ui::LoadPicture(path);
    ShowLogo(logo ? *logo : QImage());
    resize(560, 420);
}

QWidget* TSelectLogoForm::BuildLogoPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    auto* select =
        ui::NamedButton(page, "SelectLogoBtn", tr("Logo File"), tr("Select an Image File"));
    clearLogo_ = ui::NamedButton(page, "ClearLogoBtn", tr("Clear Logo"), tr("Remove the Image"));
    buttons->addWidget(select);
    buttons->addWidget(clearLogo_);
    buttons->addStretch();
    layout->addLayout(buttons);
    picStat_ = new QLabel(tr("No Logo File Selected"), page);
    picStat_->setObjectName("PicStat");
    layout->addWidget(picStat_);
    logoView_ = new QLabel(page);
    logoView_->setObjectName("LogoView");
    logoView_->setAlignment(Qt::AlignCenter);
    logoView_->setMinimumSize(200, 120);
    layout->addWidget(logoView_, 1);
    connect(select, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { SelectLogoBtnClick(); }); });
    connect(clearLogo_, &QPushButton::clicked, this,
            [this] { ui::Guarded([this] { ClearLogoBtnClick(); }); });
    return page;
}

QWidget* TSelectLogoForm::BuildTextPage(TextPage& p, const QString& suffix, const char* editName,
                                        const char* copyName, const QString& copyText,
                                        const char* pasteName, const QString& pasteText) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* tools = new QHBoxLayout;
    p.bold = ui::NamedToolButton(page, "BoldBtn" + suffix, tr("B"), tr("Bold"), true);
    p.italic = ui::NamedToolButton(page, "ItalicBtn" + suffix, tr("I"), tr("Italic"), true);
    p.underline =
        ui::NamedToolButton(page, "UnderlineBtn" + suffix, tr("U"), tr("Underline"), true);
    p.strike = ui::NamedToolButton(page, "StrikeBtn" + suffix, tr("S"), tr("Strike Out"), true);
    QFont f = p.bold->font();
    f.setBold(true);
    p.bold->setFont(f);
    f = p.italic->font();
    f.setItalic(true);
    p.italic->setFont(f);
    f = p.underline->font();
    f.setUnderline(true);
    p.underline->setFont(f);
    f = p.strike->font();
    f.setStrikeOut(true);
    p.strike->setFont(f);
    p.fontBox = new QFontComboBox(page);
    p.fontBox->setObjectName("FontBox" + suffix);
    p.color = new QComboBox(page);
    p.color->setObjectName("FontColor" + suffix);
    for (const auto& c : Colours) {
        QPixmap swatch(12, 12);
        swatch.fill(QColor::fromRgb(c.rgb));
        p.color->addItem(QIcon(swatch), tr(c.name), QColor::fromRgb(c.rgb));
    }
    p.size = new QComboBox(page);
    p.size->setObjectName("FontSize" + suffix);
    p.size->setEditable(true);
    for (QWidget* w : std::initializer_list<QWidget*>{p.bold, p.italic, p.underline, p.strike,
                                                      p.fontBox, p.color, p.size})
        tools->addWidget(w);
    tools->addStretch();
    auto* copy = ui::NamedButton(page, copyName, copyText);
    auto* paste = ui::NamedButton(page, pasteName, pasteText);
    tools->addWidget(copy);
    tools->addWidget(paste);
    layout->addLayout(tools);
    p.edit = new QTextEdit(page);
    p.edit->setObjectName(editName);
    p.edit->setAcceptRichText(true);
    layout->addWidget(p.edit, 1);

    QTextEdit* edit = p.edit;
    auto merge = [edit](auto apply) {
        QTextCharFormat fmt;
        apply(fmt);
        edit->mergeCurrentCharFormat(fmt);
        edit->setFocus();
    };
    connect(p.bold, &QToolButton::clicked, this, [merge](bool on) {
        merge([on](QTextCharFormat& f) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    });
    connect(p.italic, &QToolButton::clicked, this,
            [merge](bool on) { merge([on](QTextCharFormat& f) { f.setFontItalic(on); }); });
    connect(p.underline, &QToolButton::clicked, this,
            [merge](bool on) { merge([on](QTextCharFormat& f) { f.setFontUnderline(on); }); });
    connect(p.strike, &QToolButton::clicked, this,
            [merge](bool on) { merge([on](QTextCharFormat& f) { f.setFontStrikeOut(on); }); });
    TextPage* pp = &p;
    connect(p.fontBox, &QFontComboBox::currentFontChanged, this,
            [this, pp, merge](const QFont& font) {
                FillSizes(*pp, true);
                merge([&font](QTextCharFormat& f) { f.setFontFamilies({font.family()}); });
            });
    connect(p.color, &QComboBox::activated, this, [pp, merge](int index) {
        const QColor c = pp->color->itemData(index).value<QColor>();
        merge([c](QTextCharFormat& f) { f.setForeground(c); });
    });
    connect(p.size, &QComboBox::textActivated, this, [merge](const QString& text) {
        bool ok = false;
        const int size = text.trimmed().toInt(&ok);
        if (!ok || size <= 0) return;  // only whole sizes are taken
        merge([size](QTextCharFormat& f) { f.setFontPointSize(size); });
    });
    connect(p.edit, &QTextEdit::currentCharFormatChanged, this, [pp](const QTextCharFormat& f) {
        pp->bold->setChecked(f.fontWeight() >= QFont::Bold);
        pp->italic->setChecked(f.fontItalic());
        pp->underline->setChecked(f.fontUnderline());
        pp->strike->setChecked(f.fontStrikeOut());
    });
    connect(copy, &QPushButton::clicked, this, [edit] {
        auto* mime = new QMimeData;
        const std::string rtf = ui::SaveRichEdit(*edit);
        mime->setData("text/rtf", QByteArray(rtf.data(), qsizetype(rtf.size())));
        mime->setHtml(edit->toHtml());
        mime->setText(edit->toPlainText());
        QApplication::clipboard()->setMimeData(mime);
    });
    connect(paste, &QPushButton::clicked, this, [edit] {
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        if (mime && (mime->hasFormat("text/rtf") || mime->hasFormat("application/rtf"))) {
            const QByteArray rtf =
                mime->data(mime->hasFormat("text/rtf") ? "text/rtf" : "application/rtf");
            QTextDocument doc;
            ui::ToTextDocument(
                brenvik::ReadRtf(std::string_view(rtf.constData(), std::size_t(rtf.size()))), doc);
            edit->textCursor().insertFragment(QTextDocumentFragment(&doc));
        } else {
            edit->paste();
        }
    });
    return page;
}

void TSelectLogoForm::FillSizes(TextPage& p, bool keepCurrent) {
    const QString current = p.size->currentText();
    const QSignalBlocker block(p.size);
    p.size->clear();
    for (int s : SizesFor(p.fontBox->currentFont().family())) p.size->addItem(QString::number(s));
    const int at = keepCurrent ? p.size->findText(current) : -1;
    p.size->setCurrentIndex(at >= 0 ? at : 0);
}

void TSelectLogoForm::ShowLogo(const QImage& image) {
    if (image.isNull()) {
        logoView_->setPixmap(QPixmap());
    } else {
        const QSize room = logoView_->minimumSize();
        logoView_->setPixmap(QPixmap::fromImage(image.scaled(
            room.expandedTo(QSize(400, 200)), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    }
    picStat_->setVisible(image.isNull());
    clearLogo_->setEnabled(!image.isNull());
}

void TSelectLogoForm::SelectLogoBtnClick() {
    ui::FileDialogSpec spec;
    spec.title = tr("Logo File");
    spec.filter = "BMP (*.BMP *.bmp);;GIF (*.GIF *.gif);;JPEG (*.JPG *.jpg)";
    const auto path = ui::platform().OpenFileName(spec);
    if (!path) return;
    const auto image = ui::LoadPicture(*path);
    if (!image) {
        ui::platform().ShowMessage(MsgKind::Error, tr("The selected image is invalid."),
                                   MsgButtons::Ok);
        return;
    }
    ShowLogo(*image);
    settings_.logo = ui::PathFromQ(*path);
}

void TSelectLogoForm::ClearLogoBtnClick() {
    ShowLogo(QImage());
    settings_.logo.clear();
}

void TSelectLogoForm::InvoiceFontClick() { ChooseInvoiceFont(font_); }

void TSelectLogoForm::SaveChangesBtnClick() {
    settings_.header = ui::SaveRichEdit(*header_.edit);
    settings_.footer = ui::SaveRichEdit(*footer_.edit);
    settings_.font = font_;
    accept();
}

void TSelectLogoForm::CancelChangesBtnClick() {
    settings_.logo = logoAtOpen_;
    reject();
}

}  // namespace brenvik
