// The program's own settings, beside Roman.ini (whose format stays as it is):
// what the menus remember, such as the word list, the order, the record's and
// the view's choices. An INI file a person can read, written at once on every
// change.
//
//   [view]
//   showMissedKey=true
#pragma once

#include <QString>
#include <QVariant>

namespace kanoby {

inline constexpr char16_t kProgramSettingsName[] = u"kanoby.ini";

class ProgramSettings {
  public:
    // The file kanoby.ini in `settingsDir`, made with the folder when a value
    // is first stored.
    explicit ProgramSettings(const QString& settingsDir);

    // The value under `key` ("group/name"), or `fallback` when there is none.
    QVariant Value(const QString& key, const QVariant& fallback = {}) const;

    // Stores `value` under `key` and writes the file; false, with the reason
    // for the user, when it cannot be written.
    bool SetValue(const QString& key, const QVariant& value, QString* error = nullptr);

    // `text` (a file's path, say) made into one key name: keys may not hold
    // every character a path may.
    static QString KeyOf(const QString& text);

    const QString& Path() const { return path_; }

  private:
    QString path_;
};

}  // namespace kanoby
