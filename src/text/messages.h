#pragma once
#include <string>

namespace lumor {

/// The program's message boxes, as the core needs them. The windows supply the real ones;
/// tests supply a recording one.
class Messages {
public:
    virtual ~Messages() = default;
    /// Exclamation icon, OK; an empty title means the program's default title.
    virtual void warning(const std::string& text, const std::string& title = {}) = 0;
    /// Information icon, OK.
    virtual void information(const std::string& text, const std::string& title = {}) = 0;
    /// Question icon, Yes and No, titled "Dotaz"; true only for Yes.
    virtual bool question(const std::string& text) = 0;
};

}  // namespace lumor
