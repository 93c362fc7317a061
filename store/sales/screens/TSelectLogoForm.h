#pragma once
// "Invoice Setup": the logo, the header and footer texts and the invoice
// font. The logo path changes as soon as a picture is chosen or cleared;
// "Save and Close" stores the texts and the font, "Cancel" puts the logo
// path back as it was.
#include "store/core/settings.h"

#include <QDialog>
#include <QImage>

class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QToolButton;

namespace brenvik {

// The font dialog on `font` (its colour kept); false when cancelled.
bool ChooseInvoiceFont(brenvik::FontRecord& font);

class TSelectLogoForm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectLogoForm(brenvik::Settings& settings, QWidget* parent = nullptr);

    void SelectLogoBtnClick();
    void ClearLogoBtnClick();
    void InvoiceFontClick();
    void SaveChangesBtnClick();
    void CancelChangesBtnClick();

    const brenvik::FontRecord& WorkingFont() const { return font_; }

private:
    struct TextPage {
        QTextEdit* edit = nullptr;
        QFontComboBox* fontBox = nullptr;
        QComboBox* color = nullptr;
        QComboBox* size = nullptr;
        QToolButton* bold = nullptr;
        QToolButton* italic = nullptr;
        QToolButton* underline = nullptr;
        QToolButton* strike = nullptr;
    };
    QWidget* BuildLogoPage();
    QWidget* BuildTextPage(TextPage& page, const QString& suffix, const char* editName,
                           const char* copyName, const QString& copyText, const char* pasteName,
                           const QString& pasteText);
    void FillSizes(TextPage& page, bool keepCurrent);
    void ShowLogo(const QImage& image);

    brenvik::Settings& settings_;
    brenvik::FontRecord font_;
    std::string logoAtOpen_;
    QTabWidget* book_ = nullptr;
    QLabel* logoView_ = nullptr;
    QLabel* picStat_ = nullptr;
    QPushButton* clearLogo_ = nullptr;
    TextPage header_;
    TextPage footer_;
};

}  // namespace brenvik
