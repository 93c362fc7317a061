#pragma once
// Small helpers for tests, in namespace `test`: temporary data folders,
// whole-file bytes, fixture files, finding and working named controls, and
// reading back printed PDFs.
#include "testpaths.h"

#include <QColor>
#include <QDate>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class QTemporaryDir;
class QWidget;

namespace test {

// A fresh empty folder, removed with everything in it at the end of scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }  // ends with '/'
    QString QPath() const;                             // the same, as a QString
    std::string File(const std::string& name) const { return path_ + name; }

    void Write(const std::string& name, std::string_view bytes) const;
    std::string Read(const std::string& name) const;  // fails the test if missing
    bool Exists(const std::string& name) const;
    QStringList Files() const;  // names of the files in it, sorted

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::string path_;
};

// Whole-file bytes. ReadBytes fails the test (and returns "") when the file
// cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// A file below the tests folder of the source tree, e.g. "core/data/x.dt2".
std::string SourceFile(const std::string& relative);
std::string FixtureBytes(const std::string& relative);

// Raised when a test helper cannot go on (after it has failed the test); it
// is not a std::exception, so handlers that show errors do not swallow it.
struct Abort {};

// The child of `root` (or `root` itself) with this objectName and type.
// Fails the test and throws Abort when there is none.
QObject* FindNamed(QObject& root, const QString& name, const QMetaObject& type);
template <class T>
T& Find(QObject& root, const QString& name) {
    return *static_cast<T*>(FindNamed(root, name, T::staticMetaObject));
}

// Clicks the named button (QAbstractButton::click: signals as a user's click).
void Click(QObject& root, const QString& name);
// Sets the text of the named edit box as a user's typing would (line edits,
// text edits, editable combo boxes, spin boxes).
void SetText(QObject& root, const QString& name, const QString& text);
// A key pressed and released on `target` (a Qt::Key), as the keyboard
// would send it: unhandled, it goes on to the parent widgets.
void Key(QObject& target, int key, const QString& text = {});
// Types `text` into `target` one character at a time.
void Type(QObject& target, const QString& text);
// Checks or unchecks the named check box or radio button.
void SetChecked(QObject& root, const QString& name, bool checked);
// The text shown by the named control (label, edit, button, combo box).
QString TextOf(QObject& root, const QString& name);

// Text of a PDF (pdftotext -layout), and its number of pages.
QString PdfText(const QString& pdfPath);
int PdfPageCount(const QString& pdfPath);

// A word of a PDF and its box (pdftotext -bbox), in points from the page's
// top-left corner.
struct PdfWord {
    QString text;
    double left, top, right, bottom;
    int page;  // from 1
};
std::vector<PdfWord> PdfWords(const QString& pdfPath);

}  // namespace test

// Readable Qt values in test failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", \"" : "\"") << l[i].toStdString() << '"';
    *os << '}';
}
inline void PrintTo(const QDate& d, std::ostream* os) {
    *os << d.toString(Qt::ISODate).toStdString();
}
inline void PrintTo(const QColor& c, std::ostream* os) {
    *os << c.name(QColor::HexArgb).toStdString();
}
inline void PrintTo(const QFont& f, std::ostream* os) { *os << f.toString().toStdString(); }
inline void PrintTo(const QVariant& v, std::ostream* os) {
    *os << v.typeName() << '(' << v.toString().toStdString() << ')';
}
