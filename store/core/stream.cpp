#include "store/core/stream.h"

namespace brenvik {

namespace {

const char kSignature[4] = {'T', 'P', 'F', '0'};

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

}  // namespace

// ---- writing ----

void StreamWriter::WriteInteger(std::int32_t value) {
    if (value >= -128 && value <= 127) {
        out_ += char(TagInt8);
        PutLittle(out_, std::uint32_t(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        out_ += char(TagInt16);
        PutLittle(out_, std::uint32_t(value), 2);
    } else {
        out_ += char(TagInt32);
        PutLittle(out_, std::uint32_t(value), 4);
    }
}

void StreamWriter::WriteString(std::string_view text) {
    if (text.size() <= 255) {
        out_ += char(TagString);
        out_ += char(text.size());
    } else {
        out_ += char(TagLongString);
        PutLittle(out_, std::uint32_t(text.size()), 4);
    }
    out_.append(text);
}

void StreamWriter::WriteBoolean(bool value) { out_ += char(value ? TagTrue : TagFalse); }

void StreamWriter::WriteChar(char c) {
    out_ += char(TagString);
    out_ += char(1);
    out_ += c;
}

void StreamWriter::WriteIdent(std::string_view name) {
    out_ += char(TagIdent);
    WriteName(name);
}

void StreamWriter::WriteSet(const std::vector<std::string>& names) {
    out_ += char(TagSet);
    for (const auto& name : names) WriteName(name);
    out_ += char(0);
}

void StreamWriter::WriteByteBlock(std::string_view bytes) {
    WriteInteger(std::int32_t(bytes.size()));
    out_.reserve(out_.size() + 3 * bytes.size());
    for (char c : bytes) WriteChar(c);
}

void StreamWriter::BeginComponent(std::string_view className, std::string_view name) {
    out_.append(kSignature, 4);
    WriteName(className);
    WriteName(name);
}

void StreamWriter::WriteName(std::string_view name) {
    // Names are short symbols; one length byte is all the format has room for.
    if (name.size() > 255) name = name.substr(0, 255);
    out_ += char(name.size());
    out_.append(name);
}

void StreamWriter::EndComponent() {
    WriteListEnd();  // properties
    WriteListEnd();  // child components
}

// ---- reading ----

void StreamReader::Need(std::size_t n) const {
    // Lengths come from the file: compare with what is left before using them.
    if (n > Remaining()) throw StreamError("unexpected end of stream");
}

std::string_view StreamReader::Take(std::size_t n) {
    Need(n);
    auto piece = data_.substr(pos_, n);
    pos_ += n;
    return piece;
}

std::uint8_t StreamReader::PeekTag() const {
    Need(1);
    return std::uint8_t(data_[pos_]);
}

std::uint8_t StreamReader::ReadTag() {
    std::uint8_t tag = PeekTag();
    ++pos_;
    return tag;
}

std::int32_t StreamReader::ReadInteger() {
    int size = 0;
    switch (ReadTag()) {
    case TagInt8:
        size = 1;
        break;
    case TagInt16:
        size = 2;
        break;
    case TagInt32:
        size = 4;
        break;
    default:
        throw StreamError("integer expected");
    }
    auto bytes = Take(std::size_t(size));
    std::uint32_t value = 0;
    for (int i = 0; i < size; ++i) value |= std::uint32_t(std::uint8_t(bytes[i])) << (8 * i);
    // Sign-extend from the stored width.
    if (size < 4 && (value & (1u << (8 * size - 1)))) value |= ~0u << (8 * size);
    return std::int32_t(value);
}

std::string StreamReader::ReadShortBytes() {
    std::size_t n = std::uint8_t(Take(1)[0]);
    return std::string(Take(n));
}

std::string StreamReader::ReadString() {
    switch (ReadTag()) {
    case TagString:
        return ReadShortBytes();
    case TagLongString: {
        auto len = Take(4);
        std::uint32_t n = 0;
        for (int i = 0; i < 4; ++i) n |= std::uint32_t(std::uint8_t(len[i])) << (8 * i);
        return std::string(Take(n));
    }
    default:
        throw StreamError("string expected");
    }
}

bool StreamReader::ReadBoolean() { return ReadTag() == TagTrue; }

char StreamReader::ReadChar() {
    if (ReadTag() != TagString) throw StreamError("character expected");
    auto piece = Take(2);
    if (piece[0] != 1) throw StreamError("character expected");
    return piece[1];
}

std::string StreamReader::ReadIdent() {
    if (ReadTag() != TagIdent) throw StreamError("identifier expected");
    return ReadShortBytes();
}

std::vector<std::string> StreamReader::ReadSet() {
    if (ReadTag() != TagSet) throw StreamError("set expected");
    std::vector<std::string> names;
    for (;;) {
        std::string name = ReadShortBytes();
        if (name.empty()) return names;
        names.push_back(std::move(name));
    }
}

std::string StreamReader::ReadByteBlock() {
    std::int32_t n = ReadInteger();
    if (n < 0) throw StreamError("negative block length");
    // Each byte takes three bytes of stream: refuse a length the rest cannot hold.
    Need(std::size_t(n) * 3);
    std::string bytes;
    bytes.reserve(std::size_t(n));
    for (std::int32_t i = 0; i < n; ++i) bytes += ReadChar();
    return bytes;
}

void StreamReader::ReadListEnd() {
    if (ReadTag() != TagEndOfList) throw StreamError("end of list expected");
}

void StreamReader::ReadSignature() {
    if (Take(4) != std::string_view(kSignature, 4)) throw StreamError("invalid stream format");
}

void StreamReader::ReadPrefix() {
    std::uint8_t flags = PeekTag();
    if ((flags & 0xF0) != 0xF0) return;
    ++pos_;
    if (flags & 0x02) ReadInteger();  // child position, of no use here
}

std::string StreamReader::ReadName() { return ReadShortBytes(); }

ComponentHeader ReadComponent(
    StreamReader& reader, const std::function<void(const std::string&, StreamReader&)>& property) {
    ComponentHeader header;
    reader.ReadSignature();
    reader.ReadPrefix();
    header.className = reader.ReadName();
    header.name = reader.ReadName();
    while (!reader.EndOfList()) {
        std::string name = reader.ReadName();
        property(name, reader);
    }
    reader.ReadListEnd();
    reader.ReadListEnd();  // no child components
    return header;
}

}  // namespace brenvik
