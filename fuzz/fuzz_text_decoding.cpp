// The text decoder and the printable form on any bytes: a text is valid UTF-8 without NUL and
// says how it was read, or there is a problem and no text; printable text has no control
// character left and is valid UTF-8.
#include "fuzz_common.h"
#include "text/cp1250.h"
#include "text/text_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const DecodedText d = decodeText(bytes);
    if (d.problem.empty()) {
        LUMOR_FUZZ_CHECK(isUtf8(d.text));
        LUMOR_FUZZ_CHECK(d.text.find('\0') == std::string::npos);
        LUMOR_FUZZ_CHECK(d.encoding.empty() || d.encoding == "UTF-16LE" || d.encoding == "UTF-16BE" ||
                         d.encoding == "windows-1250");
        // Text that is UTF-8 already is read as it is.
        if (d.encoding.empty() && !bytes.starts_with("\xEF\xBB\xBF")) LUMOR_FUZZ_CHECK(d.text == bytes);
    } else {
        LUMOR_FUZZ_CHECK(d.text.empty());
    }
    const std::string shown = printableText(bytes);
    LUMOR_FUZZ_CHECK(isUtf8(shown));
    for (const char32_t c : utf8ToCodePoints(shown))
        LUMOR_FUZZ_CHECK(c >= 0x20 && c != 0x7F && (c < 0x80 || c >= 0xA0));
    return 0;
}
