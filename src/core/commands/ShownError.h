#pragma once
// An error whose text the user reads as it stands: the command dispatcher
// and the dialogs show Message, whatever the exception's what() says (the
// report engine's texts are Japanese, and what() holds only bytes).
#include <stdexcept>
#include <string>
#include <utility>

class EShownError : public std::runtime_error {
public:
    explicit EShownError(std::wstring message, const std::string& what = "error")
        : std::runtime_error(what), Message(std::move(message))
    {
    }
    std::wstring Message;
};

// An ASCII text as it reads in UTF-16.
inline std::wstring WidenAscii(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The system refused a resource (memory, a device context, a palette).
class EOutOfResources : public EShownError {
public:
    explicit EOutOfResources(const std::string& message) : EShownError(WidenAscii(message), message) {}
};

// A picture was handed data it cannot hold (a clipboard format, say).
class EInvalidGraphic : public EShownError {
public:
    explicit EInvalidGraphic(const std::string& message) : EShownError(WidenAscii(message), message) {}
};
