#include "ui/TextCodec.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace kanoby {
namespace {

// ICU's name for code page 932 as Windows has it.
constexpr const char* kCp932Name = "windows-31j";

constexpr char16_t kReplacement = 0xFFFD;
constexpr char kUnencodable = '?';

bool IsAscii(uchar byte) {
    return byte < 0x80;
}
bool IsSingleByteKana(uchar byte) {
    return byte >= 0xA1 && byte <= 0xDF;
}
bool IsLeadByte(uchar byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool IsTrailByte(uchar byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

}  // namespace

bool HasCp932Codec() {
    return QStringDecoder(kCp932Name).isValid() && QStringEncoder(kCp932Name).isValid();
}

// ASCII bytes are taken as they are: ICU's table for this code page swaps the
// control codes 0x1A, 0x1C and 0x7F, which Windows does not. ICU also marks
// malformed bytes with U+001A, so the byte structure is checked here and only
// well-formed characters reach it; whatever it cannot map comes back as U+FFFD.
QString DecodeCp932(const QByteArray& bytes, bool* hadInvalid) {
    std::optional<QStringDecoder> decoder;  // opened for the first non-ASCII character
    QString text;
    text.reserve(bytes.size());
    bool invalid = false;

    qsizetype runStart = 0;  // start of the pending non-ASCII characters
    qsizetype runCharacters = 0;
    auto flushRun = [&](qsizetype runEnd) {
        if (runCharacters == 0)
            return;
        if (!decoder)
            decoder.emplace(kCp932Name);
        if (decoder->isValid()) {
            text += decoder->decode(QByteArrayView(bytes).sliced(runStart, runEnd - runStart));
        } else {
            text.append(QString(runCharacters, QChar(kReplacement)));
            invalid = true;
        }
        runCharacters = 0;
    };

    qsizetype i = 0;
    while (i < bytes.size()) {
        const uchar byte = static_cast<uchar>(bytes[i]);
        qsizetype length = 0;
        if (IsSingleByteKana(byte)) {
            length = 1;
        } else if (IsLeadByte(byte) && i + 1 < bytes.size() &&
                   IsTrailByte(static_cast<uchar>(bytes[i + 1]))) {
            length = 2;
        }
        if (length > 0) {
            if (runCharacters == 0)
                runStart = i;
            ++runCharacters;
            i += length;
            continue;
        }
        flushRun(i);
        if (IsAscii(byte)) {
            text.append(QChar(char16_t(byte)));
        } else {
            // A byte that starts no character, or a lead byte without its
            // trail byte: the byte after it is read again on its own.
            text.append(QChar(kReplacement));
            invalid = true;
        }
        ++i;
    }
    flushRun(i);

    if (decoder && decoder->hasError())
        invalid = true;
    if (hadInvalid)
        *hadInvalid = invalid;
    return text;
}

// Characters that code page 932 lacks become "?", as Windows writes them.
QByteArray EncodeCp932(const QString& text) {
    // Held in place: ICU reports an unmappable character to the address the
    // encoder had when it was made, so a moved-in encoder would no longer
    // see its own errors and let ICU's substitute bytes through.
    std::optional<QStringEncoder> encoder(std::in_place, kCp932Name);
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) {
            bytes.append(static_cast<char>(c.unicode()));
            ++i;
            continue;
        }
        const qsizetype length =
            (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        // Code page 932 has nothing outside the Basic Multilingual Plane.
        QByteArray encoded;
        if (encoder->isValid() && !c.isSurrogate()) {
            encoded = encoder->encode(QStringView(text).sliced(i, 1));
            if (encoder->hasError()) {
                encoded.clear();
                // The encoder keeps its error; the next character needs a
                // fresh one.
                encoder.emplace(kCp932Name);
            }
        }
        if (encoded.isEmpty())
            encoded = QByteArray(1, kUnencodable);
        bytes.append(encoded);
        i += length;
    }
    return bytes;
}

}  // namespace kanoby
