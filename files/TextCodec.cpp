#include "files/TextCodec.h"

#include <QByteArrayView>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QStringDecoder>
#include <QStringEncoder>
#endif

namespace kanoby {
namespace {

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

#ifdef Q_OS_WIN
// Windows converts its own code page; this Qt has no ICU.
class Cp932 {
  public:
    static bool IsAvailable() { return IsValidCodePage(kCodePage); }

    // Well-formed characters; each one the code page lacks becomes U+FFFD.
    QString Decode(QByteArrayView characters, bool& invalid) {
        QString text = DecodeExactly(characters);
        if (!text.isNull())
            return text;
        for (qsizetype i = 0; i < characters.size();) {
            const qsizetype length = IsLeadByte(static_cast<uchar>(characters[i])) ? 2 : 1;
            const QString character = DecodeExactly(characters.sliced(i, length));
            text += character.isNull() ? QString(QChar(kReplacement)) : character;
            invalid = invalid || character.isNull();
            i += length;
        }
        return text;
    }

    // The bytes of one character of the Basic Multilingual Plane; empty when
    // the code page lacks it. No near match stands in for it (é is not "e").
    QByteArray Encode(QChar c) {
        const wchar_t wide = static_cast<wchar_t>(c.unicode());
        char bytes[2];
        BOOL usedDefault = FALSE;
        const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &wide, 1, bytes,
                                               sizeof bytes, nullptr, &usedDefault);
        return length > 0 && !usedDefault ? QByteArray(bytes, length) : QByteArray();
    }

  private:
    static constexpr UINT kCodePage = 932;

    // The text of `bytes`, or a null string when any of them is no character.
    static QString DecodeExactly(QByteArrayView bytes) {
        QString text(bytes.size(), Qt::Uninitialized);
        const int length = MultiByteToWideChar(
            kCodePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
            reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
        if (length <= 0)
            return {};
        text.truncate(length);
        return text;
    }
};
#else
// ICU's name for code page 932 as Windows has it.
constexpr const char* kCp932Name = "windows-31j";

class Cp932 {
  public:
    static bool IsAvailable() {
        return QStringDecoder(kCp932Name).isValid() && QStringEncoder(kCp932Name).isValid();
    }

    // Well-formed characters; ICU gives U+FFFD for each one it cannot map.
    QString Decode(QByteArrayView characters, bool& invalid) {
        if (!decoder_.isValid()) {
            invalid = true;
            return QString(CharacterCount(characters), QChar(kReplacement));
        }
        const QString text = decoder_.decode(characters);
        invalid = invalid || decoder_.hasError();
        return text;
    }

    // The bytes of one character of the Basic Multilingual Plane; empty when
    // the code page lacks it.
    QByteArray Encode(QChar c) {
        if (!encoder_->isValid())
            return {};
        QByteArray encoded = encoder_->encode(QStringView(&c, 1));
        if (encoder_->hasError()) {
            encoded.clear();
            // The encoder keeps its error; the next character needs a fresh one.
            encoder_.emplace(kCp932Name);
        }
        return encoded;
    }

  private:
    static qsizetype CharacterCount(QByteArrayView characters) {
        qsizetype count = 0;
        for (qsizetype i = 0; i < characters.size(); ++count)
            i += IsLeadByte(static_cast<uchar>(characters[i])) ? 2 : 1;
        return count;
    }

    QStringDecoder decoder_{kCp932Name};
    // Held in place: ICU reports an unmappable character to the address the
    // encoder had when it was made, so a moved-in encoder would no longer see
    // its own errors and let ICU's substitute bytes through.
    std::optional<QStringEncoder> encoder_{std::in_place, kCp932Name};
};
#endif

}  // namespace

bool HasCp932Codec() {
    return Cp932::IsAvailable();
}

// ASCII bytes are taken as they are: ICU's table for this code page swaps the
// control codes 0x1A, 0x1C and 0x7F, which Windows does not. ICU also marks
// malformed bytes with U+001A, so the byte structure is checked here and only
// well-formed characters reach the conversion.
QString DecodeCp932(const QByteArray& bytes, bool* hadInvalid) {
    std::optional<Cp932> codec;  // opened for the first non-ASCII character
    QString text;
    text.reserve(bytes.size());
    bool invalid = false;

    qsizetype runStart = 0;  // start of the pending non-ASCII characters
    qsizetype runCharacters = 0;
    auto flushRun = [&](qsizetype runEnd) {
        if (runCharacters == 0)
            return;
        if (!codec)
            codec.emplace();
        text += codec->Decode(QByteArrayView(bytes).sliced(runStart, runEnd - runStart), invalid);
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

    if (hadInvalid)
        *hadInvalid = invalid;
    return text;
}

// Characters that code page 932 lacks become "?", as Windows writes them.
QByteArray EncodeCp932(const QString& text) {
    std::optional<Cp932> codec;  // opened for the first non-ASCII character
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
        if (!c.isSurrogate()) {
            if (!codec)
                codec.emplace();
            encoded = codec->Encode(c);
        }
        // Only what reading takes for a character is written: Windows has
        // single bytes for U+0080 and a few private-use characters too.
        const auto byte = [&](int at) { return static_cast<uchar>(encoded[at]); };
        const bool character = (encoded.size() == 1 && IsSingleByteKana(byte(0))) ||
                               (encoded.size() == 2 && IsLeadByte(byte(0)) && IsTrailByte(byte(1)));
        bytes.append(character ? encoded : QByteArray(1, kUnencodable));
        i += length;
    }
    return bytes;
}

}  // namespace kanoby
