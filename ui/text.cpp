#include "ui/text.h"

#include <QFile>
#include <QStringDecoder>

#include <array>

namespace ui {

namespace {

// The Western Windows code page above 0x7F differs from Latin-1 only in
// 0x80..0x9F. Its five unassigned bytes there stay as the C1 controls of the
// same value, so every byte survives a trip to the screen and back.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return false;
    return true;
}

QString FromWestern(std::string_view bytes) {
    QString out(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (unsigned char c : bytes)
        *p++ = (c >= 0x80 && c < 0xA0) ? QChar(kHigh[c - 0x80]) : QChar(c);
    return out;
}

char ToWestern(char32_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return char(u);
    if (u >= 0x80 && u < 0xA0) return char(u);  // C1 controls pass through
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return '?';
}

}  // namespace

QString ToQ(std::string_view bytes) {
    if (IsAscii(bytes)) return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
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
        out += ToWestern(c);
    }
    return out;
}

std::string PathFromQ(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathToQ(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace ui
