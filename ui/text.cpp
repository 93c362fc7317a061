#include "ui/text.h"

#include "store/core/codepage.h"

#include <QFile>
#include <QStringDecoder>

namespace ui {

namespace {

QString FromWestern(std::string_view bytes) {
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (unsigned char c : bytes) *p++ = QChar(char16_t(brenvik::WesternToUnicode(c)));
    return out;
}

}  // namespace

QString ToQ(std::string_view bytes) {
    if (brenvik::IsAscii(bytes)) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    // Keep a leading byte-order mark as a character rather than dropping it,
    // so that the text still turns back into the same bytes.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (!utf8.hasError()) return text;
    return FromWestern(bytes);
}

std::string FromQ(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;  // one character outside the code page: one '?'
            out += '?';
            continue;
        }
        out += char(brenvik::UnicodeToWestern(c).value_or('?'));
    }
    return out;
}

std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathToQ(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace ui
