#pragma once
// The component stream value encoding of the settings files, the label data
// files and "labset.set": one tag byte per value, little-endian numbers, and
// the component record in which a component's published properties travel.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

enum StreamTag : std::uint8_t {
    TagEndOfList = 0,
    TagInt8 = 2,
    TagInt16 = 3,
    TagInt32 = 4,
    TagString = 6,
    TagIdent = 7,
    TagFalse = 8,
    TagTrue = 9,
    TagSet = 11,
    TagLongString = 12,
};

// Raised by StreamReader on a wrong tag, a bad value or the end of the bytes.
// Readers of the store's own files catch it and keep what was read so far.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class StreamWriter {
public:
    // The smallest of the three integer tags that holds `value`.
    void WriteInteger(std::int32_t value);
    // Up to 255 bytes as a short string, longer as a long string.
    void WriteString(std::string_view text);
    void WriteBoolean(bool value);
    void WriteChar(char c);  // a short string of length 1
    void WriteIdent(std::string_view name);
    void WriteSet(const std::vector<std::string>& names);
    // Length as an integer, then one single-character value per byte.
    void WriteByteBlock(std::string_view bytes);
    void WriteListEnd() { out_ += char(TagEndOfList); }

    // Component record: signature, class and component names, then for each
    // property WriteName(property) and one value, then EndComponent().
    void BeginComponent(std::string_view className, std::string_view name);
    void WriteName(std::string_view name);  // length byte and bytes, no tag
    void EndComponent();                    // ends the properties and the (empty) children

    const std::string& Bytes() const { return out_; }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
};

class StreamReader {
public:
    // The reader keeps a view of `bytes`: they must outlive it.
    explicit StreamReader(std::string_view bytes) : data_(bytes) {}
    StreamReader(std::string&&) = delete;

    bool AtEnd() const { return pos_ >= data_.size(); }
    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }

    std::uint8_t PeekTag() const;  // the next byte, not consumed
    std::uint8_t ReadTag();

    std::int32_t ReadInteger();          // tags 2, 3, 4
    std::string ReadString();            // tags 6, 12
    bool ReadBoolean();                  // any tag byte; true only for tag 9
    char ReadChar();                     // tag 6 of length 1
    std::string ReadIdent();             // tag 7
    std::vector<std::string> ReadSet();  // tag 11
    std::string ReadByteBlock();
    bool EndOfList() const { return !AtEnd() && PeekTag() == TagEndOfList; }
    void ReadListEnd();  // a 0 byte

    // Component record primitives.
    void ReadSignature();  // "TPF0"
    // The optional flags byte before the class name (high four bits set);
    // when its bit 1 is set, the child position integer that follows.
    void ReadPrefix();
    std::string ReadName();  // length byte and bytes, no tag

private:
    void Need(std::size_t n) const;
    std::string_view Take(std::size_t n);
    std::string ReadShortBytes();  // length byte and bytes

    std::string_view data_;
    std::size_t pos_ = 0;
};

struct ComponentHeader {
    std::string className;
    std::string name;
};

// Reads one component record, handing each property to `property`, which
// reads exactly one value (or raises StreamError for a property it does not
// know). A record with child components is not accepted.
ComponentHeader ReadComponent(
    StreamReader& reader,
    const std::function<void(const std::string& property, StreamReader& reader)>& property);

}  // namespace brenvik
