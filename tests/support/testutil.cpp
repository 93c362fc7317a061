#include "testutil.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextEdit>

#include <fstream>
#include <iterator>

namespace test {

TempFolder::TempFolder() : dir_(std::make_unique<QTemporaryDir>()) {
    if (!dir_->isValid()) ADD_FAILURE() << "cannot create a temporary folder";
    path_ = QFile::encodeName(dir_->path()).toStdString() + '/';
}

TempFolder::~TempFolder() = default;

QString TempFolder::QPath() const { return QFile::decodeName(path_.c_str()); }

void TempFolder::Write(const std::string& name, std::string_view bytes) const {
    WriteBytes(File(name), bytes);
}

std::string TempFolder::Read(const std::string& name) const { return ReadBytes(File(name)); }

bool TempFolder::Exists(const std::string& name) const {
    return QFile::exists(QFile::decodeName(File(name).c_str()));
}

QStringList TempFolder::Files() const {
    return QDir(QPath()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ADD_FAILURE() << "cannot read " << path;
        return {};
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << path;
}

std::string SourceFile(const std::string& relative) { return SourceDir() + '/' + relative; }

std::string FixtureBytes(const std::string& relative) { return ReadBytes(SourceFile(relative)); }

QObject* FindNamed(QObject& root, const QString& name, const QMetaObject& type) {
    if (root.objectName() == name && root.metaObject()->inherits(&type)) return &root;
    for (QObject* o : root.findChildren<QObject*>(name))
        if (o->metaObject()->inherits(&type)) return o;
    QObject* any = root.findChild<QObject*>(name);
    ADD_FAILURE() << root.metaObject()->className() << " has no " << type.className() << " named \""
                  << name.toStdString() << "\""
                  << (any ? std::string(" (there is a ") + any->metaObject()->className() + ")"
                          : "");
    throw Abort{};
}

void Click(QObject& root, const QString& name) {
    auto& button = Find<QAbstractButton>(root, name);
    if (!button.isEnabled()) {
        ADD_FAILURE() << "button \"" << name.toStdString() << "\" is disabled";
        return;
    }
    button.click();
}

void Key(QObject& target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&target, &release);
}

void Type(QObject& target, const QString& text) {
    for (QChar c : text) Key(target, QKeySequence(QString(c).toUpper())[0].key(), QString(c));
}

void SetText(QObject& root, const QString& name, const QString& text) {
    QObject* o = &Find<QWidget>(root, name);
    if (auto* e = qobject_cast<QLineEdit*>(o)) {
        // Replace the text the way typing does, so that textEdited fires and
        // validators and the length limit apply.
        e->selectAll();
        if (text.isEmpty()) e->del();
        else e->insert(text);
    } else if (auto* t = qobject_cast<QTextEdit*>(o)) {
        t->setPlainText(text);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(o)) {
        p->setPlainText(text);
    } else if (auto* c = qobject_cast<QComboBox*>(o)) {
        if (c->isEditable()) {
            c->setEditText(text);
        } else {
            int i = c->findText(text);
            if (i < 0)
                ADD_FAILURE() << "combo box \"" << name.toStdString() << "\" has no entry \""
                              << text.toStdString() << "\"";
            else c->setCurrentIndex(i);
        }
    } else if (auto* s = qobject_cast<QAbstractSpinBox*>(o)) {
        if (auto* le = s->findChild<QLineEdit*>()) {
            le->selectAll();
            le->insert(text);
        }
        s->interpretText();
    } else {
        ADD_FAILURE() << "\"" << name.toStdString() << "\" (" << o->metaObject()->className()
                      << ") takes no text";
    }
}

void SetChecked(QObject& root, const QString& name, bool checked) {
    auto& b = Find<QAbstractButton>(root, name);
    if (!b.isCheckable()) ADD_FAILURE() << "\"" << name.toStdString() << "\" is not checkable";
    b.setChecked(checked);
}

QString TextOf(QObject& root, const QString& name) {
    QObject* o = &Find<QWidget>(root, name);
    if (auto* e = qobject_cast<QLineEdit*>(o)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(o)) return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* c = qobject_cast<QComboBox*>(o)) return c->currentText();
    if (auto* t = qobject_cast<QTextEdit*>(o)) return t->toPlainText();
    if (auto* p = qobject_cast<QPlainTextEdit*>(o)) return p->toPlainText();
    if (auto* s = qobject_cast<QAbstractSpinBox*>(o)) return s->text();
    ADD_FAILURE() << "\"" << name.toStdString() << "\" (" << o->metaObject()->className()
                  << ") shows no text";
    return {};
}

QString PdfText(const QString& pdfPath) {
    QProcess p;
    p.start("pdftotext", {"-layout", "-enc", "UTF-8", pdfPath, "-"});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext failed on " << pdfPath.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<PdfWord> PdfWords(const QString& pdfPath) {
    QProcess p;
    p.start("pdftotext", {"-bbox", pdfPath, "-"});
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext -bbox failed on " << pdfPath.toStdString() << ": "
                      << p.readAllStandardError().toStdString();
        return {};
    }
    static const QRegularExpression wordRe(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
        "yMax=\"([0-9.]+)\">([^<]*)</word>");
    std::vector<PdfWord> words;
    int page = 0;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (line.contains("<page ")) ++page;
        const auto m = wordRe.match(line);
        if (m.hasMatch())
            words.push_back({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(),
                             m.captured(3).toDouble(), m.captured(4).toDouble(), page});
    }
    return words;
}

int PdfPageCount(const QString& pdfPath) {
    QFile f(pdfPath);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << pdfPath.toStdString();
        return -1;
    }
    // Page objects, not the page tree ("/Type /Pages").
    static const QRegularExpression page("/Type\\s*/Page(?![a-zA-Z])");
    return int(QString::fromLatin1(f.readAll()).count(page));
}

}  // namespace test
