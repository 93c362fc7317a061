#include "ui/richtext.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace ui {

QFont RichQFont(const RichFormat& f) {
    QFont font(QString::fromStdString(f.face));
    font.setPointSizeF(f.size > 0 ? f.size : 10);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strike);
    return font;
}

RichFormat RichFormatOf(const QFont& font, const QColor& color) {
    RichFormat f;
    f.face = font.family().toStdString();
    if (font.pointSizeF() > 0) f.size = qRound(font.pointSizeF() * 2) / 2.0;
    f.bold = font.bold();
    f.italic = font.italic();
    f.underline = font.underline();
    f.strike = font.strikeOut();
    if (color.isValid()) {
        f.hasColor = true;
        f.color = color.rgb() & 0xFFFFFF;
    }
    return f;
}

namespace {

RichFormat FormatOf(const QTextCharFormat& cf, const QFont& base) {
    QFont font = cf.font().resolve(base);
    const QColor color =
        cf.hasProperty(QTextFormat::ForegroundBrush) ? cf.foreground().color() : QColor();
    return RichFormatOf(font, color);
}

QTextCharFormat CharFormat(const RichFormat& f) {
    QTextCharFormat cf;
    cf.setFont(RichQFont(f));
    if (f.hasColor) cf.setForeground(QColor::fromRgb(QRgb(0xFF000000u | f.color)));
    return cf;
}

}  // namespace

RichDocument FromTextDocument(const QTextDocument& doc) {
    RichDocument rich;
    if (doc.isEmpty()) return rich;
    const QFont base = doc.defaultFont();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        RichParagraph p;
        p.mark = FormatOf(block.charFormat(), base);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (!frag.isValid() || frag.text().isEmpty()) continue;
            QString text = frag.text();
            text.replace(QChar::LineSeparator, QChar(' '));
            text.replace(QChar::Nbsp, QChar(0xA0));
            p.runs.push_back(RichRun{text.toStdString(), FormatOf(frag.charFormat(), base)});
        }
        rich.paragraphs.push_back(std::move(p));
    }
    return rich;
}

void ToTextDocument(const RichDocument& rich, QTextDocument& doc) {
    doc.clear();
    QTextCursor cursor(&doc);
    bool first = true;
    for (const RichParagraph& p : rich.paragraphs) {
        if (!first) cursor.insertBlock(QTextBlockFormat(), CharFormat(p.mark));
        else cursor.setBlockCharFormat(CharFormat(p.mark));
        first = false;
        for (const RichRun& r : p.runs)
            cursor.insertText(QString::fromStdString(r.text), CharFormat(r.format));
    }
}

std::string SaveRichEdit(const QTextEdit& editor) {
    return brenvik::WriteRtf(FromTextDocument(*editor.document()));
}

void LoadRichEdit(QTextEdit& editor, std::string_view bytes) {
    editor.clear();
    if (bytes.empty()) return;
    ToTextDocument(brenvik::ReadRtf(bytes), *editor.document());
}

double DrawRichText(QPainter& painter, const RichDocument& doc, QPointF topLeft,
                    const QColor& defaultColor) {
    QPaintDevice* device = painter.device();
    const double mmX = device->logicalDpiX() / 25.4;
    const double mmY = device->logicalDpiY() / 25.4;
    const double left = topLeft.x() + 2 * mmX;
    double y = topLeft.y() + 2 * mmY;
    painter.save();
    for (const RichParagraph& p : doc.paragraphs) {
        // Measure the line first: every character stands on the same top.
        double lineHeight = 0;
        for (const RichRun& r : p.runs)
            lineHeight = std::max(lineHeight, QFontMetricsF(RichQFont(r.format), device).height());
        if (p.runs.empty()) lineHeight = QFontMetricsF(RichQFont(p.mark), device).height();
        double x = left;
        for (const RichRun& r : p.runs) {
            const QFont font = RichQFont(r.format);
            const QFontMetricsF fm(font, device);
            painter.setFont(font);
            painter.setPen(r.format.hasColor ? QColor::fromRgb(QRgb(0xFF000000u | r.format.color))
                                             : defaultColor);
            const QString text = QString::fromStdString(r.text);
            for (qsizetype i = 0; i < text.size(); ++i) {
                QString ch = text.mid(i, text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1);
                i += ch.size() - 1;
                if (ch.size() == 1 && ch[0].unicode() <= 13) continue;
                painter.drawText(QPointF(x, y + fm.ascent()), ch);
                x += fm.horizontalAdvance(ch);
            }
        }
        y += lineHeight + mmY;
    }
    painter.restore();
    return y - topLeft.y();
}

}  // namespace ui
