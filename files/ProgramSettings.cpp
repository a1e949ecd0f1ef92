#include "files/ProgramSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QUrl>

#include "files/FileError.h"
#include "files/FileLocations.h"

namespace kanoby {

using namespace Qt::StringLiterals;

ProgramSettings::ProgramSettings(const QString& settingsDir)
    : path_(QDir(settingsDir).filePath(QString::fromUtf16(kProgramSettingsName))) {}

QVariant ProgramSettings::Value(const QString& key, const QVariant& fallback) const {
    const QSettings settings(path_, QSettings::IniFormat);
    return settings.value(key, fallback);
}

bool ProgramSettings::SetValue(const QString& key, const QVariant& value, QString* error) {
    QSettings settings(path_, QSettings::IniFormat);
    settings.setValue(key, value);
    // Written through a temporary file and a rename, so a crash leaves the
    // old file whole.
    int errorNumber = 0;
    CaptureFileError(errorNumber, [&] { settings.sync(); });
    if (settings.status() == QSettings::NoError)
        return true;
    if (error) {
        *error =
            QCoreApplication::translate("kanoby::ProgramSettings", "設定を保存できませんでした：") +
            ShownPath(path_) + u'\n' + FileErrorReason(errorNumber, QString());
    }
    return false;
}

QString ProgramSettings::KeyOf(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

}  // namespace kanoby
