#pragma once
// Formatted text between its stored RTF bytes, the rich-text editors and the
// page: loading and saving an editor, and drawing character by character.
#include "store/core/rtf.h"

#include <QColor>
#include <QFont>
#include <QPointF>

#include <string>
#include <string_view>

class QPainter;
class QTextDocument;
class QTextEdit;

namespace ui {

using brenvik::RichDocument;
using brenvik::RichFormat;
using brenvik::RichParagraph;
using brenvik::RichRun;

QFont RichQFont(const RichFormat& format);
RichFormat RichFormatOf(const QFont& font, const QColor& color);

RichDocument FromTextDocument(const QTextDocument& doc);
void ToTextDocument(const RichDocument& rich, QTextDocument& doc);

// The editor's text as RTF bytes, and the editor emptied and loaded from
// them (left empty when `bytes` is empty).
std::string SaveRichEdit(const QTextEdit& editor);
void LoadRichEdit(QTextEdit& editor, std::string_view bytes);

// Draws the text character by character from `topLeft` (device pixels): the
// pen starts 2 mm right of and below it; each character in its own font and
// colour, codes 13 and below left out; a line is as high as its tallest
// character and the next starts 1 mm below it. Returns the height drawn.
double DrawRichText(QPainter& painter, const RichDocument& doc, QPointF topLeft,
                    const QColor& defaultColor = Qt::black);

}  // namespace ui
