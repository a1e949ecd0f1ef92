// Text files are code page 932 (Shift_JIS as Windows writes it).
#pragma once

#include <QByteArray>
#include <QString>

namespace kanoby {

// True when this Qt can convert code page 932 both ways.
bool HasCp932Codec();

// Decodes code page 932; each invalid byte sequence becomes U+FFFD. When
// `hadInvalid` is given it is set to whether any sequence was invalid.
QString DecodeCp932(const QByteArray& bytes, bool* hadInvalid = nullptr);

// Encodes to code page 932.
QByteArray EncodeCp932(const QString& text);

}  // namespace kanoby
