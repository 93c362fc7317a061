#pragma once
// The error raised by file operations of the store. Its message is the exact
// text that the program's general error display shows.
#include <stdexcept>
#include <string>

namespace brenvik {

class StoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace brenvik
