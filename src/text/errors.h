#pragma once
#include "text/text_decoding.h"

#include <stdexcept>
#include <string>

namespace lumor {

/// An error that carries the program's own text for the exception box.
class LumorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A text that is read as a number but is not one. The message shows the text whole, its
/// control characters (a NUL byte too) escaped.
class ConversionError : public LumorError {
public:
    explicit ConversionError(const std::string& offending) : LumorError(message(offending)), text_(offending) {}
    /// The text that failed to convert.
    const std::string& offendingText() const { return text_; }

protected:
    /// A conversion error told in the program's own words (`offending` stays available).
    ConversionError(const std::string& offending, const std::string& message) : LumorError(message), text_(offending) {}

private:
    // Built with append: GCC 12 misreads operator+ with literals here (-Wrestrict).
    static std::string message(const std::string& offending) {
        std::string text(1, '\'');
        text.append(printableText(offending));
        text.append("' is not a valid floating point value");
        return text;
    }
    std::string text_;
};

/// A file the program had to create and could not, and why (Czech; may be empty).
class FileCreateError : public LumorError {
public:
    explicit FileCreateError(const std::string& path, const std::string& reason = {})
        : LumorError("Cannot create file " + path), path_(path), reason_(reason) {}
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    std::string reason_;
};

/// A command the program refuses, with a Czech text for the user.
class RefusalError : public LumorError {
public:
    using LumorError::LumorError;
};

}  // namespace lumor
