// Byte encodings through ICU converters, with BOM and uchardet detection.
#include "document/text_codec.h"

#include <uchardet/uchardet.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "document/cp932_decoder.h"
#include "text/utf.h"

namespace mozaru {

namespace {

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

struct EncodingNames {
    const char* icu;
    std::string_view shown;
};

// Indexed by Encoding. "windows-31j" is Windows' Japanese ANSI code page as
// ICU knows it: 0x5C is the backslash, 0x8160 is U+FF5E, NEC and IBM
// extensions included.
constexpr EncodingNames kNames[] = {
    {"windows-31j", "CP932"},  // Cp932
    {"UTF-8", "UTF-8"},        // Utf8
    {"UTF-16LE", "UTF-16LE"},  // Utf16LE
    {"UTF-16BE", "UTF-16BE"},  // Utf16BE
    {"EUC-JP", "EUC-JP"},      // EucJp
};

const EncodingNames& namesOf(Encoding encoding) {
    return kNames[static_cast<std::size_t>(encoding)];
}

Converter openConverter(Encoding encoding) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(namesOf(encoding).icu, &status));
    // The converters are part of ICU's built-in data; missing ones mean a
    // broken installation, not a bad file.
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    return converter;
}

// Every undecodable sequence becomes one U+FFFD; its bytes are counted.
void U_CALLCONV replaceUndecodable(const void* context, UConverterToUnicodeArgs* args,
                                   const char* /*codeUnits*/, int32_t length,
                                   UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to convert
    auto* count = static_cast<std::size_t*>(const_cast<void*>(context));
    *count += static_cast<std::size_t>(length);
    *status = U_ZERO_ERROR;
    static const UChar kReplacement = 0xFFFD;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, status);
}

// A character the target cannot hold becomes &#N; of its whole code point,
// so a surrogate pair gives one reference.
void U_CALLCONV writeReference(const void* context, UConverterFromUnicodeArgs* args,
                               const UChar* codeUnits, int32_t length, UChar32 codePoint,
                               UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) return;
    ++*static_cast<std::size_t*>(const_cast<void*>(context));
    UCNV_FROM_U_CALLBACK_ESCAPE(UCNV_ESCAPE_XML_DEC, args, codeUnits, length, codePoint, reason,
                                status);
}

DecodedText decodeAs(std::string_view bytes, Encoding encoding) {
    if (encoding == Encoding::Cp932) {
        DecodedText out;
        if (decodeCp932(bytes, out)) return out;
    }
    return decodeBytesWithIcu(bytes, encoding);
}

}  // namespace

DecodedText decodeBytesWithIcu(std::string_view bytes, Encoding encoding) {
    DecodedText out;
    out.encoding = encoding;
    if (bytes.empty()) return out;
    Converter converter = openConverter(encoding);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setToUCallBack(converter.get(), replaceUndecodable, &out.undecodable, nullptr, nullptr,
                        &status);
    // No byte yields more than one code unit except a 4-byte UTF-8 sequence
    // (two units), and an odd UTF-16 tail (one U+FFFD): size + 1 is enough.
    out.text.resize(bytes.size() + 1);
    UChar* target = reinterpret_cast<UChar*>(out.text.data());
    UChar* const targetBegin = target;
    const char* source = bytes.data();
    ucnv_toUnicode(converter.get(), &target, target + out.text.size(), &source,
                   source + bytes.size(), nullptr, true, &status);
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    out.text.resize(static_cast<std::size_t>(target - targetBegin));
    return out;
}

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

// The detector's verdict, of which only UTF-8 and EUC-JP are trusted: it
// confuses CP932 with single-byte code pages, and CP932 is the default anyway.
Encoding detect(std::string_view bytes) {
    std::unique_ptr<uchardet, void (*)(uchardet_t)> detector(uchardet_new(), uchardet_delete);
    // Feeding in slices lets the detector stop early: once it is sure it
    // ignores further data, so a large page costs little more than a small one.
    constexpr std::size_t kSlice = 1 << 16;
    for (std::size_t at = 0; at < bytes.size(); at += kSlice) {
        const std::size_t n = std::min(kSlice, bytes.size() - at);
        if (uchardet_handle_data(detector.get(), bytes.data() + at, n) != 0) break;
    }
    uchardet_data_end(detector.get());
    const std::string_view verdict = uchardet_get_charset(detector.get());
    if (verdict == "UTF-8") return Encoding::Utf8;
    if (verdict == "EUC-JP") return Encoding::EucJp;
    return Encoding::Cp932;
}

// UTF-8 holds every character, so no converter is needed: the exact size is
// counted first and each character written once. Only a lone surrogate has
// no UTF-8 form; it becomes a reference, as ICU's escape would write it.
EncodedText encodeUtf8(std::u16string_view text) {
    constexpr std::size_t kReferenceBytes = 8;  // "&#" + five digits + ";"
    EncodedText out;
    std::size_t size = 0;
    forEachCodePoint(text, [&size](char32_t c) {
        const std::size_t n = utf8Length(c);
        size += n != 0 ? n : kReferenceBytes;
    });
    out.bytes.resize(size);
    char* o = out.bytes.data();
    forEachCodePoint(text, [&](char32_t c) {
        if (!isSurrogate(c)) {
            o = writeUtf8(c, o);
            return;
        }
        const std::string reference = "&#" + std::to_string(static_cast<unsigned>(c)) + ";";
        o = std::copy(reference.begin(), reference.end(), o);
        ++out.references;
    });
    return out;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

}  // namespace

DecodedText decodeBytes(std::string_view bytes, InputEncoding choice) {
    switch (choice) {
        case InputEncoding::Cp932:
            return decodeAs(bytes, Encoding::Cp932);
        case InputEncoding::EucJp:
            return decodeAs(bytes, Encoding::EucJp);
        case InputEncoding::Utf8:
            // A BOM is a mark, not text, even when the encoding was named.
            if (startsWith(bytes, kUtf8Bom)) bytes.remove_prefix(kUtf8Bom.size());
            return decodeAs(bytes, Encoding::Utf8);
        case InputEncoding::Auto:
            break;
    }
    if (startsWith(bytes, kUtf8Bom)) return decodeAs(bytes.substr(kUtf8Bom.size()), Encoding::Utf8);
    if (startsWith(bytes, kUtf16LEBom)) {
        return decodeAs(bytes.substr(kUtf16LEBom.size()), Encoding::Utf16LE);
    }
    if (startsWith(bytes, kUtf16BEBom)) {
        return decodeAs(bytes.substr(kUtf16BEBom.size()), Encoding::Utf16BE);
    }
    const Encoding verdict = detect(bytes);
    if (verdict != Encoding::Cp932) {
        DecodedText decoded = decodeAs(bytes, verdict);
        // The detector also says UTF-8 (or EUC-JP) for CP932 bytes that are
        // neither, such as a line of half-width katakana: its verdict stands
        // only when nearly every non-ASCII byte decodes.
        const auto nonAscii = static_cast<std::size_t>(
            std::count_if(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) != 0; }));
        if (decoded.undecodable * 100 <= nonAscii) return decoded;
    }
    return decodeAs(bytes, Encoding::Cp932);
}

EncodedText encodeText(std::u16string_view text, OutputEncoding encoding) {
    if (encoding == OutputEncoding::Utf8) return encodeUtf8(text);
    EncodedText out;
    if (text.empty()) return out;
    Converter converter = openConverter(Encoding::Cp932);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), writeReference, &out.references, nullptr, nullptr,
                          &status);
    // Markup-heavy pages are mostly ASCII: start at 1.5 bytes a code unit and
    // grow for kanji-heavy or reference-heavy text rather than reserving the
    // worst case for every page.
    out.bytes.resize(text.size() + text.size() / 2 + 16);
    const UChar* source = reinterpret_cast<const UChar*>(text.data());
    const UChar* const sourceEnd = source + text.size();
    std::size_t written = 0;
    for (;;) {
        char* target = out.bytes.data() + written;
        char* const targetEnd = out.bytes.data() + out.bytes.size();
        status = U_ZERO_ERROR;
        ucnv_fromUnicode(converter.get(), &target, targetEnd, &source, sourceEnd, nullptr, true,
                         &status);
        written = static_cast<std::size_t>(target - out.bytes.data());
        if (status != U_BUFFER_OVERFLOW_ERROR) break;
        out.bytes.resize(out.bytes.size() + out.bytes.size() / 2);
    }
    if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
    out.bytes.resize(written);
    return out;
}

std::string_view encodingName(Encoding encoding) {
    return namesOf(encoding).shown;
}

}  // namespace mozaru
